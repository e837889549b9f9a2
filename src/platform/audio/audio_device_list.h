#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace morvane {

// The sound system could not say which outputs it has.
class AudioDeviceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The audio outputs the sound system offers, as the device list shows them.
struct AudioOutputList {
  std::string default_name;          // the system's default output
  std::vector<std::string> devices;  // device 0 first
};

// Lists the audio outputs; tests put a fixed list in its place.
class AudioDeviceList {
 public:
  virtual ~AudioDeviceList() = default;
  // Throws AudioDeviceError (or any std::exception) when the sound system cannot be asked.
  virtual AudioOutputList ListOutputs() = 0;
};

// The outputs of the sound system's default interface, through RtAudio.
std::unique_ptr<AudioDeviceList> MakeRtAudioDeviceList();

}  // namespace morvane
