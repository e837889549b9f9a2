#include "ui/controls/click_panel.h"

#include <QMouseEvent>

#include "ui/shell/color_value.h"

namespace morvane {

ClickPanel::ClickPanel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  setMinimumHeight(18);
}

void ClickPanel::SetColors(std::uint32_t back, std::uint32_t text) {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, ColorFromValue(back));
  colours.setColor(QPalette::WindowText, ColorFromValue(text));
  setPalette(colours);
}

void ClickPanel::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit Pressed(event->button(), event->globalPosition().toPoint());
}

}  // namespace morvane
