#include "ui/controls/toggle_panel.h"

#include <QMouseEvent>
#include <QPalette>

#include "ui/shell/color_value.h"

namespace morvane {

TogglePanel::TogglePanel(const QString& caption, QWidget* parent, const Look& look)
    : QLabel(caption, parent), look_(look) {
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  setMinimumSize(22, 18);
  ShowState();
}

void TogglePanel::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  ShowState();
}

QColor TogglePanel::BackColor() const { return palette().color(QPalette::Window); }
QColor TogglePanel::TextColor() const { return palette().color(QPalette::WindowText); }

void TogglePanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  event->accept();
  on_ = !on_;
  ShowState();
  emit Clicked();
}

void TogglePanel::ShowState() {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, ColorFromValue(on_ ? look_.on_back : look_.off_back));
  colours.setColor(QPalette::WindowText, ColorFromValue(on_ ? look_.on_text : look_.off_text));
  setPalette(colours);
}

TogglePanel* MakeTogglePanel(QWidget* parent, const char* name, const QString& caption,
                             const QString& hint, bool on, const TogglePanel::Look& look) {
  auto* toggle = new TogglePanel(caption, parent, look);
  toggle->setObjectName(name);
  toggle->setToolTip(hint);
  toggle->SetOn(on);
  return toggle;
}

}  // namespace morvane
