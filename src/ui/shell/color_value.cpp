#include "ui/shell/color_value.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>
#include <array>

#include "ui/controls/value_knob.h"

namespace morvane {
namespace {

constexpr std::uint32_t kSystemColorFlag = 0x80000000;

// Palette roles standing for the system colour indices 0 to 24.
constexpr std::array<QPalette::ColorRole, 25> kSystemRoles = {
    QPalette::Dark,             // 0 scroll bar
    QPalette::Window,           // 1 desktop
    QPalette::Highlight,        // 2 active caption
    QPalette::Mid,              // 3 inactive caption
    QPalette::Window,           // 4 menu
    QPalette::Base,             // 5 window
    QPalette::Shadow,           // 6 window frame
    QPalette::WindowText,       // 7 menu text
    QPalette::Text,             // 8 window text
    QPalette::HighlightedText,  // 9 caption text
    QPalette::Button,           // 10 active border
    QPalette::Button,           // 11 inactive border
    QPalette::Dark,             // 12 application workspace
    QPalette::Highlight,        // 13 highlight
    QPalette::HighlightedText,  // 14 highlighted text
    QPalette::Button,           // 15 button face
    QPalette::Dark,             // 16 button shadow
    QPalette::PlaceholderText,  // 17 grey text
    QPalette::ButtonText,       // 18 button text
    QPalette::WindowText,       // 19 inactive caption text
    QPalette::Light,            // 20 button highlight
    QPalette::Shadow,           // 21 dark 3D shadow
    QPalette::Midlight,         // 22 3D light
    QPalette::ToolTipText,      // 23 tooltip text
    QPalette::ToolTipBase,      // 24 tooltip background
};

}  // namespace

QColor ColorFromValue(std::uint32_t value) {
  if ((value & 0xFF000000) == kSystemColorFlag) {
    const std::uint32_t index = value & 0x00FFFFFF;
    const QPalette::ColorRole role =
        index < kSystemRoles.size() ? kSystemRoles[index] : QPalette::Window;
    return QGuiApplication::palette().color(QPalette::Active, role);
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

void SetPanelColors(QWidget* panel, std::uint32_t text, std::uint32_t back) {
  const QColor text_colour = ColorFromValue(text);
  const QColor back_colour = ColorFromValue(back);
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, back_colour);
  colours.setColor(QPalette::WindowText, text_colour);
  panel->setPalette(colours);
  for (ValueKnob* knob : panel->findChildren<ValueKnob*>())
    knob->SetColors(text_colour, back_colour);
}

}  // namespace morvane
