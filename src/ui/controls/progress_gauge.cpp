#include "ui/controls/progress_gauge.h"

#include <QPainter>
#include <algorithm>

namespace morvane {
namespace {

const QColor kFillColor(0, 0, 128);    // dark blue
const QColor kBackColor(0, 128, 128);  // teal

}  // namespace

ProgressGauge::ProgressGauge(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(20);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int ProgressGauge::PercentDone() const {
  return static_cast<int>(static_cast<long long>(progress_) * 100 / max_value_);
}

void ProgressGauge::SetMaxValue(int max_value) {
  const int before = PercentDone();
  max_value_ = std::max(1, max_value);
  progress_ = std::clamp(progress_, 0, max_value_);
  RepaintWhenPercentChanges(before);
}

void ProgressGauge::SetProgress(int position) {
  const int before = PercentDone();
  progress_ = std::clamp(position, 0, max_value_);
  RepaintWhenPercentChanges(before);
}

void ProgressGauge::RepaintWhenPercentChanges(int percent_before) {
  // repaint(), not update(): the event loop may not run again until the transfer ends.
  if (PercentDone() != percent_before && isVisible()) repaint();
}

void ProgressGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int fill_width = static_cast<int>(static_cast<long long>(width()) * progress_ / max_value_);
  painter.fillRect(0, 0, fill_width, height(), kFillColor);
  painter.fillRect(fill_width, 0, width() - fill_width, height(), kBackColor);
  painter.setPen(Qt::white);
  painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("%1%").arg(PercentDone()));
}

}  // namespace morvane
