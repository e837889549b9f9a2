#include "platform/midi/rtmidi_driver.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/midi/jack_server_probe.h"
#include "platform/midi/rtmidi_input_connection.h"
#include "platform/midi/rtmidi_output_connection.h"

namespace morvane {
namespace {

bool Compiled(RtMidi::Api api) {
  std::vector<RtMidi::Api> compiled;
  RtMidi::getCompiledApi(compiled);
  return std::find(compiled.begin(), compiled.end(), api) != compiled.end();
}

// RtMidi prints to the terminal before it throws for a missing ALSA sequencer; not trying
// spares the noise on machines without one.
bool SequencerPresent(RtMidi::Api api) {
  if (api != RtMidi::LINUX_ALSA) return true;
  std::error_code error;
  return std::filesystem::exists("/dev/snd/seq", error);
}

// RtMidi's JACK objects keep trying to reach a server that is not there, and lose memory at each
// try: they are made only once a server answers.
bool ServerRunning(RtMidi::Api api) { return api != RtMidi::UNIX_JACK || JackServerRunning(); }

}  // namespace

RtMidiDriver::RtMidiDriver(RtMidiDriverOptions options) : options_(std::move(options)) {
  SetUpListers();
}

bool RtMidiDriver::SetUpListers() {
  if (input_lister_) return true;
  for (const RtMidi::Api api : options_.apis) {
    if (!Compiled(api) || !SequencerPresent(api) || !ServerRunning(api)) continue;
    try {
      input_lister_ = MakeRtMidiIn(api, options_.client_name, input_trap_);
      output_lister_ = MakeRtMidiOut(api, options_.client_name, output_trap_);
      api_ = api;
      return true;
    } catch (const MidiDriverError&) {
      input_lister_.reset();
      output_lister_.reset();
    }
  }
  return false;
}

RtMidiDriver::~RtMidiDriver() = default;

bool RtMidiDriver::Reachable() {
  if (!SetUpListers()) return false;
  input_trap_.TakeWarning();
  try {
    input_lister_->getPortCount();
  } catch (const RtMidiError&) {
    return false;
  }
  const bool warned = input_trap_.TakeWarning();
  try {
    input_trap_.ThrowIfFailed();
  } catch (const MidiDriverError&) {
    return false;
  }
  return !warned;
}

std::vector<std::string> RtMidiDriver::InputNames() {
  input_names_.clear();
  if (SetUpListers()) {
    input_names_ = ListRtMidiPorts(*input_lister_, input_trap_, options_.client_name);
  }
  return input_names_;
}

std::vector<std::string> RtMidiDriver::OutputNames() {
  output_names_.clear();
  if (SetUpListers()) {
    output_names_ = ListRtMidiPorts(*output_lister_, output_trap_, options_.client_name);
  }
  return output_names_;
}

const std::string& RtMidiDriver::NameAt(const std::vector<std::string>& names, int index,
                                        const char* kind) {
  if (index < 0 || static_cast<std::size_t>(index) >= names.size()) {
    throw MidiDriverError(std::string("No MIDI ") + kind + " device with index " +
                          std::to_string(index));
  }
  return names[static_cast<std::size_t>(index)];
}

std::unique_ptr<MidiInputConnection> RtMidiDriver::OpenInput(int index, MidiInputSink& sink) {
  if (api_ == RtMidi::UNSPECIFIED) throw MidiDriverError("No MIDI system available");
  if (input_names_.empty()) InputNames();
  return std::make_unique<RtMidiInputConnection>(api_, options_.client_name,
                                                 NameAt(input_names_, index, "input"), sink);
}

std::unique_ptr<MidiOutputConnection> RtMidiDriver::OpenOutput(int index) {
  if (api_ == RtMidi::UNSPECIFIED) throw MidiDriverError("No MIDI system available");
  if (output_names_.empty()) OutputNames();
  return std::make_unique<RtMidiOutputConnection>(api_, options_.client_name,
                                                  NameAt(output_names_, index, "output"),
                                                  options_.presence_check_interval);
}

}  // namespace morvane
