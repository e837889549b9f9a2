#include "platform/audio/rtaudio_outputs.h"

namespace morvane {

std::vector<unsigned int> OutputDeviceIds(RtAudio& audio) {
  std::vector<unsigned int> ids;
  const unsigned int count = audio.getDeviceCount();
  for (unsigned int id = 0; id < count; ++id) {
    const RtAudio::DeviceInfo info = audio.getDeviceInfo(id);
    if (info.probed && info.outputChannels > 0) ids.push_back(id);
  }
  return ids;
}

}  // namespace morvane
