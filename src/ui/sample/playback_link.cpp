#include "ui/sample/playback_link.h"

namespace morvane {

namespace {

constexpr int kWatchdogMs = 250;

}  // namespace

PlaybackLink::PlaybackLink(WavePlayer* player, QObject* parent)
    : QObject(parent),
      own_player_(player ? nullptr : MakeRtAudioWavePlayer()),
      player_(player ? player : own_player_.get()),
      notifier_(player_->NotifyFd(), QSocketNotifier::Read) {
  connect(&notifier_, &QSocketNotifier::activated, this, &PlaybackLink::TakeNews);
  watchdog_.setInterval(kWatchdogMs);
  connect(&watchdog_, &QTimer::timeout, this, &PlaybackLink::TakeNews);
}

PlaybackLink::~PlaybackLink() { player_->Stop(); }

void PlaybackLink::Start(std::span<const std::uint8_t> wave, int rate, int device) {
  player_->Start(wave, rate, device);
  watchdog_.start();
}

void PlaybackLink::Stop() {
  watchdog_.stop();
  player_->Stop();
  player_->TakeNews();  // what was pending belongs to the play just ended
}

void PlaybackLink::TakeNews() {
  const PlayerNews news = player_->TakeNews();
  if (news.started) emit Started();
  if (player_->Playing() || news.stopped || news.failed) emit PositionChanged(news.position);
  if (news.stopped || news.failed) watchdog_.stop();
  if (news.stopped) emit RanOut();
  if (news.failed) emit Failed(QString::fromStdString(news.failure));
}

}  // namespace morvane
