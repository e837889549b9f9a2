#include <RtAudio.h>

#include "platform/audio/audio_device_list.h"
#include "platform/audio/rtaudio_outputs.h"

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
      for (unsigned int id : OutputDeviceIds(audio)) {
        list.devices.push_back(audio.getDeviceInfo(id).name);
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
