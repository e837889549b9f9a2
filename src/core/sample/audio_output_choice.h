#pragma once

#include <cstdint>
#include <string>

namespace morvane {

// How the audio output learns that a buffer has been played.
enum class PlaybackMethod { kWindow, kThread, kInterrupt };

inline constexpr int kDefaultOutputDevice = -1;  // the system's default output
inline constexpr int kOutputBufferSize = 2048;   // bytes per buffer
inline constexpr int kInitialBufferKnob = 100;   // buffers, as the options dialog starts

// The sample editor's choice of audio output, as the options dialog sets it. The device list
// shows the default output as entry 0 and device d as entry d + 1.
struct AudioOutputChoice {
  int device = kDefaultOutputDevice;
  int buffer_size = kOutputBufferSize;
  int buffer_count = 4;
  PlaybackMethod method = PlaybackMethod::kWindow;
};

inline int DeviceOfListEntry(int entry) { return entry - 1; }

// A stored list entry that names no entry of a list of `device_count` devices (the list was
// empty when it was stored, or a device is gone) falls back to the default output.
int ValidListEntry(int stored_entry, int device_count);

// Bytes of all buffers together for `buffer_knob` buffers of the output's size, and how the
// dialog shows them: whole kilobytes followed by " kB".
std::int64_t TotalBufferBytes(const AudioOutputChoice& choice, int buffer_knob);
std::string BufferBytesCaption(std::int64_t total_bytes);

// The user chose another entry of the device list: the output takes that device and as many
// buffers as fit the total the buffer knob sets.
void ChooseOutputEntry(AudioOutputChoice& choice, int entry, int buffer_knob);

}  // namespace morvane
