#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QTest>
#include <QWidget>

#include "ui/controls/value_knob.h"

namespace morvane::testing {

// A mouse move with `buttons` held, as the window system delivers it during a drag.
inline void MoveWithButtons(QWidget* widget, QPoint pos, Qt::MouseButtons buttons) {
  QMouseEvent event(QEvent::MouseMove, QPointF(pos), widget->mapToGlobal(QPointF(pos)),
                    Qt::NoButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// A distinct solid colour per frame, so a grabbed pixel tells which frame is shown.
inline QColor FrameColour(int index) {
  return QColor((index * 53 + 20) % 256, (index * 97 + 40) % 256, (200 + index * 31) % 256);
}

// A strip of `frames` solid frames of `frame` size, coloured by FrameColour.
inline QPixmap ColourStrip(int frames, QSize frame) {
  QPixmap strip(frames * frame.width(), frame.height());
  QPainter painter(&strip);
  for (int i = 0; i < frames; ++i) {
    painter.fillRect(i * frame.width(), 0, frame.width(), frame.height(), FrameColour(i));
  }
  return strip;
}

// Brings a knob to v the way a user finishes: the last step is a real click on it, which fires
// its change event.
inline void TurnKnob(ValueKnob* knob, int v) {
  const QPoint inside(knob->width() / 2, knob->height() / 2);
  if (v > knob->Min()) {
    knob->SetState(v - 1);
    QTest::mouseClick(knob, Qt::RightButton, {}, inside);
  } else {
    knob->SetState(v + 1);
    QTest::mouseClick(knob, Qt::LeftButton, {}, inside);
  }
}

// The colour the user sees at `pos` of the widget.
inline QColor PixelAt(QWidget& widget, QPoint pos) {
  return widget.grab().toImage().pixelColor(pos);
}

// How many pixels of the widget as the user sees it are yellowish: antialiased digits drawn in
// yellow are never pure yellow.
inline int YellowishPixels(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  int yellow = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c(image.pixel(x, y));
      yellow += c.red() > 128 && c.green() > 128 && c.blue() < 64;
    }
  }
  return yellow;
}

}  // namespace morvane::testing
