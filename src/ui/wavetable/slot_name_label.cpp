#include "ui/wavetable/slot_name_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace morvane {

namespace {

// The narrowest the label gets, in characters of its font.
constexpr int kMinimumCharacters = 8;

}  // namespace

SlotNameLabel::SlotNameLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QSize SlotNameLabel::minimumSizeHint() const {
  const QMargins margins = contentsMargins();
  return QSize(
      fontMetrics().averageCharWidth() * kMinimumCharacters + margins.left() + margins.right(),
      QLabel::minimumSizeHint().height());
}

QString SlotNameLabel::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideLeft, contentsRect().width());
}

bool SlotNameLabel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const QString shown = ShownText();
    if (shown != text()) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QLabel::event(event);
}

void SlotNameLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                        isEnabled(), ShownText(), foregroundRole());
}

}  // namespace morvane
