#include "ui/wavetable/choice_box.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace morvane {

ChoiceBox::ChoiceBox(QWidget* parent) : QDialog(parent) {
  setObjectName("Form2");
  setWindowTitle("Send to MIDI");
  setModal(true);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(AddButton("One Bank", "btnOneBank", Choice::kOneBank));
  layout->addWidget(AddButton("WaveTable", "btnWaveTable", Choice::kWaveTable));
  selected_button_ = AddButton("Selected", "btnSelected", Choice::kSelected);
  selected_button_->setDefault(true);
  layout->addWidget(selected_button_);
  layout->addWidget(AddButton("Cancel", "btnCancel", Choice::kCancel));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

ChoiceBox::Choice ChoiceBox::Ask(const QString& caption, bool selected_enabled) {
  setWindowTitle(caption);
  selected_button_->setEnabled(selected_enabled);
  // A previous answer must not come back when the box is closed without a button.
  choice_ = Choice::kCancel;
  exec();
  return choice_;
}

QPushButton* ChoiceBox::AddButton(const QString& text, const QString& object_name, Choice choice) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(object_name);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, choice] {
    choice_ = choice;
    if (choice == Choice::kCancel) {
      reject();
    } else {
      accept();
    }
  });
  return button;
}

}  // namespace morvane
