#pragma once

#include "core/waveform/sample_tank_layout.h"
#include "core/waveform/sample_tank_model.h"

namespace morvane {

enum class TankButton { kLeft, kRight, kOther };

// What the view does after a mouse step: repaint, and which of its events fire.
struct TankMouseOutcome {
  bool repaint = false;
  bool changed = false;            // OnChange: values drawn with the mouse
  bool locator_changed = false;    // OnLocatorChange
  bool selection_changed = false;  // OnSelectorChange
};

// SpectrumHarm values: which indices mouse drawing may change.
inline constexpr int kHarmOdd = 1;
inline constexpr int kHarmEven = 2;
inline constexpr int kHarmAll = 3;
bool SpectrumHarmAllows(int spectrum_harm, int index);

// The mouse rules of a sample view. The left button moves the locator when pressed near it and
// drags a selection elsewhere; the right button draws values. Positions are in the view's pixels;
// the layout describes the view at the time of the event.
class SampleTankMouse {
 public:
  // Drag mode values while the left button is held.
  static constexpr int kDragSelection = -1;
  static constexpr int kDragLocator = 0;

  int SpectrumHarm() const { return spectrum_harm_; }
  void SetSpectrumHarm(int harm) { spectrum_harm_ = harm; }
  // Fire OnChange at every drawing step, not only when the right button is released.
  bool AlwayDetect() const { return always_detect_; }
  void SetAlwayDetect(bool on) { always_detect_ = on; }

  bool ButtonDown() const { return button_down_; }
  int DragMode() const { return drag_mode_; }

  TankMouseOutcome Press(TankButton button, int x, SampleTankModel& model,
                         const SampleTankLayout& layout);
  TankMouseOutcome Move(bool left_held, bool right_held, int x, int y, SampleTankModel& model,
                        const SampleTankLayout& layout);
  TankMouseOutcome Release(TankButton button, int x, int y, SampleTankModel& model,
                           const SampleTankLayout& layout);

 private:
  // Moves the locator or stretches the selection to x, as the drag mode says.
  void Drag(int x, SampleTankModel& model, const SampleTankLayout& layout,
            TankMouseOutcome& outcome) const;
  // Draws the sample under x towards height y; false when the index may not be drawn.
  bool Draw(int x, int y, SampleTankModel& model, const SampleTankLayout& layout) const;

  int spectrum_harm_ = kHarmAll;
  bool always_detect_ = true;
  bool button_down_ = false;
  int drag_mode_ = kDragLocator;
};

}  // namespace morvane
