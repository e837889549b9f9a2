#pragma once

#include <QPixmap>
#include <QWidget>

namespace morvane {

// A two-state switch drawn from a two-frame picture: off on the left, on on the right. A left
// click toggles it and fires OnClick; setting Checked from the program fires nothing.
class GraphicSwitch : public QWidget {
  Q_OBJECT

 public:
  explicit GraphicSwitch(QWidget* parent = nullptr);

  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  const QPixmap& Bitmap() const { return bitmap_; }
  void SetBitmap(const QPixmap& frames);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);

  QSize sizeHint() const override;

 signals:
  // The user clicked the switch; Checked already holds the new state.
  void OnClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FitToFrame();

  QPixmap bitmap_;
  bool checked_ = false;
  bool auto_size_ = true;
  bool pressed_ = false;  // a left press inside, waiting for its release
};

}  // namespace morvane
