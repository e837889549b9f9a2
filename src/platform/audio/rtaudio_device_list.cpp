#include <RtAudio.h>

#include "platform/audio/audio_device_list.h"

namespace morvane {
namespace {

class RtAudioDeviceList : public AudioDeviceList {
 public:
  AudioOutputList ListOutputs() override {
    try {
      // RtAudio picks the first compiled interface that has devices.
      RtAudio audio;
      audio.showWarnings(false);
      AudioOutputList list;
      list.default_name = "Default output";
      const unsigned int count = audio.getDeviceCount();
      for (unsigned int id = 0; id < count; ++id) {
        const RtAudio::DeviceInfo info = audio.getDeviceInfo(id);
        if (info.probed && info.outputChannels > 0) list.devices.push_back(info.name);
      }
      return list;
    } catch (const RtAudioError& error) {
      throw AudioDeviceError(error.getMessage());
    }
  }
};

}  // namespace

std::unique_ptr<AudioDeviceList> MakeRtAudioDeviceList() {
  return std::make_unique<RtAudioDeviceList>();
}

}  // namespace morvane
