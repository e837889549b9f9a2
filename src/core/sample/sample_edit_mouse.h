#pragma once

#include "core/sample/sample_edit_model.h"
#include "core/waveform/sample_tank_mouse.h"

namespace morvane {

// The mouse rules of the long-sample view, in screen columns: the left button moves the locator
// when pressed within four columns of it and drags a selection elsewhere; the right button draws
// sample values, at zoom 1 only. The view is `width` x `height` pixels at the time of the event.
class SampleEditMouse {
 public:
  static constexpr int kDragSelection = -1;
  static constexpr int kDragLocator = 0;

  bool AlwayDetect() const { return always_detect_; }
  void SetAlwayDetect(bool on) { always_detect_ = on; }
  bool ButtonDown() const { return button_down_; }
  int DragMode() const { return drag_mode_; }

  // The value drawn at height y: 255 at the top row, 0 at the bottom rows.
  static int ValueAt(int y, int height);

  TankMouseOutcome Press(TankButton button, int x, int y, SampleEditModel& model, int width,
                         int height);
  TankMouseOutcome Move(bool left_held, bool right_held, int x, int y, SampleEditModel& model,
                        int width, int height);
  TankMouseOutcome Release(TankButton button, int x, int y, SampleEditModel& model, int width,
                           int height);

 private:
  // Writes the sample under column x at zoom 1 when it lies inside the sample.
  static bool Draw(int x, int y, SampleEditModel& model, int height);

  bool always_detect_ = true;
  bool button_down_ = false;
  int drag_mode_ = kDragSelection;
};

}  // namespace morvane
