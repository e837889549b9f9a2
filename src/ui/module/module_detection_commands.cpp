// The module control window's commands that talk to the module itself: reading its parameters,
// finding the modules on the line, writing flash, moving a module to another channel, the clock.

#include <QAction>
#include <QCheckBox>
#include <QTimer>
#include <QToolButton>

#include "core/midi/dump_engine.h"
#include "core/module/module_detection.h"
#include "ui/controls/value_knob.h"
#include "ui/midi/transfer_session.h"
#include "ui/module/channel_dialog.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_window.h"
#include "ui/shell/app_context.h"

namespace morvane {
namespace {

// A scan as the window shows it: the channel knob follows the channel asked, and each module
// that answers takes the first hidden slot button.
class WindowScan final : public ScanView {
 public:
  explicit WindowScan(ModuleControlWindow& window) : window_(window) {}

  void BeginScan() override {
    for (int slot = 1; slot <= ModuleControlWindow::kSlotCount; ++slot) {
      window_.ShowSlotButton(slot, false);
    }
    window_.Log().repaint();
  }
  void ShowChannel(int channel) override {
    window_.SetChannel(channel);
    window_.ChannelKnob()->repaint();
  }
  int AssignSlot(const ParameterReply& reply) override {
    for (int slot = 1; slot <= ModuleControlWindow::kSlotCount; ++slot) {
      if (window_.SlotShown(slot)) continue;
      window_.ApplyParameterReply(reply);
      window_.StoreImage(slot - 1);
      window_.ShowSlotButton(slot, true);
      window_.SlotButton(slot)->setToolTip("MORVANE-8 #" + QString::number(slot));
      return slot;
    }
    return 0;
  }

 private:
  ModuleControlWindow& window_;
};

}  // namespace

bool ModuleControlWindow::HandshakeChecked() const { return handshake_box_->isChecked(); }

bool ModuleControlWindow::HandshakeEnabled() const { return handshake_box_->isEnabled(); }

bool ModuleControlWindow::SlotShown(int slot) const {
  return slot_actions_.at(static_cast<std::size_t>(slot - 1))->isVisible();
}

bool ModuleControlWindow::RequestParameters(bool verbose) {
  bool answered = false;
  TransferSession::Run(app_, [&](TransferSession& session) {
    const auto reply =
        morvane::RequestParameters(session.port(), session.log(), Channel(), verbose);
    if (!reply) return;
    answered = true;
    ApplyParameterReply(*reply);
    for (const std::string& line : ModuleReportLines(*reply)) log_->AddLine(line);
    StoreImage(SelectedModule());
  });
  return answered;
}

int ModuleControlWindow::ScanModules() {
  int found = 0;
  TransferSession::Run(app_, [&](TransferSession& session) {
    WindowScan scan(*this);
    found = morvane::ScanModules(session.port(), session.log(), scan);
  });
  if (SlotShown(1)) PressSlot(1);
  return found;
}

void ModuleControlWindow::WriteConfigToFlash() {
  TransferSession::Run(app_, [&](TransferSession& session) {
    WriteToFlash(session.port(), session.log(), Channel(), handshake_box_->isChecked(),
                 recall_box_->isChecked());
  });
}

void ModuleControlWindow::ChangeModuleChannel() {
  const std::optional<int> new_channel = app_.channel_dialog()->AskNewChannel(Channel());
  if (!new_channel) return;
  SendOnPort([&](MidiOut& out) { ChangeChannel(out, Channel(), *new_channel); });
  app_.parameters().SetParam(SelectedModule(), kImageChannel,
                             static_cast<std::uint8_t>((*new_channel - 1) & 0x7F));
  SetChannel(*new_channel);
}

void ModuleControlWindow::SendWaveformBuffer(ConstWaveSpan buffer) {
  SendOnPort([&](MidiOut& out) { SendBufferBlocks(out, Channel(), buffer); });
}

void ModuleControlWindow::ToggleClock() {
  SendOnPort([&](MidiOut& out) {
    if (clock_.Toggle(out, *log_)) {
      clock_timer_->start(MidiClock::kTickMs);
    } else {
      clock_timer_->stop();
    }
  });
}

void ModuleControlWindow::ClockTick() {
  SendOnPort([&](MidiOut& out) { clock_.Tick(out); });
}

void ModuleControlWindow::StopClock() {
  clock_timer_->stop();
  clock_.Halt();
}

}  // namespace morvane
