#pragma once

// Talking to the module itself: reading its parameter set, finding the modules on the line,
// writing its configuration to flash, moving it to another channel, and the MIDI clock. The
// module control window applies what comes back to its controls and images.

#include <optional>
#include <string>
#include <vector>

#include "core/midi/sysex_format.h"
#include "core/midi/transfer_port.h"

namespace morvane {

inline constexpr int kParameterReplyWaits = 24;  // of 10 ms each
inline constexpr int kScanChannelPauseMs = 50;
inline constexpr int kScanEndPauseMs = 300;
inline constexpr int kFlashWriteWaitMs = 800;
inline constexpr int kModuleSlotCount = 8;

// Sends command 8 on `channel` (1..16) and waits up to 24 steps of 10 ms for the reply. In verbose
// mode an empty line goes first, and a missing reply or one that is not 34 bytes long is logged
// through LogError; quietly nothing is logged. Returns the decoded reply.
std::optional<ParameterReply> RequestParameters(TransferPort& port, TransferLog& log, int channel,
                                                bool verbose);

// The lines a verbose request logs about the module that answered, the closing empty line
// included.
std::vector<std::string> ModuleReportLines(const ParameterReply& reply);
// The line a scan logs for the module given slot `slot` (1..8), and its flag lines.
std::vector<std::string> ScanReportLines(int slot, const ParameterReply& reply);

// The module control window during a scan.
class ScanView {
 public:
  virtual ~ScanView() = default;
  // Before the first request: every slot button hidden, the log shown as it is now.
  virtual void BeginScan() {}
  // The "Channel" knob shows `channel` while it is asked.
  virtual void ShowChannel(int /*channel*/) {}
  // A module answered: its reply set into the controls and stored into the first free slot,
  // whose number (1..8) is returned; 0 when all eight slots are taken.
  virtual int AssignSlot(const ParameterReply& /*reply*/) { return 0; }
};

// Asks channels 1 to 16 in turn and gives every module that answers a slot. Returns the number of
// modules that answered.
int ScanModules(TransferPort& port, TransferLog& log, ScanView& view);

// Command 7 with bit 7 set and the two flags of the check boxes, then 800 ms for the module to
// write its flash.
void WriteToFlash(TransferPort& port, TransferLog& log, int channel, bool handshake,
                  bool flash_recall);

// Command 0 on the module's present channel: the module answers on `new_channel` from now on.
void ChangeChannel(MidiOut& out, int channel, int new_channel);

// The MIDI clock of the module control window: FA and a log line when it starts, F8 on every tick
// of its 10 ms timer, a log line and FC when it is switched off. A transfer stops it silently.
class MidiClock {
 public:
  static constexpr int kTickMs = 10;

  // Switches the clock on or off; returns whether it runs now.
  bool Toggle(MidiOut& out, LogSink& log);
  void Tick(MidiOut& out) const;
  // Stops without FC and without a log line.
  void Halt() { running_ = false; }
  bool running() const { return running_; }

 private:
  bool running_ = false;
};

}  // namespace morvane
