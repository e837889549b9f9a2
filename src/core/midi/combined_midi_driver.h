#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/midi/midi_driver.h"

namespace morvane {

// Several drivers shown as one: their devices listed one driver after another, in the order the
// drivers were given, and each index opened on the driver it came from. The drivers are not
// owned and must outlive this one.
class CombinedMidiDriver final : public MidiDriver {
 public:
  explicit CombinedMidiDriver(std::vector<MidiDriver*> drivers);

  std::vector<std::string> InputNames() override;
  std::vector<std::string> OutputNames() override;
  std::unique_ptr<MidiInputConnection> OpenInput(int index, MidiInputSink& sink) override;
  std::unique_ptr<MidiOutputConnection> OpenOutput(int index) override;

 private:
  struct Target {
    MidiDriver* driver;
    int index;
  };
  // Indices refer to the latest listing; a driver whose list has not been read yet is read now.
  Target Locate(bool inputs, int index);
  std::vector<std::string> List(bool inputs);

  std::vector<MidiDriver*> drivers_;
  std::vector<std::size_t> input_counts_;
  std::vector<std::size_t> output_counts_;
};

}  // namespace morvane
