#pragma once

#include <QString>

class QWidget;

namespace morvane {

// A control with its caption centred above it, in a small box of its own.
QWidget* Captioned(const QString& caption, QWidget* control, QWidget* parent);

}  // namespace morvane
