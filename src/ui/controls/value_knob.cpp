#include "ui/controls/value_knob.h"

#include <QColor>
#include <QMouseEvent>
#include <QPalette>

#include "ui/controls/knob_input.h"

namespace morvane {

ValueKnob::ValueKnob(QWidget* parent) : QLabel(parent) {
  resize(30, 30);
  ShowState();
  // A right click steps the value; it must not open a parent's context menu as well.
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void ValueKnob::SetState(int v) {
  if (model_.SetState(v)) ShowState();
}

void ValueKnob::SetColors(const QColor& text, const QColor& back) {
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, text);
  colours.setColor(QPalette::Window, back);
  setPalette(colours);
  setAutoFillBackground(true);
  // Toolbars paint their widgets with the style's own colours; a style sheet holds everywhere.
  setStyleSheet(QString("color: %1; background-color: %2;").arg(text.name(), back.name()));
}

void ValueKnob::mousePressEvent(QMouseEvent* event) { HandleMouse(event); }
void ValueKnob::mouseMoveEvent(QMouseEvent* event) { HandleMouse(event); }
void ValueKnob::mouseReleaseEvent(QMouseEvent* event) { HandleMouse(event); }

void ValueKnob::HandleMouse(QMouseEvent* event) {
  const bool fire = FeedKnobMouse(model_, *this, *event);
  ShowState();
  event->accept();
  if (fire) emit OnChange();
}

void ValueKnob::SetDisplay(std::function<QString(int)> display) {
  display_ = std::move(display);
  ShowState();
}

void ValueKnob::SetSuffix(const QString& suffix) {
  SetDisplay([suffix](int value) { return QString::number(value) + suffix; });
}

void ValueKnob::ShowState() {
  const QString text = display_ ? display_(model_.State()) : QString::number(model_.State());
  if (text != this->text()) setText(text);
}

ValueKnob* MakeValueKnob(QWidget* parent, const char* name, const QString& hint, int min, int max,
                         int initial) {
  auto* knob = new ValueKnob(parent);
  knob->setObjectName(name);
  knob->setToolTip(hint);
  knob->SetMin(min);
  knob->SetMax(max);
  knob->SetState(initial);
  knob->SetCursorRange(200);
  knob->setAlignment(Qt::AlignCenter);
  return knob;
}

ValueKnob* MakeDialogKnob(QWidget* parent, const char* name, const QString& hint, int min, int max,
                          int initial, QSize size) {
  ValueKnob* knob = MakeValueKnob(parent, name, hint, min, max, initial);
  knob->SetColors(Qt::yellow, Qt::black);
  knob->setFixedSize(size);
  return knob;
}

}  // namespace morvane
