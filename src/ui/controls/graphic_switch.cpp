#include "ui/controls/graphic_switch.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/controls/strip_frame.h"

namespace morvane {

namespace {
constexpr int kFrameCount = 2;
}  // namespace

GraphicSwitch::GraphicSwitch(QWidget* parent) : QWidget(parent) { resize(30, 30); }

void GraphicSwitch::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  update();
}

void GraphicSwitch::SetBitmap(const QPixmap& frames) {
  bitmap_ = frames;
  FitToFrame();
  update();
}

void GraphicSwitch::SetAutoSize(bool on) {
  if (on == auto_size_) return;
  auto_size_ = on;
  if (!on) return;
  FitToFrame();
  update();
}

QSize GraphicSwitch::sizeHint() const { return StripControlSize(bitmap_, kFrameCount); }

void GraphicSwitch::paintEvent(QPaintEvent*) {
  if (bitmap_.isNull()) return;
  QPainter painter(this);
  DrawStripFrame(painter, bitmap_, kFrameCount, checked_ ? 1 : 0);
}

void GraphicSwitch::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  event->accept();
}

void GraphicSwitch::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  // Like a button: letting go outside the switch cancels the click.
  if (!rect().contains(event->position().toPoint())) return;
  checked_ = !checked_;
  emit OnClick();
  update();
}

void GraphicSwitch::FitToFrame() {
  if (!auto_size_) return;
  FitToStripFrame(*this, bitmap_, kFrameCount);
}

}  // namespace morvane
