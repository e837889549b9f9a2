#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/midi/midi_driver.h"
#include "sim/reply_faults.h"
#include "sim/virtual_module.h"

namespace morvane {

// One MIDI line with virtual modules on it, offered as a MIDI device: one input and one output
// named kVirtualDeviceName. Every module sees every message the editor sends; the replies of all
// of them merge onto the line's input. The line runs a thread of its own that feeds the modules
// and calls the input sinks, the way a hardware driver calls them from its own thread.
//
// Several input connections may be open at once: each started one receives every reply.
// Timestamps count milliseconds from the connection's Start.
class VirtualMidiLine : public MidiDriver {
 public:
  static constexpr const char* kVirtualDeviceName = "Morvane-8 (virtual)";

  struct Options {
    // Time between a message leaving the editor and the replies it causes reaching the input.
    std::chrono::milliseconds latency{0};
    // Rate of the cable in both directions, 10 bits a byte: WirePacer::kMidiBaud paces the line
    // as a real MIDI cable, so transfers take the time they take on hardware. 0: no delay.
    int baud = 0;
  };

  VirtualMidiLine();
  explicit VirtualMidiLine(const Options& options);
  ~VirtualMidiLine() override;
  VirtualMidiLine(const VirtualMidiLine&) = delete;
  VirtualMidiLine& operator=(const VirtualMidiLine&) = delete;

  // Puts a module on the line; returns its index for WithModule.
  int AddModule(const ModuleConfiguration& configuration = {},
                const FirmwareIdentity& firmware = {});
  int ModuleCount() const;
  // Runs `action` on module `index` while the line's thread keeps off it: to inspect it, preload
  // its memory or power-cycle it. The action must not call the line.
  void WithModule(int index, const std::function<void(VirtualModule&)>& action);

  // Fault plans for the replies (see ReplyFaultPlan): the nth reply from now on, or every reply
  // for which `predicate` holds. param is the delay in ms, the kept length or the garbled byte.
  void InjectFault(FaultKind kind, int nth_reply, int param = 0);
  void InjectFault(FaultKind kind, ReplyPredicate predicate, int param = 0);
  void ClearFaults();

  // Puts a message on the line's input as if another device had sent it (a stray Note On, a
  // foreign system-exclusive message). It goes through no module and no fault plan.
  void EmitToInput(std::vector<std::uint8_t> message);

  // Models a device that disappears: the names vanish from the lists, opening fails, open
  // outputs throw on every send, open inputs receive nothing more and queued traffic is lost.
  // Replug brings the device back; connections opened before must be opened again.
  void Unplug();
  void Replug();

  // Waits until every message sent so far has been handled and every reply delivered (or
  // discarded), at most `bound`. Returns whether the line went idle.
  bool WaitUntilIdle(std::chrono::milliseconds bound);
  // Replies the modules produced so far, before faults.
  std::uint64_t RepliesProduced() const;

  // MidiDriver
  std::vector<std::string> InputNames() override;
  std::vector<std::string> OutputNames() override;
  std::unique_ptr<MidiInputConnection> OpenInput(int index, MidiInputSink& sink) override;
  std::unique_ptr<MidiOutputConnection> OpenOutput(int index) override;

  class Line;  // implementation, shared with the connections, which may outlive this object

 private:
  std::shared_ptr<Line> line_;
};

}  // namespace morvane
