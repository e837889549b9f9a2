#include "core/sample/audio_output_choice.h"

namespace morvane {

int ValidListEntry(int stored_entry, int device_count) {
  return stored_entry >= 0 && stored_entry <= device_count ? stored_entry : 0;
}

std::int64_t TotalBufferBytes(const AudioOutputChoice& choice, int buffer_knob) {
  return static_cast<std::int64_t>(choice.buffer_size) * buffer_knob;
}

std::string BufferBytesCaption(std::int64_t total_bytes) {
  return std::to_string(total_bytes / 1024) + " kB";
}

void ChooseOutputEntry(AudioOutputChoice& choice, int entry, int buffer_knob) {
  choice.device = DeviceOfListEntry(entry);
  if (choice.buffer_size > 0) {
    choice.buffer_count =
        static_cast<int>(TotalBufferBytes(choice, buffer_knob) / choice.buffer_size);
  }
}

}  // namespace morvane
