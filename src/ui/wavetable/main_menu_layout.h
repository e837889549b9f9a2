#pragma once

#include <span>

namespace morvane {

// One entry of the main window's menu bar, in menu order.
struct MainMenuEntry {
  const char* menu;         // caption of the menu it belongs to
  const char* caption;      // nullptr for a separator
  const char* object_name;  // how the code and the tests find the entry
  const char* shortcut;     // portable key text, "" for none
  bool checkable = false;
  bool checked = false;
};

std::span<const MainMenuEntry> MainMenuLayout();

}  // namespace morvane
