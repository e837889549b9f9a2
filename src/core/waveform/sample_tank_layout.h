#pragma once

namespace morvane {

// Where the samples of a sample view sit on its pixels, and which sample or value a mouse position
// means. All arithmetic is integer with truncating division, so the points never drift between
// painting and hit-testing. Width, height and sample count are taken as they are: the caller keeps
// the sample count at least 1.
class SampleTankLayout {
 public:
  SampleTankLayout(int width, int height, int max) : width_(width), height_(height), max_(max) {}

  // Drawing extents: the last pixel column and row.
  int W() const { return width_ - 1; }
  int H() const { return height_ - 1; }
  // Mouse extents.
  int W2() const { return width_ - 2; }
  int H2() const { return height_ - 2; }
  // False when the control is too small for the mouse formulas (they divide by W2 and H2).
  bool AcceptsMouse() const { return W2() > 0 && H2() > 0; }

  // Point of sample i holding value v.
  int SampleX(int i) const { return i * W() / (max_ + 2) + W() / max_ + 2; }
  int ValueY(int value) const { return H() - value * H() / 256; }

  // True when a left press at x grabs the locator (within five samples of it).
  bool IsOnLocator(int x, int locator_pos) const;
  // Sample under x for the locator and for drawing, limited to 0..max-1.
  int IndexAt(int x) const;
  // Unlimited sample under x for selections; may be negative or beyond the last sample.
  int SelectionIndexAt(int x) const;
  // New value of a sample holding `value` when the pen is at height y, limited to 0..255.
  int DrawnValue(int value, int y) const;

 private:
  int width_;
  int height_;
  int max_;
};

}  // namespace morvane
