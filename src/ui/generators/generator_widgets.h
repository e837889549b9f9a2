#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QLayout;
class QToolButton;
class QWidget;

namespace morvane {

class ValueKnob;

// The pieces both tabs of the generators window are built from, so they look alike.

// A numeric knob of the generators' size, cyan on black.
ValueKnob* MakeGeneratorKnob(QWidget* parent, const char* name, const QString& hint, int min,
                             int max, int initial);
QGroupBox* MakeGroup(QWidget* parent, const QString& title, QLayout* layout);
// A centred caption above a knob.
QLabel* MakeCaption(QWidget* parent, const QString& text);
QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& text,
                            const QString& hint);

}  // namespace morvane
