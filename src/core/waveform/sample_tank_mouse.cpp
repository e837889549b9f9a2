#include "core/waveform/sample_tank_mouse.h"

#include <algorithm>

namespace morvane {

bool SpectrumHarmAllows(int spectrum_harm, int index) {
  switch (spectrum_harm) {
    case kHarmOdd:
      return index % 2 == 1;
    case kHarmEven:
      return index % 2 == 0;
    case kHarmAll:
      return true;
    default:
      return false;
  }
}

TankMouseOutcome SampleTankMouse::Press(TankButton button, int x, SampleTankModel& model,
                                        const SampleTankLayout& layout) {
  TankMouseOutcome outcome;
  if (!layout.AcceptsMouse()) return outcome;
  if (button == TankButton::kLeft) {
    if (layout.IsOnLocator(x, model.LocatorPos())) {
      drag_mode_ = kDragLocator;
    } else {
      drag_mode_ = kDragSelection;
      model.SetSelectionPos(std::max(layout.SelectionIndexAt(x), 0));
      outcome.repaint = true;
    }
    button_down_ = true;
  } else if (button == TankButton::kRight) {
    button_down_ = true;
  }
  return outcome;
}

TankMouseOutcome SampleTankMouse::Move(bool left_held, bool right_held, int x, int y,
                                       SampleTankModel& model, const SampleTankLayout& layout) {
  TankMouseOutcome outcome;
  if (!button_down_ || !layout.AcceptsMouse()) return outcome;
  if (left_held) Drag(x, model, layout, outcome);
  if (right_held && x <= layout.W2() && Draw(x, y, model, layout)) {
    outcome.repaint = true;
    outcome.changed = always_detect_;
  }
  return outcome;
}

TankMouseOutcome SampleTankMouse::Release(TankButton button, int x, int y, SampleTankModel& model,
                                          const SampleTankLayout& layout) {
  TankMouseOutcome outcome;
  if (button_down_ && layout.AcceptsMouse()) {
    if (button == TankButton::kLeft) {
      Drag(x, model, layout, outcome);
    } else if (button == TankButton::kRight && x <= layout.W2()) {
      // The last step, then one change event whatever AlwayDetect says (and only one, even when
      // the step itself would have fired).
      outcome.repaint = Draw(x, y, model, layout);
      outcome.changed = true;
    }
  }
  button_down_ = false;
  return outcome;
}

void SampleTankMouse::Drag(int x, SampleTankModel& model, const SampleTankLayout& layout,
                           TankMouseOutcome& outcome) const {
  if (drag_mode_ == kDragLocator) {
    model.SetLocatorPos(layout.IndexAt(x));
    outcome.locator_changed = true;
  } else {
    int length = layout.SelectionIndexAt(x) - model.SelectionPos();
    if (length > model.Max()) length = model.Max() - 1;
    if (length < 0) length = 0;
    model.SetSelectionLen(length);
    outcome.selection_changed = true;
  }
  outcome.repaint = true;
}

bool SampleTankMouse::Draw(int x, int y, SampleTankModel& model,
                           const SampleTankLayout& layout) const {
  const int index = layout.IndexAt(x);
  if (!SpectrumHarmAllows(spectrum_harm_, index)) return false;
  model.SetValue(index, static_cast<std::uint8_t>(layout.DrawnValue(model.GetValue(index), y)));
  return true;
}

}  // namespace morvane
