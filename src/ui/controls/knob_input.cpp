#include "ui/controls/knob_input.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace morvane {

namespace {

KnobButton ToKnobButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return KnobButton::kLeft;
    case Qt::RightButton:
      return KnobButton::kRight;
    default:
      return KnobButton::kNone;
  }
}

}  // namespace

bool FeedKnobMouse(KnobModel& model, QWidget& knob, const QMouseEvent& event) {
  const QPoint pos = event.position().toPoint();
  const KnobButton button = ToKnobButton(event.button());
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // a quick second click steps like the first
      if (button == KnobButton::kNone) return false;
      knob.setFocus(Qt::MouseFocusReason);
      model.Press(button, pos.x(), pos.y());
      return false;
    case QEvent::MouseMove:
      return model.Move(pos.x(), pos.y(), event.buttons().testFlag(Qt::LeftButton));
    case QEvent::MouseButtonRelease:
      return model.Release(button, pos.x(), pos.y(), event.modifiers().testFlag(Qt::ShiftModifier));
    default:
      return false;
  }
}

std::optional<KnobKeyPress> KnobKeyOf(const QKeyEvent& event) {
  const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
  switch (event.key()) {
    case Qt::Key_PageUp:
      return KnobKeyPress{KnobKey::kPageUp, shift};
    case Qt::Key_PageDown:
      return KnobKeyPress{KnobKey::kPageDown, shift};
    case Qt::Key_End:
      return KnobKeyPress{KnobKey::kEnd, shift};
    case Qt::Key_Home:
      return KnobKeyPress{KnobKey::kHome, shift};
    default:
      return std::nullopt;
  }
}

}  // namespace morvane
