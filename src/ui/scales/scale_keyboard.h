#pragma once

#include <QWidget>
#include <array>

namespace morvane {

class GraphicSwitch;

// One octave of keys, C to B: the naturals in the lower row, the sharps as taller keys in the
// upper row. Key k (kvgrafsw1 .. kvgrafsw12) is bit k - 1 of the scale number.
class ScaleKeyboard : public QWidget {
  Q_OBJECT

 public:
  explicit ScaleKeyboard(QWidget* parent = nullptr);

  int Mask() const;
  // Sets every key from the mask and repaints; fires nothing.
  void SetMask(int mask);
  GraphicSwitch* Key(int note) const { return keys_[static_cast<std::size_t>(note)]; }

 signals:
  // The user switched a key.
  void KeyClicked();

 private:
  std::array<GraphicSwitch*, 12> keys_{};
};

}  // namespace morvane
