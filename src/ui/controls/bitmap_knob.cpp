#include "ui/controls/bitmap_knob.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/controls/knob_input.h"
#include "ui/controls/strip_frame.h"

namespace morvane {

BitmapKnob::BitmapKnob(QWidget* parent) : QWidget(parent) {
  resize(30, 30);
  setFocusPolicy(Qt::StrongFocus);
  // A right click steps the value; it must not open a parent's context menu as well.
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void BitmapKnob::SetState(int v) {
  if (model_.SetState(v)) update();
}

void BitmapKnob::SetMin(int v) {
  model_.SetMin(v);
  update();
}

void BitmapKnob::SetMax(int v) {
  model_.SetMax(v);
  update();
}

void BitmapKnob::SetBitmap(const QPixmap& strip) {
  bitmap_ = strip;
  FitToFrame();
  update();
}

void BitmapKnob::SetGlyph(int frames) {
  if (frames < 1 || frames > kMaxGlyph || frames == glyph_) return;
  glyph_ = frames;
  FitToFrame();
  update();
}

void BitmapKnob::SetAutoSize(bool on) {
  if (on == auto_size_) return;
  auto_size_ = on;
  if (!on) return;
  FitToFrame();
  update();
}

QSize BitmapKnob::sizeHint() const { return StripControlSize(bitmap_, glyph_); }

void BitmapKnob::paintEvent(QPaintEvent*) {
  if (bitmap_.isNull()) return;
  QPainter painter(this);
  DrawStripFrame(painter, bitmap_, glyph_, ShownFrame());
}

void BitmapKnob::mousePressEvent(QMouseEvent* event) { HandleMouse(event); }
void BitmapKnob::mouseMoveEvent(QMouseEvent* event) { HandleMouse(event); }
void BitmapKnob::mouseReleaseEvent(QMouseEvent* event) { HandleMouse(event); }

void BitmapKnob::keyPressEvent(QKeyEvent* event) {
  const std::optional<KnobKeyPress> press = KnobKeyOf(*event);
  if (!press) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  if (!model_.Key(press->key, press->shift)) return;
  update();
  emit OnChange();
}

void BitmapKnob::HandleMouse(QMouseEvent* event) {
  const int frame = ShownFrame();
  const bool fire = FeedKnobMouse(model_, *this, *event);
  if (ShownFrame() != frame) update();
  event->accept();
  if (fire) emit OnChange();
}

void BitmapKnob::FitToFrame() {
  if (!auto_size_) return;
  FitToStripFrame(*this, bitmap_, glyph_);
}

}  // namespace morvane
