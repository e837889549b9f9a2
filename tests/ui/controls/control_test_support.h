#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QWidget>

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

// The colour the user sees at `pos` of the widget.
inline QColor PixelAt(QWidget& widget, QPoint pos) {
  return widget.grab().toImage().pixelColor(pos);
}

}  // namespace morvane::testing
