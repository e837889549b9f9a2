#include "core/midi/combined_midi_driver.h"

#include <utility>

namespace morvane {

CombinedMidiDriver::CombinedMidiDriver(std::vector<MidiDriver*> drivers)
    : drivers_(std::move(drivers)) {}

std::vector<std::string> CombinedMidiDriver::List(bool inputs) {
  std::vector<std::size_t>& counts = inputs ? input_counts_ : output_counts_;
  counts.assign(drivers_.size(), 0);
  std::vector<std::string> all;
  for (std::size_t i = 0; i < drivers_.size(); ++i) {
    std::vector<std::string> names;
    try {
      names = inputs ? drivers_[i]->InputNames() : drivers_[i]->OutputNames();
    } catch (const MidiDriverError&) {
      // A driver that cannot list its devices must not hide the others' devices.
    }
    counts[i] = names.size();
    for (std::string& name : names) all.push_back(std::move(name));
  }
  return all;
}

std::vector<std::string> CombinedMidiDriver::InputNames() { return List(true); }

std::vector<std::string> CombinedMidiDriver::OutputNames() { return List(false); }

CombinedMidiDriver::Target CombinedMidiDriver::Locate(bool inputs, int index) {
  std::vector<std::size_t>& counts = inputs ? input_counts_ : output_counts_;
  if (counts.size() != drivers_.size()) List(inputs);
  if (index >= 0) {
    std::size_t rest = static_cast<std::size_t>(index);
    for (std::size_t i = 0; i < drivers_.size(); ++i) {
      if (rest < counts[i]) return Target{drivers_[i], static_cast<int>(rest)};
      rest -= counts[i];
    }
  }
  throw MidiDriverError("No MIDI " + std::string(inputs ? "input" : "output") +
                        " device with index " + std::to_string(index));
}

std::unique_ptr<MidiInputConnection> CombinedMidiDriver::OpenInput(int index, MidiInputSink& sink) {
  const Target target = Locate(true, index);
  return target.driver->OpenInput(target.index, sink);
}

std::unique_ptr<MidiOutputConnection> CombinedMidiDriver::OpenOutput(int index) {
  const Target target = Locate(false, index);
  return target.driver->OpenOutput(target.index);
}

}  // namespace morvane
