#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/audio/wave_player.h"

namespace morvane {

// Brings the player's news to the window thread: the output's thread only wakes a descriptor,
// which a QSocketNotifier watches; a slow timer also looks, so a device that went silent is
// noticed. The signals are emitted on the window thread only.
class PlaybackLink : public QObject {
  Q_OBJECT

 public:
  // Uses `player` when given (tests), else the sound system's output.
  explicit PlaybackLink(WavePlayer* player, QObject* parent = nullptr);
  ~PlaybackLink() override;

  // Throws AudioDeviceError when the output cannot play.
  void Start(std::span<const std::uint8_t> wave, int rate, int device);
  void Stop();
  void SetLooping(bool on) { player_->SetLooping(on); }
  bool Playing() const { return player_->Playing(); }

 signals:
  void Started();
  void RanOut();
  void Failed(const QString& reason);
  void PositionChanged(qint64 position);

 private:
  void TakeNews();

  std::unique_ptr<WavePlayer> own_player_;
  WavePlayer* player_;
  QSocketNotifier notifier_;
  QTimer watchdog_;
};

}  // namespace morvane
