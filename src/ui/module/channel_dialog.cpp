#include "ui/module/channel_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/controls/value_knob.h"

namespace morvane {

namespace {

constexpr QSize kKnobSize(56, 28);

}  // namespace

ChannelDialog::ChannelDialog(QWidget* parent)
    : QDialog(parent),
      actual_(MakeDialogKnob(this, "kvpotlabActual", "MIDI Channel", 1, 16, 1, kKnobSize)),
      new_channel_(MakeDialogKnob(this, "kvpotlabNew", "MIDI Channel", 1, 16, 1, kKnobSize)) {
  setObjectName("Form10");
  setWindowTitle("Change MIDI Channel ");
  setModal(true);
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Actual", this), 0, 0, Qt::AlignHCenter);
  layout->addWidget(new QLabel("New", this), 0, 1, Qt::AlignHCenter);
  layout->addWidget(actual_, 1, 0, Qt::AlignHCenter);
  layout->addWidget(new_channel_, 1, 1, Qt::AlignHCenter);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("btnCancel");
  cancel->setAutoDefault(false);
  auto* ok = new QPushButton("Ok", this);
  ok->setObjectName("btnOk");
  ok->setDefault(true);
  layout->addWidget(cancel, 2, 0);
  layout->addWidget(ok, 2, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

std::optional<int> ChannelDialog::AskNewChannel(int channel) {
  actual_->SetState(channel);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return new_channel_->State();
}

}  // namespace morvane
