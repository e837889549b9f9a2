#include "ui/controls/sample_tank.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <filesystem>

#include "ui/controls/sample_view_support.h"
#include "ui/shell/color_value.h"
#include "ui/shell/file_dialogs.h"

namespace morvane {
namespace {

// Bars drawn from the middle stand for signed values, so a cut leaves their zero there.
constexpr std::uint8_t kCentreFill = 128;

}  // namespace

SampleTank::SampleTank(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(sizeHint());
  points_.reserve(kTankCapacity);
}

// --- Samples ---------------------------------------------------------------------------------

bool SampleTank::RepaintIf(bool repaint) {
  if (repaint) update();
  return repaint;
}

void SampleTank::SetValue(int pos, std::uint8_t value) { RepaintIf(model_.SetValue(pos, value)); }

void SampleTank::SetData(std::span<const std::uint8_t> source) {
  model_.SetData(source);
  update();
}

void SampleTank::Clear(bool repaint) {
  model_.Clear();
  RepaintIf(repaint);
}

void SampleTank::Fill(std::uint8_t value, bool repaint) {
  model_.Fill(value);
  RepaintIf(repaint);
}

bool SampleTank::SaveToFile(const QString& name) const { return model_.SaveToFile(PathOf(name)); }

bool SampleTank::LoadFromFile(const QString& name, bool repaint) {
  const bool loaded = model_.LoadFromFile(PathOf(name));
  RepaintIf(repaint);
  return loaded;
}

// --- Block operations ------------------------------------------------------------------------

void SampleTank::CutSelection() {
  model_.CutSelection(spectrum_center_ ? kCentreFill : 0);
  update();
}

void SampleTank::PasteAtLocator() {
  model_.PasteAtLocator();
  update();
}

void SampleTank::RotateLeft(int n) {
  model_.RotateLeft(n);
  update();
}

void SampleTank::RotateRight(int n) {
  model_.RotateRight(n);
  update();
}

void SampleTank::Unsigned() {
  model_.Unsigned();
  update();
}

void SampleTank::Reverse() {
  model_.Reverse();
  update();
}

void SampleTank::AlternateRight() {
  model_.AlternateRight();
  update();
}

void SampleTank::AlternateLeft() {
  model_.AlternateLeft();
  update();
}

void SampleTank::MirrorLeft() {
  model_.MirrorLeft();
  update();
}

void SampleTank::MirrorRight() {
  model_.MirrorRight();
  update();
}

bool SampleTank::ApplyMask(std::span<const std::uint8_t> source, int mask) {
  return RepaintIf(model_.ApplyMask(source, mask));
}

bool SampleTank::ApplyOffset(std::span<const std::uint8_t> source, int offset) {
  return RepaintIf(model_.ApplyOffset(source, offset));
}

bool SampleTank::ApplyVertical(std::span<const std::uint8_t> source, int amount) {
  return RepaintIf(model_.ApplyVertical(source, amount));
}

bool SampleTank::ApplyLevel(std::span<const std::uint8_t> source, int level) {
  return RepaintIf(model_.ApplyLevel(source, level));
}

bool SampleTank::ApplyBitAverage(std::span<const std::uint8_t> source, int count) {
  return RepaintIf(model_.ApplyBitAverage(source, count));
}

bool SampleTank::Center(std::span<const std::uint8_t> source) {
  return RepaintIf(model_.Center(source));
}

bool SampleTank::Normalise(std::span<const std::uint8_t> source) {
  return RepaintIf(model_.Normalise(source));
}

// --- Properties ------------------------------------------------------------------------------

void SampleTank::SetMax(int max) {
  const int before = model_.Max();
  model_.SetMax(max);
  RepaintIf(model_.Max() != before);
}

void SampleTank::SetLocatorPos(int pos) {
  if (pos == model_.LocatorPos()) return;
  model_.SetLocatorPos(pos);
  update();
}

void SampleTank::SetSelectionPos(int pos) {
  if (pos == model_.SelectionPos()) return;
  model_.SetSelectionPos(pos);
  update();
}

void SampleTank::SetSelectionLen(int len) {
  if (len == model_.SelectionLen()) return;
  model_.SetSelectionLen(len);
  update();
}

void SampleTank::SetGradientNbOfColors(int count) {
  if (IsValidGradientBandCount(count)) SetGradient(gradient_nb_of_colors_, count);
}

QPoint SampleTank::SamplePoint(int index) const {
  const SampleTankLayout layout = Layout();
  return {layout.SampleX(index), layout.ValueY(model_.GetValue(index))};
}

// --- Mouse -----------------------------------------------------------------------------------

void SampleTank::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  Deliver(mouse_.Press(ButtonOf(event->button()), at.x(), model_, Layout()));
}

void SampleTank::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const Qt::MouseButtons held = event->buttons();
  Deliver(mouse_.Move(held.testFlag(Qt::LeftButton), held.testFlag(Qt::RightButton), at.x(), at.y(),
                      model_, Layout()));
}

void SampleTank::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  Deliver(mouse_.Release(ButtonOf(event->button()), at.x(), at.y(), model_, Layout()));
}

void SampleTank::Deliver(const TankMouseOutcome& outcome) {
  RepaintIf(outcome.repaint);
  if (outcome.locator_changed) emit OnLocatorChange(this);
  if (outcome.selection_changed) emit OnSelectorChange(this);
  if (outcome.changed) emit OnChange(this);
}

// --- Painting --------------------------------------------------------------------------------

void SampleTank::paintEvent(QPaintEvent* /*event*/) {
  PaintCanvas();
  QPainter screen(this);
  screen.drawImage(0, 0, canvas_);
}

void SampleTank::PaintCanvas() {
  if (canvas_.size() != size()) canvas_ = QImage(size(), QImage::Format_RGB32);
  if (canvas_.isNull()) return;
  const SampleTankLayout layout = Layout();
  QPainter painter(&canvas_);
  PaintBackground(painter);
  PaintAxes(painter, layout);
  PaintSamples(painter, layout);
  PaintMarkers(painter);
  PaintLocator(painter, layout);
  PaintMinimax(painter, layout);
  PaintSelection(painter, layout);
}

void SampleTank::PaintBackground(QPainter& painter) {
  background_.Paint(painter, size(), gradient_enabled_, gradient_type_, gradient_nb_of_colors_,
                    color_, gradient_color_);
}

void SampleTank::PaintAxes(QPainter& painter, const SampleTankLayout& layout) {
  const int w = layout.W();
  const int h = layout.H();
  if (axes_enabled_) {
    painter.setPen(DottedPen(axes_color_));
    painter.drawLine(w / 2, 0, w / 2, h);
    painter.drawLine(0, h / 2, w, h / 2);
  }
  if (axes2_enabled_) {
    painter.setPen(DottedPen(axes2_color_));
    painter.drawLine(0, h / 4, w, h / 4);
    painter.drawLine(0, 3 * h / 4, w, 3 * h / 4);
    if (!axes_enabled_) painter.drawLine(0, 2 * h / 4, w, 2 * h / 4);
  }
}

void SampleTank::PaintSamples(QPainter& painter, const SampleTankLayout& layout) {
  points_.clear();
  for (int i = 0; i < model_.Max(); ++i) {
    points_.emplace_back(layout.SampleX(i), layout.ValueY(model_.GetValue(i)));
  }
  painter.setPen(DottedPen(line_color_));
  if (spectrum_mode_) {
    const int base = spectrum_center_ ? layout.H() / 2 : layout.H();
    for (const QPoint& point : points_) painter.drawLine(point.x(), point.y(), point.x(), base);
  } else {
    painter.drawPolyline(points_.data(), static_cast<int>(points_.size()));
  }
}

void SampleTank::PaintMarkers(QPainter& painter) {
  const int s = marker_size_;
  if (s <= 0) return;
  painter.setPen(SolidPen(marker_color_));
  painter.setBrush(Qt::NoBrush);
  for (const QPoint& point : points_) painter.drawRect(point.x() - s, point.y() - s, 2 * s, 2 * s);
}

void SampleTank::PaintLocator(QPainter& painter, const SampleTankLayout& layout) {
  if (!locator_enabled_) return;
  const int x = layout.SampleX(model_.LocatorPos());
  painter.setPen(SolidPen(locator_color_));
  painter.drawLine(x, locator_size_, x, layout.H() - locator_size_);
}

void SampleTank::PaintMinimax(QPainter& painter, const SampleTankLayout& layout) {
  if (!minimax_enabled_) return;
  const SampleTankModel::Range range = model_.MinMax();
  painter.setPen(SolidPen(minimax_color_));
  for (const int value : {range.min, range.max}) {
    const int y = layout.ValueY(value);
    painter.drawLine(0, y, layout.W(), y);
  }
}

void SampleTank::PaintSelection(QPainter& painter, const SampleTankLayout& layout) {
  const int length = model_.SelectionLen();
  if (length <= 0) return;
  const int from = layout.SampleX(model_.SelectionPos());
  const int to = layout.SampleX(model_.SelectionPos() + length);
  // Columns from..to-1 and rows 0..H.
  const QRect area(QPoint(from, 0), QPoint(to - 1, layout.H()));
  PaintSelectionArea(painter, area, selection_style_, selection_color_);
}

}  // namespace morvane
