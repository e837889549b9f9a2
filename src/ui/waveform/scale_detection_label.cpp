#include "ui/waveform/scale_detection_label.h"

#include <QTimer>

#include "core/wavetable/scale_pass.h"

namespace morvane {
namespace {

constexpr int kShownMs = 1500;

QString Look(const char* back, const char* text) {
  return QString("QLabel { background-color: %1; color: %2; }").arg(back, text);
}

}  // namespace

ScaleDetectionLabel::ScaleDetectionLabel(QWidget* parent)
    : QLabel("...", parent), hide_timer_(new QTimer(this)) {
  setObjectName("lblMessage");
  setStyleSheet(Look("#ffff00", "#000000"));
  hide();
  hide_timer_->setSingleShot(true);
  hide_timer_->setInterval(kShownMs);
  connect(hide_timer_, &QTimer::timeout, this, &QLabel::hide);
}

void ScaleDetectionLabel::ShowResult(int detected) {
  if (detected > 0) {
    setText(" Scale Detected ");
    setStyleSheet(Look("#008000", "#00ff00"));
  } else if (detected == kIrregularScale || detected == 0) {
    setText(" Unknow ");
    setStyleSheet(Look("#800080", "#ff00ff"));
  } else {
    setText(" No Scale ");
    setStyleSheet(Look("#800000", "#ff0000"));
  }
  show();
  hide_timer_->start();
}

}  // namespace morvane
