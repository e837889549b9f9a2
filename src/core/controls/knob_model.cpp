#include "core/controls/knob_model.h"

#include <limits>

namespace morvane {

namespace {

using Wide = std::int64_t;

// a * b / c truncated toward zero. A product beyond 64 bits saturates instead of overflowing;
// the caller limits the result to the knob's range anyway.
Wide MulDivTruncated(Wide a, Wide b, Wide c) {
  constexpr Wide kHighest = std::numeric_limits<Wide>::max();
  constexpr Wide kLowest = std::numeric_limits<Wide>::min();
  Wide product = 0;
  if (__builtin_mul_overflow(a, b, &product)) {
    const bool negative = ((a < 0) != (b < 0)) != (c < 0);
    return negative ? kLowest : kHighest;
  }
  if (product == kLowest && c == -1) return kHighest;
  return product / c;
}

}  // namespace

KnobModel::KnobModel(int min, int max, int cursor_range)
    : min_(min), max_(max), cursor_range_(cursor_range) {}

bool KnobModel::SetState(int v) {
  if (v == state_) return false;
  const int old = state_;
  state_ = Limit(v);
  return state_ != old;
}

void KnobModel::Press(KnobButton button, int x, int y) {
  if (!HasRange()) return;
  if (button == KnobButton::kLeft) {
    anchor_ = Position(x, y) + MulDivTruncated(state_, cursor_range_, Wide{max_} - min_);
    dragging_ = true;
    last_press_ = KnobButton::kLeft;
  } else if (button == KnobButton::kRight) {
    last_press_ = KnobButton::kRight;
  }
}

bool KnobModel::Move(int x, int y, bool left_held) {
  if (!dragging_ || !left_held || !HasRange()) return false;
  state_ = Limit(DragValue(Position(x, y)));
  moved_ = true;
  return alway_detect_;
}

bool KnobModel::Release(KnobButton button, int x, int y, bool shift) {
  bool fire = false;
  // Any release ends a drag; only the left and right buttons change the value.
  if (HasRange() && (button == KnobButton::kLeft || button == KnobButton::kRight)) {
    Wide v = 0;
    if (button == KnobButton::kLeft) {
      if (moved_) {
        v = DragValue(Position(x, y));
      } else if (last_press_ == KnobButton::kRight) {
        v = min_;  // right held, then left released: jump to the bottom
      } else {
        v = Wide{state_} - Step(shift);
      }
    } else {
      // Left held, then right released: jump to the top.
      v = last_press_ == KnobButton::kRight ? Wide{state_} + Step(shift) : Wide{max_};
    }
    state_ = Limit(v);
    fire = true;
  }
  anchor_ = 0;
  dragging_ = false;
  moved_ = false;
  return fire;
}

bool KnobModel::Key(KnobKey key, bool shift) {
  Wide v = state_;
  switch (key) {
    case KnobKey::kPageUp:
      v += Step(shift);
      break;
    case KnobKey::kPageDown:
      v -= Step(shift);
      break;
    case KnobKey::kEnd:
      v = min_;
      break;
    case KnobKey::kHome:
      v = max_;
      break;
  }
  // Compared before limiting: Page Up at Max still counts as a change.
  if (v == state_) return false;
  state_ = Limit(v);
  return true;
}

int KnobModel::Frame(int glyph) const {
  if (!HasRange() || glyph < 1) return 0;
  Wide d = MulDivTruncated(Wide{state_} - min_, glyph, Wide{max_} - min_);
  if (d < 0) d = -d;
  return d > glyph - 1 ? glyph - 1 : static_cast<int>(d);
}

int KnobModel::Position(int x, int y) const {
  return mouvement_ == KnobOrientation::kVertical ? y : x;
}

int KnobModel::Step(bool shift) const { return shift ? max_ / 10 : 1; }

Wide KnobModel::DragValue(int pos) const {
  // A zero travel has no scale: the drag keeps the value instead of dividing by zero.
  if (cursor_range_ == 0) return state_;
  return MulDivTruncated(anchor_ - pos, Wide{max_} - min_, cursor_range_);
}

int KnobModel::Limit(Wide v) const {
  if (v < min_) return min_;
  if (v > max_) return max_;
  return static_cast<int>(v);
}

}  // namespace morvane
