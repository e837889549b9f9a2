#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace morvane {

// What happened to the playback since the last look, as the window thread learns it.
struct PlayerNews {
  bool started = false;  // a Start succeeded
  bool stopped = false;  // a one-shot play ran out (a Stop of the window's own is not news)
  bool failed = false;   // the device stopped playing or went away; `failure` says how
  std::string failure;
  std::int64_t position = 0;  // bytes of the wave played so far: the sample index
};

// Plays an unsigned 8-bit mono wave through an audio output, once or looped. Every call is made
// on the window thread; the output's own thread only counts what it played and wakes the
// descriptor, so the window thread learns news through TakeNews, never from that thread.
class WavePlayer {
 public:
  virtual ~WavePlayer() = default;

  // Starts playing `wave` (copied) at `rate` Hz through `device` (the default output when
  // negative, else the options dialog's device position), stopping any play first. Throws
  // AudioDeviceError when there is no such output or it refuses to play.
  virtual void Start(std::span<const std::uint8_t> wave, int rate, int device) = 0;
  // Stops and releases the output; safe when not playing.
  virtual void Stop() = 0;
  // When on, the play starts again at the first sample after the last one, until stopped.
  virtual void SetLooping(bool on) = 0;
  virtual bool Playing() const = 0;
  // Readable whenever there is news; the window thread watches it and calls TakeNews.
  virtual int NotifyFd() const = 0;
  // Drains the descriptor and reports what happened. A device that has not asked for audio for
  // a while during a play counts as gone.
  virtual PlayerNews TakeNews() = 0;
};

// The audio output of RtAudio's default interface (the one the device list shows). The wave is
// sent as signed 8-bit when the device opens the rate, else resampled to the device's own rate.
std::unique_ptr<WavePlayer> MakeRtAudioWavePlayer();

}  // namespace morvane
