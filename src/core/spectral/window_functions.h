#pragma once

#include <string_view>

namespace morvane {

// The sixteen window functions in their fixed order: the number is the menu tag, the stored
// setting and the index of the panel text. Frozen: settings depend on it.
inline constexpr int kWindowKindCount = 16;
inline constexpr int kRectangleWindow = 0;

// Value of window `kind` at sample n of a window of length `length`; 0 for a kind outside 0..15.
// Computed on every call.
double WindowValue(int kind, int n, int length);

// "Rectangle" .. "Kaiser 3": the entries of the window menus; "" outside 0..15.
std::string_view WindowMenuCaption(int kind);
// "RECTANGLE" .. "KAISER 3": what the window panels show; "" outside 0..15.
std::string_view WindowPanelText(int kind);

}  // namespace morvane
