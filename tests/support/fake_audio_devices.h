#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/audio/audio_device_list.h"

namespace morvane {

// A fixed list of audio outputs, or a sound system that fails when asked.
class FakeAudioDevices : public AudioDeviceList {
 public:
  AudioOutputList ListOutputs() override {
    ++calls;
    if (failure) throw AudioDeviceError(*failure);
    return outputs;
  }

  AudioOutputList outputs{"Default output", {}};
  std::optional<std::string> failure;
  int calls = 0;
};

}  // namespace morvane
