#pragma once

#include <QWidget>

namespace morvane {

// A horizontal gauge showing the percentage done. It repaints itself at once whenever its
// whole-percent value changes, so it advances while a transfer keeps the GUI thread blocked.
class ProgressGauge : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressGauge(QWidget* parent = nullptr);

  int MaxValue() const { return max_value_; }
  int Progress() const { return progress_; }
  // Whole percent done, 0 to 100.
  int PercentDone() const;

  // A maximum below 1 is taken as 1; the position is kept within 0..maximum.
  void SetMaxValue(int max_value);
  void SetProgress(int position);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void RepaintWhenPercentChanges(int percent_before);

  int max_value_ = 100;
  int progress_ = 0;
};

}  // namespace morvane
