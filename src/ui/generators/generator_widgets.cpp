#include "ui/generators/generator_widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

#include "ui/controls/value_knob.h"

namespace morvane {

ValueKnob* MakeGeneratorKnob(QWidget* parent, const char* name, const QString& hint, int min,
                             int max, int initial) {
  ValueKnob* knob = MakeValueKnob(parent, name, hint, min, max, initial);
  knob->setFixedSize(44, 18);
  knob->SetColors(QColor(0, 255, 255), Qt::black);
  return knob;
}

QGroupBox* MakeGroup(QWidget* parent, const QString& title, QLayout* layout) {
  auto* group = new QGroupBox(title, parent);
  group->setLayout(layout);
  return group;
}

QLabel* MakeCaption(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& text,
                            const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setToolTip(hint);
  button->setMinimumWidth(64);
  return button;
}

}  // namespace morvane
