#include "ui/wavetable/compare_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/wavetable/wavetable_store.h"
#include "ui/controls/value_knob.h"

namespace morvane {

CompareDialog::CompareDialog(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName("Form15");
  setWindowTitle("Compare");
  setModal(true);
  // Only a close box: no help or other title-bar buttons.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(new QLabel("Wavetable ", this));
  knob_a_ = MakeDialogKnob(this, "kvpotlab1", "Wavetable ", 1, kSlotCount, 1, QSize(28, 22));
  layout->addWidget(knob_a_);
  layout->addWidget(new QLabel("and ", this));
  knob_b_ = MakeDialogKnob(this, "kvpotlab2", "and ", 1, kSlotCount, 1, QSize(28, 22));
  layout->addWidget(knob_b_);
  auto* compare = new QPushButton("Compare", this);
  compare->setObjectName("Button1");
  compare->setDefault(true);
  connect(compare, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(compare);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CompareDialog::Ask(int first) {
  knob_a_->SetState(first);
  return exec() == QDialog::Accepted;
}

}  // namespace morvane
