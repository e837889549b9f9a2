#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace morvane {

// A small square toolbar icon drawn by the program: a rounded tile with a short glyph on it.
QIcon GlyphIcon(const QString& glyph, const QColor& tile);

}  // namespace morvane
