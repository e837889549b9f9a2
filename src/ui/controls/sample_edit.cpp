#include "ui/controls/sample_edit.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/controls/sample_view_support.h"
#include "ui/shell/color_value.h"
#include "ui/shell/file_dialogs.h"

namespace morvane {

SampleEdit::SampleEdit(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(sizeHint());
}

// --- Sample and operations -------------------------------------------------------------------

void SampleEdit::SetValue(std::uint8_t value, int index) {
  if (model_.SetValue(value, index)) update();
}

void SampleEdit::ClearData(bool repaint) {
  model_.ClearData();
  if (repaint) update();
}

RawLoadResult SampleEdit::LoadRawFile(const QString& name, bool repaint, std::int64_t offset) {
  const RawLoadResult result = model_.LoadRawFile(PathOf(name), offset);
  if (repaint) update();
  return result;
}

bool SampleEdit::SaveRawFile(const QString& name) const { return model_.SaveRawFile(PathOf(name)); }

void SampleEdit::CutSelection() {
  model_.CutSelection();
  update();
}

void SampleEdit::MuteSelection() {
  model_.MuteSelection();
  update();
}

void SampleEdit::PasteAtLocator() {
  model_.PasteAtLocator();
  update();
}

void SampleEdit::CropToSelection() {
  model_.CropToSelection();
  update();
}

void SampleEdit::Reverse() {
  model_.Reverse();
  update();
}

void SampleEdit::FlipLowerHalf(bool whole, bool repaint) {
  model_.FlipLowerHalf(whole);
  if (repaint) update();
}

void SampleEdit::AddOffset(std::span<const std::uint8_t> source, int delta) {
  model_.AddOffset(source, delta);
  update();
}

void SampleEdit::FixZero(bool repaint) {
  model_.FixZero();
  if (repaint) update();
}

void SampleEdit::LinToULaw(bool repaint) {
  model_.LinToULaw();
  if (repaint) update();
}

void SampleEdit::ULawToLin(bool repaint) {
  model_.ULawToLin();
  if (repaint) update();
}

// --- Properties ------------------------------------------------------------------------------

void SampleEdit::SetZoom(int zoom) {
  if (zoom == model_.Zoom()) return;
  model_.SetZoom(zoom);
  update();
}

void SampleEdit::SetViewOrigin(int origin) {
  if (origin == model_.ViewOrigin()) return;
  model_.SetViewOrigin(origin);
  update();
}

void SampleEdit::SetLocatorPos(int column) {
  if (column == model_.LocatorPos()) return;
  model_.SetLocatorPos(column);
  update();
}

void SampleEdit::SetSelectionPos(int column) {
  if (column == model_.SelectionPos()) return;
  model_.SetSelectionPos(column);
  update();
}

void SampleEdit::SetSelectionLen(int columns) {
  if (columns == model_.SelectionLen()) return;
  model_.SetSelectionLen(columns);
  update();
}

void SampleEdit::SetGradientNbOfColors(int count) {
  if (!IsValidGradientBandCount(count)) return;
  SetGradient(gradient_nb_of_colors_, count);
}

void SampleEdit::SetSpectrumCenter(bool on) {
  if (on == model_.SpectrumCenter()) return;
  model_.SetSpectrumCenter(on);
  update();
}

// --- Mouse -----------------------------------------------------------------------------------

void SampleEdit::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  Deliver(mouse_.Press(ButtonOf(event->button()), at.x(), at.y(), model_, width(), height()));
}

void SampleEdit::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const Qt::MouseButtons held = event->buttons();
  Deliver(mouse_.Move(held.testFlag(Qt::LeftButton), held.testFlag(Qt::RightButton), at.x(), at.y(),
                      model_, width(), height()));
}

void SampleEdit::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  Deliver(mouse_.Release(ButtonOf(event->button()), at.x(), at.y(), model_, width(), height()));
}

void SampleEdit::Deliver(const TankMouseOutcome& outcome) {
  if (outcome.repaint) update();
  if (outcome.locator_changed) emit OnLocatorChange(this);
  if (outcome.selection_changed) emit OnSelectorChange(this);
  if (outcome.changed) emit OnChange(this);
}

// --- Painting --------------------------------------------------------------------------------

void SampleEdit::paintEvent(QPaintEvent* /*event*/) {
  PaintCanvas();
  QPainter screen(this);
  screen.drawImage(0, 0, canvas_);
}

const QImage& SampleEdit::PaintCanvas() {
  if (canvas_.size() != size()) canvas_ = QImage(size(), QImage::Format_RGB32);
  if (canvas_.isNull()) return canvas_;
  QPainter painter(&canvas_);
  PaintBackground(painter);
  PaintAxes(painter);
  PaintSamples(painter);
  PaintLocator(painter);
  PaintSelection(painter);
  return canvas_;
}

void SampleEdit::PaintBackground(QPainter& painter) {
  background_.Paint(painter, size(), gradient_enabled_, gradient_type_, gradient_nb_of_colors_,
                    color_, gradient_color_);
}

void SampleEdit::PaintAxes(QPainter& painter) {
  const int w = width() - 1;
  const int h = height() - 1;
  if (axes_enabled_) {
    painter.setPen(DottedPen(axes_color_));
    painter.drawLine(0, h / 2, w, h / 2);
  }
  if (axes2_enabled_) {
    painter.setPen(DottedPen(axes2_color_));
    for (int k = 1; k <= 3; ++k) {
      if (k == 2 && axes_enabled_) continue;
      painter.drawLine(0, k * h / 4, w, k * h / 4);
    }
  }
}

// One sample per column: a long sample draws as fast as a short one.
void SampleEdit::PaintSamples(QPainter& painter) {
  const int columns = std::max(width() - 1, 0);
  points_.resize(static_cast<std::size_t>(columns));
  for (int x = 0; x < columns; ++x) {
    points_[static_cast<std::size_t>(x)] = QPoint(x, model_.PointY(x, height()));
  }
  painter.setPen(SolidPen(line_color_));
  if (spectrum_mode_) {
    const int base = SpectrumCenter() ? (height() - 1) / 2 : height() - 1;
    for (const QPoint& point : points_) painter.drawLine(point.x(), point.y(), point.x(), base);
  } else if (!points_.empty()) {
    painter.drawPolyline(points_.data(), static_cast<int>(points_.size()));
  }
  const int m = marker_size_;
  if (m > 0) {
    painter.setPen(SolidPen(marker_color_));
    painter.setBrush(Qt::NoBrush);
    for (const QPoint& point : points_)
      painter.drawRect(point.x() - m, point.y() - m, 2 * m, 2 * m);
  }
}

void SampleEdit::PaintLocator(QPainter& painter) {
  if (!locator_enabled_) return;
  const int x = model_.LocatorPos();
  painter.setPen(SolidPen(locator_color_));
  painter.drawLine(x, locator_size_, x, height() - 1 - locator_size_);
}

void SampleEdit::PaintSelection(QPainter& painter) {
  int from = model_.SelectionPos();
  int length = model_.SelectionLen();
  if (length == 0) return;
  if (length < 0) {
    from += length;
    length = -length;
  }
  PaintSelectionArea(painter, QRect(from, 0, length, height()).intersected(canvas_.rect()),
                     selection_style_, selection_color_);
}

}  // namespace morvane
