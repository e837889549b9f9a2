#pragma once

#include <memory>
#include <string>

#include "core/midi/log_sink.h"
#include "core/midi/midi_event.h"
#include "core/midi/midi_out.h"

namespace morvane {

// The MIDI line as a transfer sees it: the output port, the input queue and the blocking waits.
// A transfer runs on the window thread and dispatches nothing while it waits.
class TransferPort {
 public:
  virtual ~TransferPort() = default;
  virtual MidiOut& Out() = 0;
  // Events queued on the input; 0 when it is closed.
  virtual int GetEventCount() = 0;
  // The oldest queued event, taken out of the queue; null when there is none.
  virtual std::unique_ptr<MidiEvent> GetMidiEvent() = 0;
  // Blocks for more than `ms` milliseconds.
  virtual void WaitMs(int ms) = 0;
  // Blocks for more than `ms` milliseconds, or less once an input event is queued: a reply is
  // never left waiting for the rest of a step.
  virtual void WaitForEvent(int ms) = 0;
};

// Where a transfer writes its log. LogError adds the text and an empty line and then closes and
// reopens both MIDI ports, so that whatever was queued is gone before the next try.
class TransferLog : public LogSink {
 public:
  virtual void LogError(const std::string& text) = 0;
};

}  // namespace morvane
