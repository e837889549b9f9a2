#pragma once

#include <QLabel>

class QTimer;

namespace morvane {

// The waveform editor's message label: what the scale detection found in the working copy, shown
// for a second and a half on the colour of its verdict.
class ScaleDetectionLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ScaleDetectionLabel(QWidget* parent = nullptr);

  // A note mask above 0 is " Scale Detected "; an irregular staircase or a mask of 0 " Unknow ";
  // anything else " No Scale ".
  void ShowResult(int detected);
  const QTimer* HideTimer() const { return hide_timer_; }

 private:
  QTimer* hide_timer_;
};

}  // namespace morvane
