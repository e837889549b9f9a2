// What each control change of the module control window sends, and the rules that keep the
// controls consistent with one another. The values and bytes come from the core rules.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include "core/midi/controller_names.h"
#include "core/midi/module_messages.h"
#include "core/module/parameter_store.h"
#include "ui/controls/value_knob.h"
#include "ui/midi/midi_transport_window.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_window.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"

namespace morvane {

namespace {

// List positions of the entries the rules name.
constexpr int kDisabled = 0;
constexpr int kCounterGate = static_cast<int>(ClockCounterAssignment::kGate);
constexpr int kGateSample = static_cast<int>(GateInputAssignment::kSample);

enum Preset {
  kCvQuantizer,
  kWavetableOsc,
  kSequencerGate,
  kSequencerClock,
  kSamplePlayer,
  kSamplePlayerMap,
  kMidiToCvGate,
};

bool IsOn(const ValueKnob* knob) { return knob->State() != 0; }

}  // namespace

void ModuleControlWindow::ConnectControls() {
  const auto on_change = [this](ValueKnob* knob, const std::function<void()>& handler) {
    connect(knob, &ValueKnob::OnChange, this, handler);
  };
  const auto on_choice = [this](QComboBox* list, const std::function<void()>& handler) {
    // Only a user's choice: the lists set by the program send nothing.
    connect(list, &QComboBox::activated, this, handler);
  };
  on_change(channel_knob_, [this] {
    app_.parameters().SetParam(SelectedModule(), kImageChannel,
                               static_cast<std::uint8_t>(Channel() - 1));
    SetChannel(Channel());  // the editor's files follow
  });
  on_change(trigger_knob_, [this] { SendParameter(ModuleParameter::kTrigger); });
  on_change(bank_range_knob_, [this] { SendParameter(ModuleParameter::kBankRange); });
  on_change(wave_range_knob_, [this] { SendParameter(ModuleParameter::kWaveRange); });
  on_change(note_ref_knob_, [this] { SendParameter(ModuleParameter::kNoteRef); });
  on_change(clock_reset_knob_, [this] { SendParameter(ModuleParameter::kClockReset); });
  on_change(gate_reset_knob_, [this] { SendParameter(ModuleParameter::kGateReset); });
  on_change(divider_knob_, [this] { DividerChanged(); });
  on_change(midi_to_cv_switch_, [this] { MidiToCvChanged(); });
  for (ValueKnob* knob : {retrigger_switch_, player_switch_, note_map_switch_}) {
    on_change(knob, [this, knob] { Config2SwitchChanged(knob); });
  }
  on_choice(bank_list_, [this] { SendParameter(ModuleParameter::kBankController); });
  on_choice(wave_list_, [this] { SendParameter(ModuleParameter::kWaveController); });
  on_choice(bpm_list_, [this] { BpmChosen(); });
  on_choice(counter_list_, [this] { CounterChosen(); });
  on_choice(gate_list_, [this] { GateChosen(); });
  on_choice(sample_map_list_, [this] { SendConfig2(); });
  connect(zero_cross_box_, &QCheckBox::clicked, this,
          [this](bool on) { Send(kCommandZeroCross, on ? kZeroCrossOn : kZeroCrossOff); });
  for (QCheckBox* box : {recall_box_, handshake_box_}) {
    // Every change sends, whoever makes it; only the user's own changes go into the image.
    connect(box, &QCheckBox::toggled, this, [this] { SendFlags(); });
    connect(box, &QCheckBox::clicked, this, [this] {
      app_.parameters().SetParam(SelectedModule(), kImageFlags, FlagsByte(CurrentControls()));
    });
  }
}

ModuleControls ModuleControlWindow::CurrentControls() const {
  ModuleControls controls;
  controls.channel = Channel();
  controls.wave_list_position = wave_list_->currentIndex();
  controls.bank_list_position = bank_list_->currentIndex();
  controls.note_ref = note_ref_knob_->State();
  controls.trigger = trigger_knob_->State();
  controls.clock_reset = clock_reset_knob_->State();
  controls.gate_reset = gate_reset_knob_->State();
  controls.bank_range = bank_range_knob_->State();
  controls.wave_range = wave_range_knob_->State();
  controls.divider = divider_knob_->State();
  controls.midi_to_cv = IsOn(midi_to_cv_switch_);
  controls.counter =
      static_cast<ClockCounterAssignment>(std::max(0, counter_list_->currentIndex()));
  controls.gate = static_cast<GateInputAssignment>(std::max(0, gate_list_->currentIndex()));
  controls.retrigger = IsOn(retrigger_switch_);
  controls.player_mode = IsOn(player_switch_);
  controls.note_map = IsOn(note_map_switch_);
  controls.sample_map = std::max(0, sample_map_list_->currentIndex());
  controls.firmware = firmware_;
  controls.handshake = handshake_box_->isChecked();
  controls.flash_recall = recall_box_->isChecked();
  return controls;
}

// --- Sending -----------------------------------------------------------------------------------

void ModuleControlWindow::UserAction(const std::function<void()>& command) {
  port_error_reported_ = false;
  command();
}

bool ModuleControlWindow::Send(int command, int value) {
  return SendOnPort(
      [this, command, value](MidiOut& out) { SendCommand(out, Channel() - 1, command, value); });
}

void ModuleControlWindow::SendWaveformSelection(int bank, int wave) {
  if (!SendControllersChecked()) return;
  SendOnPort([this, bank, wave](MidiOut& out) {
    SendBankSelect(out, Channel() - 1, BankController(), bank);
    SendWaveSelect(out, Channel() - 1, WaveController(), wave);
  });
}

bool ModuleControlWindow::SendOnPort(const std::function<void(MidiOut&)>& send) {
  MidiTransportWindow* midi = app_.midi_transport_window();
  if (!midi) return false;
  try {
    send(midi->midi_output());
    return true;
  } catch (const MidiOutputError& error) {
    // The control keeps its new value; the user hears of the port once per action.
    if (!port_error_reported_) {
      port_error_reported_ = true;
      midi->ReportPortError(error);
    }
    return false;
  }
}

void ModuleControlWindow::SendParameter(ModuleParameter parameter) {
  const ParameterChange change = ChangeFor(parameter, CurrentControls());
  Send(change.command, change.value);
  app_.parameters().SetParam(SelectedModule(), change.image_byte, change.image_value);
}

void ModuleControlWindow::SendFlags() { Send(kCommandFlags, FlagsByte(CurrentControls())); }

void ModuleControlWindow::SendConfig1() {
  // The panels first: they may disable the gate input, and what is sent must be what is shown.
  UpdateGatePanels();
  SendParameter(ModuleParameter::kConfig1);
}

void ModuleControlWindow::SendConfig2() { SendParameter(ModuleParameter::kConfig2); }

void ModuleControlWindow::SendToMidi() {
  log_->AddLine(" > Send Parameters Chan " + std::to_string(Channel()));
  const ModuleControls controls = CurrentControls();
  MidiTransportWindow* midi = app_.midi_transport_window();
  for (const ModuleCommand& command :
       ParameterCommands(controls, controls.firmware >= kFirmwareSendingFlags)) {
    // A port error ends the command: the rest would only wait for nothing.
    if (!Send(command.command, command.value)) return;
    midi->WaitMs(50);
  }
}

// --- Control rules -----------------------------------------------------------------------------

void ModuleControlWindow::DividerChanged() {
  SendParameter(ModuleParameter::kDivider);
  ShowBpmFromDivider();
}

void ModuleControlWindow::ShowBpmFromDivider() {
  bpm_list_->setCurrentIndex(BpmPositionForDivider(divider_knob_->State()));
}

void ModuleControlWindow::BpmChosen() {
  divider_knob_->SetState(DividerForBpmPosition(bpm_list_->currentIndex(), divider_knob_->State()));
  SendParameter(ModuleParameter::kDivider);
}

void ModuleControlWindow::CounterChosen() { SendConfig1(); }

void ModuleControlWindow::GateChosen() {
  SendConfig1();
  if (gate_list_->currentIndex() != kGateSample) {
    ShowSwitch(player_switch_, false);
    Config2SwitchChanged(player_switch_);
  }
}

void ModuleControlWindow::MidiToCvChanged() {
  ShowMidiToCv(IsOn(midi_to_cv_switch_));
  SendConfig1();
}

void ModuleControlWindow::ShowMidiToCv(bool on) {
  ShowSwitch(midi_to_cv_switch_, on);
  if (on) {
    counter_list_->setCurrentIndex(kDisabled);
    gate_list_->setCurrentIndex(kDisabled);
  }
  counter_list_->setEnabled(!on);
  gate_list_->setEnabled(!on);
}

void ModuleControlWindow::Config2SwitchChanged(ValueKnob* knob) {
  const bool on = IsOn(knob);
  if (knob == player_switch_) {
    ShowPlayerMode(on);
  } else {
    ShowSwitch(knob, on);
  }
  SendConfig2();
}

void ModuleControlWindow::ShowPlayerMode(bool on) {
  ShowSwitch(player_switch_, on);
  sample_map_list_->setEnabled(on);
  reset_panel_->setVisible(!on);
}

void ModuleControlWindow::ApplyConfig1(std::uint8_t config1) {
  counter_list_->setCurrentIndex(CounterListPosition(config1));
  gate_list_->setCurrentIndex(GateListPosition(config1));
  ShowMidiToCv(MidiToCvFromConfig1(config1));
  UpdateGatePanels();
}

void ModuleControlWindow::ApplyConfig2(std::uint8_t config2) {
  ShowSwitch(retrigger_switch_, (config2 & kConfig2Retrigger) != 0);
  ShowSwitch(note_map_switch_, (config2 & kConfig2NoteMap) != 0);
  ShowPlayerMode((config2 & kConfig2SamplePlayer) != 0);
  sample_map_list_->setCurrentIndex(SampleMapIndexFromConfig2(config2));
  UpdateGatePanels();
}

void ModuleControlWindow::UpdateGatePanels() {
  if (gate_list_->currentIndex() == kGateSample) {
    player_panel_->show();
    reset_panel_->setVisible(!IsOn(player_switch_));
  } else {
    reset_panel_->show();
    player_panel_->hide();
  }
  if (counter_list_->currentIndex() == kCounterGate || IsOn(midi_to_cv_switch_)) {
    gate_list_->setCurrentIndex(kDisabled);
    gate_list_->setEnabled(false);
    reset_panel_->show();
    player_panel_->hide();
  } else {
    gate_list_->setEnabled(true);
  }
}

void ModuleControlWindow::ApplyPreset(int preset) {
  const auto set_lists = [this](int gate, int counter) {
    gate_list_->setCurrentIndex(gate);
    counter_list_->setCurrentIndex(counter);
  };
  const auto midi_to_cv = [this](bool on) {
    midi_to_cv_switch_->SetState(on ? 1 : 0);
    MidiToCvChanged();
  };
  const auto player_mode = [this](bool on) {
    player_switch_->SetState(on ? 1 : 0);
    Config2SwitchChanged(player_switch_);
  };
  switch (preset) {
    case kCvQuantizer:
    case kWavetableOsc:
    case kSequencerGate:
    case kSequencerClock:
      set_lists(preset == kSequencerGate ? kGateSample : kDisabled,
                preset == kSequencerClock ? kCounterGate : kDisabled);
      midi_to_cv(false);
      player_mode(false);
      SendConfig1();
      break;
    case kSamplePlayer:
      set_lists(kGateSample, kDisabled);
      midi_to_cv(false);
      ShowSwitch(note_map_switch_, false);
      player_mode(true);
      SendConfig1();
      break;
    case kSamplePlayerMap:
      midi_to_cv(false);
      set_lists(kGateSample, kDisabled);
      ShowSwitch(note_map_switch_, true);
      player_mode(true);
      SendConfig1();
      break;
    case kMidiToCvGate:
      midi_to_cv(true);
      break;
    default:
      break;
  }
}

// --- Images and slots --------------------------------------------------------------------------

int ModuleControlWindow::SelectedModule() const {
  if (selected_slot_ >= 1 &&
      slot_actions_[static_cast<std::size_t>(selected_slot_ - 1)]->isVisible()) {
    return selected_slot_ - 1;
  }
  return 0;
}

void ModuleControlWindow::StoreImage(int image) {
  app_.parameters().SetImage(
      image, morvane::StoreImage(CurrentControls(), app_.parameters().Image(image)));
}

void ModuleControlWindow::ApplyImage(int image) {
  // A copy: the check boxes below send as they change, and nothing may alter what is applied.
  const ParameterImage bytes = app_.parameters().Image(image);
  SetChannel(bytes[kImageChannel] + 1);
  wave_list_->setCurrentIndex(ListPositionFromControllerNumber(bytes[kImageWaveController]));
  bank_list_->setCurrentIndex(ListPositionFromControllerNumber(bytes[kImageBankController]));
  note_ref_knob_->SetState(bytes[kImageNoteRef]);
  trigger_knob_->SetState(bytes[kImageTrigger]);
  clock_reset_knob_->SetState(bytes[kImageClockReset]);
  gate_reset_knob_->SetState(bytes[kImageGateReset]);
  bank_range_knob_->SetState(bytes[kImageBankRange]);
  wave_range_knob_->SetState(bytes[kImageWaveRange]);
  divider_knob_->SetState(bytes[kImageDivider]);
  ApplyConfig1(bytes[kImageConfig1]);
  ShowBpmFromDivider();
  ApplyConfig2(bytes[kImageConfig2]);
  // The boxes go straight to their new states, unchecked for a firmware without flags, so that
  // only a box that ends in another state sends command 7.
  ShowFlags(ShowFirmware(bytes[kImageFirmware]) ? bytes[kImageFlags] : 0);
}

bool ModuleControlWindow::ShowFirmware(int firmware) {
  firmware_ = firmware;
  firmware_label_->setText(QString("%1").arg(firmware, 2, 10, QChar('0')));
  const bool known = firmware >= kFirmwareWithFlags;
  recall_box_->setEnabled(known);
  handshake_box_->setEnabled(known);
  return known;
}

void ModuleControlWindow::ShowFlags(std::uint8_t flags) {
  handshake_box_->setChecked((flags & kFlagHandshake) != 0);
  recall_box_->setChecked((flags & kFlagFlashRecall) != 0);
}

void ModuleControlWindow::SetChannel(int channel) {
  channel_knob_->SetState(channel);
  if (WaveformEditorWindow* editor = app_.waveform_editor()) editor->SetMidiChannel(Channel());
}

void ModuleControlWindow::ApplyParameterReply(const ParameterReply& reply) {
  note_ref_knob_->SetState(reply.note_ref);
  wave_list_->setCurrentIndex(ListPositionFromControllerNumber(reply.wave_controller));
  bank_list_->setCurrentIndex(ListPositionFromControllerNumber(reply.bank_controller));
  bank_range_knob_->SetState(reply.bank_range_index);
  wave_range_knob_->SetState(reply.wave_range_index);
  ShowMidiToCv(reply.midi_to_cv);
  if (!reply.midi_to_cv) {
    counter_list_->setCurrentIndex(CounterListPosition(reply.config1_assignments));
    gate_list_->setCurrentIndex(GateListPosition(reply.config1_assignments));
  }
  divider_knob_->SetState(reply.clock_divider);
  ShowBpmFromDivider();
  trigger_knob_->SetState(reply.gate_time);
  clock_reset_knob_->SetState(reply.clock_counter_reset);
  gate_reset_knob_->SetState(reply.internal_counter_reset);
  ApplyConfig2(reply.config2);
  if (ShowFirmware(reply.firmware_revision)) ShowFlags(reply.flags);
}

QToolButton* ModuleControlWindow::SlotButton(int slot) const {
  return slot_buttons_.at(static_cast<std::size_t>(slot - 1));
}

void ModuleControlWindow::ShowSlotButton(int slot, bool visible) {
  slot_actions_.at(static_cast<std::size_t>(slot - 1))->setVisible(visible);
}

void ModuleControlWindow::PressSlot(int slot) {
  ApplyImage(slot - 1);
  MarkSelectedSlot(slot);
}

void ModuleControlWindow::MarkSelectedSlot(int slot) {
  selected_slot_ = slot;
  for (int n = 1; n <= kSlotCount; ++n) {
    QToolButton* button = SlotButton(n);
    const bool selected = n == slot;
    button->setAutoRaise(!selected);
    QPalette colours = button->palette();
    colours.setColor(QPalette::ButtonText, selected ? QColor(Qt::yellow) : QColor(Qt::black));
    button->setPalette(colours);
    button->setStyleSheet(selected ? "QToolButton { color: yellow; background-color: #303030; }"
                                   : "QToolButton { color: black; background: transparent; }");
  }
}

}  // namespace morvane
