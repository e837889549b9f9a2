#pragma once

#include <functional>
#include <memory>

#include "core/midi/midi_input.h"
#include "core/midi/transfer_port.h"
#include "core/util/waiter.h"

namespace morvane {

// Blocks until a condition holds or a time has passed, woken by whatever tells of new input.
class EventWait {
 public:
  virtual ~EventWait() = default;
  // Returns once `queued` is true, or after more than `ms` milliseconds.
  virtual void WaitForEvent(int ms, const std::function<bool()>& queued) = 0;
};

// The transfer port of the program: the editor's MIDI input and output, its clock, and the wake
// of its input when there is one (without, a reply wait lasts its whole step).
class PortsTransferPort final : public TransferPort {
 public:
  PortsTransferPort(MidiInput& input, MidiOut& output, Waiter& waiter, EventWait* wait = nullptr)
      : input_(input), output_(output), waiter_(waiter), wait_(wait) {}

  MidiOut& Out() override { return output_; }
  int GetEventCount() override { return input_.GetEventCount(); }
  std::unique_ptr<MidiEvent> GetMidiEvent() override { return input_.GetMidiEvent(); }
  void WaitMs(int ms) override { waiter_.WaitMs(ms); }
  void WaitForEvent(int ms) override {
    if (wait_ == nullptr) {
      waiter_.WaitMs(ms);
      return;
    }
    wait_->WaitForEvent(ms, [this] { return input_.GetEventCount() > 0; });
  }

 private:
  MidiInput& input_;
  MidiOut& output_;
  Waiter& waiter_;
  EventWait* wait_;
};

}  // namespace morvane
