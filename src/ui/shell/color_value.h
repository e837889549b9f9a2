#pragma once

#include <QColor>
#include <cstdint>

class QWidget;

namespace morvane {

// Colour numbers as the settings keep them: 0x00BBGGRR, or 0x80000000 + a system colour index
// (5 window, 8 window text, 13 highlight, 15 button face, ...) taken from the application palette.
QColor ColorFromValue(std::uint32_t value);

// A window's panel colours: the background and text of `panel` and of every knob inside it.
void SetPanelColors(QWidget* panel, std::uint32_t text, std::uint32_t back);

}  // namespace morvane
