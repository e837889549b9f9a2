// The groups of the module control window and their controls.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/midi/sysex_format.h"
#include "ui/controls/value_knob.h"
#include "ui/module/module_control_window.h"

namespace morvane {

namespace {

// Switch looks: OFF aqua on black; ON yellow on red ("warm") or lime on teal.
const QColor kOffText(0, 255, 255);
const QColor kOffBack(0, 0, 0);
const QColor kWarmText(255, 255, 0);
const QColor kWarmBack(255, 0, 0);
const QColor kCoolText(0, 255, 0);
const QColor kCoolBack(0, 128, 128);

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(name);
  return group;
}

// A knob above its caption.
QWidget* Captioned(QWidget* parent, const QString& caption, QWidget* control) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  control->setParent(box);
  layout->addWidget(control, 0, Qt::AlignHCenter);
  auto* label = new QLabel(caption, box);
  label->setAlignment(Qt::AlignHCenter);
  layout->addWidget(label);
  return box;
}

}  // namespace

ValueKnob* ModuleControlWindow::MakeKnob(QWidget* parent, const char* name, int min, int max,
                                         int initial, const QString& hint) {
  ValueKnob* knob = MakeValueKnob(parent, name, hint, min, max, initial);
  knob->SetColors(Qt::yellow, Qt::black);
  knob->setFixedSize(40, 22);
  return knob;
}

// A switch is a knob of 0 and 1 showing "OFF" or "ON", on a panel that takes its background.
ValueKnob* ModuleControlWindow::MakeSwitch(QWidget* parent, const char* name, const QString& hint,
                                           bool warm) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString(name) + "Panel");
  panel->setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(3, 3, 3, 3);
  ValueKnob* knob = MakeValueKnob(panel, name, hint, 0, 1, 0);
  knob->setFixedSize(40, 20);
  knob->SetDisplay([](int on) { return on ? QString("ON") : QString("OFF"); });
  knob->setProperty("warm", warm);
  layout->addWidget(knob);
  ShowSwitch(knob, false);
  return knob;
}

void ModuleControlWindow::ShowSwitch(ValueKnob* knob, bool on) {
  knob->SetState(on ? 1 : 0);
  const bool warm = knob->property("warm").toBool();
  const QColor text = on ? (warm ? kWarmText : kCoolText) : kOffText;
  const QColor back = on ? (warm ? kWarmBack : kCoolBack) : kOffBack;
  knob->SetColors(text, back);
  QWidget* panel = knob->parentWidget();
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, back);
  panel->setPalette(colours);
}

QComboBox* ModuleControlWindow::MakeList(QWidget* parent, const char* name, const QString& hint) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setToolTip(hint);
  list->setMaxVisibleItems(24);
  return list;
}

QWidget* ModuleControlWindow::BuildControls() {
  auto* controls = new QWidget(this);
  auto* layout = new QGridLayout(controls);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildSetupGroup());
  top->addWidget(BuildPanelGroup());
  top->addWidget(BuildMidiToCvGroup(), 1);
  layout->addLayout(top, 0, 0, 1, 2);
  auto* left = new QVBoxLayout;
  left->addWidget(BuildControllersGroup());
  left->addWidget(BuildClockGroup());
  layout->addLayout(left, 1, 0);
  layout->addWidget(BuildGateGroup(), 1, 1);
  layout->addWidget(BuildAdvancedGroup(), 2, 0, 1, 2);
  return controls;
}

QWidget* ModuleControlWindow::BuildSetupGroup() {
  QGroupBox* group = MakeGroup(this, "GroupBox1", "MIDI Setup");
  auto* layout = new QHBoxLayout(group);
  channel_knob_ = MakeKnob(group, "kvpotlab20", 1, 16, 1, "MIDI Channel");
  trigger_knob_ = MakeKnob(group, "kvpotlab21", 0, 255, 12, "Gate /Trigger Duration");
  layout->addWidget(Captioned(group, "Channel", channel_knob_));
  layout->addWidget(Captioned(group, "Trigger", trigger_knob_));
  return group;
}

QWidget* ModuleControlWindow::BuildPanelGroup() {
  QGroupBox* group = MakeGroup(this, "GroupBox2", "Panel");
  auto* layout = new QGridLayout(group);
  bank_range_knob_ = MakeKnob(group, "kvpotlab36", 0, kRangeCount - 2, 4, "Bank Pot Range");
  wave_range_knob_ = MakeKnob(group, "kvpotlab37", 0, kRangeCount - 1, 5, "Wave Pot Range  ");
  for (ValueKnob* knob : {bank_range_knob_, wave_range_knob_}) {
    knob->SetDisplay([](int r) { return QString::number(RangePositions(r)); });
  }
  layout->addWidget(Captioned(group, "Range  B", bank_range_knob_), 0, 0);
  layout->addWidget(Captioned(group, "Range W", wave_range_knob_), 0, 1);
  zero_cross_box_ = new QCheckBox("ZX Detector", group);
  zero_cross_box_->setObjectName("CheckBox1");
  zero_cross_box_->setToolTip("Set the Zero Crossing Detector On/Off");
  layout->addWidget(zero_cross_box_, 1, 0, 1, 2);
  return group;
}

QWidget* ModuleControlWindow::BuildMidiToCvGroup() {
  QGroupBox* group = MakeGroup(this, "GroupBox3", "MIDI to CV");
  auto* layout = new QHBoxLayout(group);
  midi_to_cv_switch_ = MakeSwitch(group, "kvpotlab38", "", true);
  retrigger_switch_ = MakeSwitch(group, "kvpotlab33", "Retrigg GATE for each MIDI notes", false);
  note_ref_knob_ = MakeKnob(group, "kvpotlab22", 0, 127, 24, "Lowest MIDI keyboard note #");
  layout->addWidget(Captioned(group, "MIDI 2 CV Mode", midi_to_cv_switch_->parentWidget()));
  layout->addWidget(Captioned(group, "ReTrigg", retrigger_switch_->parentWidget()));
  layout->addWidget(Captioned(group, "Note Ref", note_ref_knob_));
  return group;
}

QWidget* ModuleControlWindow::BuildControllersGroup() {
  QGroupBox* group = MakeGroup(this, "GroupBox4", "MIDI Controlers");
  auto* layout = new QGridLayout(group);
  bank_list_ = MakeList(group, "ComboBox5", "MIDI CC assigned to the Bank Selector");
  wave_list_ = MakeList(group, "ComboBox4", "MIDI CC assigned to the Wave Selector");
  layout->addWidget(new QLabel("Bank", group), 0, 0);
  layout->addWidget(bank_list_, 0, 1);
  layout->addWidget(new QLabel("Wave ", group), 1, 0);
  layout->addWidget(wave_list_, 1, 1);
  layout->setColumnStretch(1, 1);
  return group;
}

QWidget* ModuleControlWindow::BuildClockGroup() {
  QGroupBox* group = MakeGroup(this, "GroupBox5", "MIDI Clock ");
  auto* layout = new QGridLayout(group);
  clock_reset_knob_ = MakeKnob(group, "kvpotlab23", 1, 255, 16, "Counter Reset Value");
  divider_knob_ = MakeKnob(group, "kvpotlab1", 0, 255, 24, "MIDI Clock Divider");
  bpm_list_ = MakeList(group, "ComboBox2", "BPM Presets");
  counter_list_ = MakeList(group, "ComboBox3", "Assign MIDI Clock Counter to ...");
  layout->addWidget(Captioned(group, "Reset", clock_reset_knob_), 0, 0, 2, 1);
  layout->addWidget(Captioned(group, "Divider", divider_knob_), 0, 1, 2, 1);
  layout->addWidget(bpm_list_, 0, 2);
  layout->addWidget(counter_list_, 1, 2);
  auto* clock_button = new QPushButton("Send MIDI Clock", group);
  clock_button->setObjectName("SpeedButton7");
  clock_button->setEnabled(false);  // the clock comes with the module maintenance commands
  layout->addWidget(clock_button, 2, 0, 1, 3);
  return group;
}

QWidget* ModuleControlWindow::BuildGateGroup() {
  QGroupBox* group = MakeGroup(this, "GroupBox6", "GATE Input");
  auto* layout = new QVBoxLayout(group);
  gate_list_ = MakeList(group, "ComboBox6", "Assign GATE IN to ...");
  layout->addWidget(gate_list_);

  reset_panel_ = new QWidget(group);
  reset_panel_->setObjectName("PanelReset");
  auto* reset_layout = new QHBoxLayout(reset_panel_);
  reset_layout->setContentsMargins(0, 0, 0, 0);
  gate_reset_knob_ =
      MakeKnob(reset_panel_, "kvpotlab24", 1, 255, 16, "Internal 8 Bits Counter Reset Value");
  reset_layout->addWidget(Captioned(reset_panel_, "Reset", gate_reset_knob_));
  layout->addWidget(reset_panel_);

  player_panel_ = new QWidget(group);
  player_panel_->setObjectName("PanelPlayer");
  auto* player_layout = new QGridLayout(player_panel_);
  player_layout->setContentsMargins(0, 0, 0, 0);
  player_switch_ = MakeSwitch(player_panel_, "kvpotlab41", "Sample Player Mode", true);
  note_map_switch_ = MakeSwitch(player_panel_, "kvpotlab39", "Map Samples to MIDI notes", false);
  sample_map_list_ = MakeList(player_panel_, "ComboBox7", "Sample Map");
  sample_map_list_->setEnabled(false);
  player_layout->addWidget(Captioned(player_panel_, "Player Mode", player_switch_->parentWidget()),
                           0, 0);
  player_layout->addWidget(
      Captioned(player_panel_, "MIDI Notes ", note_map_switch_->parentWidget()), 0, 1);
  player_layout->addWidget(sample_map_list_, 1, 0, 1, 2);
  layout->addWidget(player_panel_);
  player_panel_->hide();
  layout->addStretch(1);
  return group;
}

QWidget* ModuleControlWindow::BuildAdvancedGroup() {
  QGroupBox* group = MakeGroup(this, "GroupBox7", "Advanced");
  auto* layout = new QHBoxLayout(group);
  layout->addWidget(new QLabel("Firmware rev", group));
  layout->addWidget(new QLabel("1.", group));
  firmware_label_ = new QLabel("00", group);
  firmware_label_->setObjectName("lbFirmware");
  layout->addWidget(firmware_label_);
  layout->addSpacing(12);
  recall_box_ = new QCheckBox("Flash recall adress 000", group);
  recall_box_->setObjectName("cbAdressZero");
  recall_box_->setToolTip("Keep this checked ...");
  recall_box_->setChecked(true);
  handshake_box_ = new QCheckBox("Handshake Sysex TX ", group);
  handshake_box_->setObjectName("cbHandshakeTx");
  handshake_box_->setToolTip(
      "Active MIDI handshake transmissions - Require 2 MIDI wires  (IN and OUT )");
  handshake_box_->setChecked(true);
  layout->addWidget(recall_box_);
  layout->addWidget(handshake_box_);
  layout->addStretch(1);
  return group;
}

}  // namespace morvane
