#pragma once

#include <rtmidi/RtMidi.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/midi/midi_driver.h"
#include "platform/midi/rtmidi_support.h"

namespace morvane {

struct RtMidiDriverOptions {
  // Tried in order; the first that can be set up is used. RtMidi does not fall back by itself.
  std::vector<RtMidi::Api> apis = {RtMidi::LINUX_ALSA, RtMidi::UNIX_JACK};
  // Name of this program's clients; ports of clients with this prefix are not listed.
  std::string client_name = "Morvane-8 editor";
  // How often an output checks, before sending, that its device is still there.
  std::chrono::milliseconds presence_check_interval{250};
};

// The system's MIDI ports through RtMidi. With no usable API it lists no devices and opens
// nothing. Device indices refer to the latest listing.
class RtMidiDriver final : public MidiDriver {
 public:
  explicit RtMidiDriver(RtMidiDriverOptions options = {});
  ~RtMidiDriver() override;

  // The API in use; RtMidi::UNSPECIFIED while none could be set up (a JACK server started later
  // is found at the next listing).
  RtMidi::Api Api() const noexcept { return api_; }
  // Whether the MIDI service answers now (for JACK: whether a server is running).
  bool Reachable();

  std::vector<std::string> InputNames() override;
  std::vector<std::string> OutputNames() override;
  std::unique_ptr<MidiInputConnection> OpenInput(int index, MidiInputSink& sink) override;
  std::unique_ptr<MidiOutputConnection> OpenOutput(int index) override;

 private:
  // Makes the listing objects on the first API that works now; false when none does.
  bool SetUpListers();
  static const std::string& NameAt(const std::vector<std::string>& names, int index,
                                   const char* kind);

  RtMidiDriverOptions options_;
  RtMidi::Api api_ = RtMidi::UNSPECIFIED;
  RtMidiErrorTrap input_trap_;
  std::unique_ptr<RtMidiIn> input_lister_;
  RtMidiErrorTrap output_trap_;
  std::unique_ptr<RtMidiOut> output_lister_;
  std::vector<std::string> input_names_;
  std::vector<std::string> output_names_;
};

}  // namespace morvane
