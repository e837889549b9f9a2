#pragma once

#include <cstdint>

namespace morvane {

// Drag axis of a knob: the vertical or the horizontal mouse coordinate.
enum class KnobOrientation { kVertical, kHorizontal };

enum class KnobButton { kNone, kLeft, kRight };

enum class KnobKey { kPageUp, kPageDown, kEnd, kHome };

// The value rules shared by the knob controls, free of any toolkit.
//
// A value set by the program is limited to Min..Max and never asks for a change event; every
// user action that ends (a release, or a key that moves the value) does, and so does every drag
// step while AlwayDetect is on. Handlers return true when the widget must fire its change event;
// the widget reads State() afterwards to show the value.
//
// A knob whose Max equals Min has no travel: the mouse is ignored and the frame shown is the
// first one, so nothing divides by the empty range; the keys, which divide by nothing, still work.
class KnobModel {
 public:
  KnobModel(int min, int max, int cursor_range);

  int State() const { return state_; }
  // Limits v to Min..Max. Returns true when the value changed, so the widget repaints.
  bool SetState(int v);

  int Min() const { return min_; }
  void SetMin(int v) { min_ = v; }  // the current value is deliberately not re-limited
  int Max() const { return max_; }
  void SetMax(int v) { max_ = v; }
  int CursorRange() const { return cursor_range_; }
  void SetCursorRange(int pixels) { cursor_range_ = pixels; }
  bool AlwayDetect() const { return alway_detect_; }
  void SetAlwayDetect(bool on) { alway_detect_ = on; }
  KnobOrientation Mouvement() const { return mouvement_; }
  void SetMouvement(KnobOrientation orientation) { mouvement_ = orientation; }

  // Mouse, in the control's own coordinates.
  void Press(KnobButton button, int x, int y);
  bool Move(int x, int y, bool left_held);
  bool Release(KnobButton button, int x, int y, bool shift);

  // Keyboard of the focused bitmap knob.
  bool Key(KnobKey key, bool shift);

  // Frame of a strip of `glyph` frames that shows the value: 0..glyph-1.
  int Frame(int glyph) const;

  std::int64_t Anchor() const { return anchor_; }
  bool Dragging() const { return dragging_; }
  bool Moved() const { return moved_; }
  KnobButton LastPress() const { return last_press_; }

 private:
  bool HasRange() const { return max_ != min_; }
  int Position(int x, int y) const;
  // Step of a click or key: a tenth of Max with Shift, else one.
  int Step(bool shift) const;
  // The value a drag to `pos` asks for, before limiting.
  std::int64_t DragValue(int pos) const;
  int Limit(std::int64_t v) const;

  int state_ = 0;
  int min_;
  int max_;
  int cursor_range_;
  bool alway_detect_ = true;
  KnobOrientation mouvement_ = KnobOrientation::kVertical;

  std::int64_t anchor_ = 0;
  bool dragging_ = false;
  bool moved_ = false;
  KnobButton last_press_ = KnobButton::kNone;
};

}  // namespace morvane
