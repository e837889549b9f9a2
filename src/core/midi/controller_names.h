#pragma once

// The list in which a MIDI controller is chosen (the wave and bank selector lists): entry 0 is
// "none", entry c + 1 is controller number c.

#include <string>
#include <vector>

namespace morvane {

inline constexpr int kControllerCount = 128;
inline constexpr int kControllerListSize = kControllerCount + 1;
// The controller number that stands for "none", as the module's commands 1 and 2 carry it.
// Frozen: wire format.
inline constexpr int kNoController = 255;

// The text of list entry `list_position` (0 to 128): the "none" entry, a controller's name, or
// the numbered text of a controller without a name. Empty outside 0..128.
std::string ControllerListEntry(int list_position);

// All 129 entries in list order.
std::vector<std::string> ControllerList();

// Controller number of a list position: position - 1, and 255 for position 0 ("none") or any
// position outside the list.
int ControllerNumberFromListPosition(int list_position);

// List position of a controller number: number + 1 for 0 to 127. Any other number, 255 included,
// is no MIDI controller and selects the "none" entry 0, so a stored or received byte can never
// point past the end of the list.
int ListPositionFromControllerNumber(int controller_number);

}  // namespace morvane
