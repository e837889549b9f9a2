#include "core/sample/sample_edit_mouse.h"

#include <algorithm>

namespace morvane {

int SampleEditMouse::ValueAt(int y, int height) {
  if (height <= 2) return 0;
  return std::clamp((height - y - 2) * 256 / (height - 2), 0, 255);
}

bool SampleEditMouse::Draw(int x, int y, SampleEditModel& model, int height) {
  if (model.Zoom() != 1) return false;
  const std::int64_t index = model.SampleAt(x);
  if (index < 0 || index >= model.GetSampleSize()) return false;
  model.SetValue(static_cast<std::uint8_t>(ValueAt(y, height)), static_cast<int>(index));
  return true;
}

TankMouseOutcome SampleEditMouse::Press(TankButton button, int x, int y, SampleEditModel& model,
                                        int width, int height) {
  TankMouseOutcome outcome;
  const int last_column = width - 2;
  if (button == TankButton::kLeft) {
    const int locator = model.LocatorPos();
    if (locator - 5 < x && x < locator + 5) {
      drag_mode_ = kDragLocator;
      model.SetLocatorPos(x);
    } else {
      drag_mode_ = kDragSelection;
      model.SetSelectionPos(x > last_column ? last_column - 1 : std::max(x, 0));
    }
    button_down_ = true;
    outcome.repaint = true;
  } else if (button == TankButton::kRight && model.Zoom() == 1) {
    outcome.repaint = Draw(x, y, model, height);
    button_down_ = true;
  }
  return outcome;
}

TankMouseOutcome SampleEditMouse::Move(bool left_held, bool right_held, int x, int y,
                                       SampleEditModel& model, int width, int height) {
  TankMouseOutcome outcome;
  if (!button_down_) return outcome;
  const int last_column = width - 2;
  if (left_held) {
    if (drag_mode_ == kDragSelection) {
      model.SetSelectionLen(std::min(x - model.SelectionPos(), last_column));
      outcome.selection_changed = true;
    } else {
      model.SetLocatorPos(std::clamp(x, 0, std::max(last_column, 0)));
      outcome.locator_changed = true;
    }
    outcome.repaint = true;
  }
  if (right_held && x <= last_column && Draw(x, y, model, height)) {
    outcome.changed = always_detect_;
    outcome.repaint = true;
  }
  return outcome;
}

TankMouseOutcome SampleEditMouse::Release(TankButton button, int x, int y, SampleEditModel& model,
                                          int width, int height) {
  TankMouseOutcome outcome;
  const int last_column = width - 2;
  if (button_down_ && button == TankButton::kLeft) {
    if (drag_mode_ == kDragSelection) {
      model.SetSelectionLen(std::min(x - model.SelectionPos(), last_column));
      model.NormaliseSelection();
      outcome.selection_changed = true;
    } else {
      model.SetLocatorPos(std::clamp(x, 0, std::max(last_column, 0)));
      outcome.locator_changed = true;
    }
    outcome.repaint = true;
  } else if (button_down_ && button == TankButton::kRight && x <= last_column) {
    Draw(x, y, model, height);
    outcome.repaint = true;
    outcome.changed = true;
  }
  button_down_ = false;
  return outcome;
}

}  // namespace morvane
