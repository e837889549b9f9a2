#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/controls/value_knob.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/tool_icons.h"

namespace morvane {

namespace {

QComboBox* MakePortList(const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setMinimumWidth(220);
  list->setMaxVisibleItems(16);
  return list;
}

QCheckBox* MakeCheckBox(const char* name, const QString& caption, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setChecked(checked);
  return box;
}

// Fills a port list and shows `entry` in it when there is such an entry.
// Selects `entry`; a position the list does not have selects nothing, so the port named by it
// is the empty name, which no device has.
void SelectPortEntry(QComboBox* list, int entry) {
  list->setCurrentIndex(entry >= 0 && entry < list->count() ? entry : -1);
}

void FillPortList(QComboBox* list, const QStringList& names, int entry) {
  list->clear();
  list->addItems(names);
  SelectPortEntry(list, entry);
}

}  // namespace

QWidget* OptionsDialog::BuildMidiPage() {
  auto* page = new QWidget(this);
  page->setObjectName("TabMidi");
  auto* layout = new QVBoxLayout(page);

  auto* devices = new QGroupBox("Devices", page);
  auto* device_grid = new QGridLayout(devices);
  midi_input_list_ = MakePortList("cmbInput", devices);
  midi_output_list_ = MakePortList("cmbOutput", devices);
  sysex_send_delay_knob_ = MakeKnob("kvpotlab1", 0, 999, 0, "MIDI Output Delay ");
  time_out_knob_ = MakeKnob("kvpotlab5", 0, 999, 20, "MIDI Input Time Out Error Delay ");
  device_grid->addWidget(new QLabel("In", devices), 0, 0);
  device_grid->addWidget(midi_input_list_, 0, 1, 1, 3);
  device_grid->addWidget(new QLabel("Out", devices), 1, 0);
  device_grid->addWidget(midi_output_list_, 1, 1, 1, 3);
  device_grid->addWidget(new QLabel("Sysex Send Delay", devices), 2, 0, 1, 2);
  device_grid->addWidget(sysex_send_delay_knob_, 2, 2);
  device_grid->addWidget(new QLabel("Time Out Delay ", devices), 3, 0, 1, 2);
  device_grid->addWidget(time_out_knob_, 3, 2);
  device_grid->setColumnStretch(3, 1);
  layout->addWidget(devices);

  auto* krn5 = new QGroupBox("KRN5 Control", page);
  auto* krn5_row = new QHBoxLayout(krn5);
  krn5_input_knob_ = MakeKnob("kvpotlab2", 0, 7, 0, "MIDI Output Delay ");
  krn5_merge_box_ = MakeCheckBox("CheckBox1", "Merge", false, krn5);
  krn5_merge_box_->setLayoutDirection(Qt::RightToLeft);  // its box on the right of "Merge"
  krn5_startup_send_box_ = MakeCheckBox("CheckBox2", "Startup Send", true, krn5);
  auto* send = new QToolButton(krn5);
  send->setObjectName("btnSendKrn5");
  send->setToolTip("Send KRN5 setup to MIDI");
  send->setIcon(GlyphIcon("TX", QColor(190, 120, 30)));
  send->setIconSize(QSize(20, 20));
  krn5_row->addWidget(new QLabel("Input", krn5));
  krn5_row->addWidget(krn5_input_knob_);
  krn5_row->addSpacing(12);
  krn5_row->addWidget(krn5_merge_box_);
  krn5_row->addSpacing(12);
  krn5_row->addWidget(krn5_startup_send_box_);
  krn5_row->addStretch(1);
  krn5_row->addWidget(send);
  layout->addWidget(krn5);

  auto* capture = new QGroupBox("MIDI Capture", page);
  auto* capture_row = new QHBoxLayout(capture);
  capture_note_on_box_ = MakeCheckBox("CheckBox6", "Note ON", true, capture);
  capture_controller_box_ = MakeCheckBox("CheckBox8", "Controler", true, capture);
  capture_row->addWidget(capture_note_on_box_);
  capture_row->addSpacing(12);
  capture_row->addWidget(capture_controller_box_);
  capture_row->addStretch(1);
  layout->addWidget(capture);
  layout->addStretch(1);

  // Only the user's choices reach the MIDI transport; filling and setting the lists does not.
  connect(midi_input_list_, &QComboBox::activated, this, [this](int entry) {
    if (entry == midi_in_) return;
    midi_in_ = entry;
    emit MidiPortChosen();
  });
  connect(midi_output_list_, &QComboBox::activated, this, [this](int entry) {
    if (entry == midi_out_) return;
    midi_out_ = entry;
    emit MidiPortChosen();
  });
  connect(krn5_input_knob_, &ValueKnob::OnChange, this,
          [this] { emit Krn5InputChanged(krn5_input_knob_->State()); });
  connect(krn5_merge_box_, &QCheckBox::clicked, this, &OptionsDialog::Krn5MergeClicked);
  connect(send, &QToolButton::clicked, this, &OptionsDialog::SendKrn5Clicked);
  return page;
}

void OptionsDialog::SetMidiInputNames(const QStringList& names) {
  FillPortList(midi_input_list_, names, midi_in_);
}

void OptionsDialog::SetMidiOutputNames(const QStringList& names) {
  FillPortList(midi_output_list_, names, midi_out_);
}

int OptionsDialog::MidiIn() const {
  return midi_input_list_->count() > 0 ? midi_input_list_->currentIndex() : midi_in_;
}

void OptionsDialog::SetMidiIn(int entry) {
  midi_in_ = entry;
  if (midi_input_list_->count() > 0) SelectPortEntry(midi_input_list_, entry);
}

int OptionsDialog::MidiOut() const {
  return midi_output_list_->count() > 0 ? midi_output_list_->currentIndex() : midi_out_;
}

void OptionsDialog::SetMidiOut(int entry) {
  midi_out_ = entry;
  if (midi_output_list_->count() > 0) SelectPortEntry(midi_output_list_, entry);
}

int OptionsDialog::TimeOut() const { return time_out_knob_->State(); }

void OptionsDialog::SetTimeOut(int value) { time_out_knob_->SetState(value); }

int OptionsDialog::SysexSendDelay() const { return sysex_send_delay_knob_->State(); }

int OptionsDialog::Krn5Input() const { return krn5_input_knob_->State(); }

bool OptionsDialog::Krn5Merge() const { return krn5_merge_box_->isChecked(); }

bool OptionsDialog::Krn5StartupSend() const { return krn5_startup_send_box_->isChecked(); }

bool OptionsDialog::CaptureNoteOn() const { return capture_note_on_box_->isChecked(); }

bool OptionsDialog::CaptureController() const { return capture_controller_box_->isChecked(); }

}  // namespace morvane
