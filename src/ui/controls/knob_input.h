#pragma once

#include <optional>

#include "core/controls/knob_model.h"

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace morvane {

// Feeds one mouse event of a knob widget (press, double-click, move or release) to its value
// rules. A left or right press gives the knob the keyboard focus. Returns true when the knob
// must fire its change event; the caller shows the new value first.
bool FeedKnobMouse(KnobModel& model, QWidget& knob, const QMouseEvent& event);

// The knob key a key press stands for, with its Shift state, or nothing for other keys.
struct KnobKeyPress {
  KnobKey key;
  bool shift;
};
std::optional<KnobKeyPress> KnobKeyOf(const QKeyEvent& event);

}  // namespace morvane
