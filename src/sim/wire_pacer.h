#pragma once

#include <chrono>
#include <cstddef>

namespace morvane {

// One direction of a MIDI cable at a given rate: bytes go out one after another, ten bits each
// (start, eight data bits, stop). A rate of 0 stands for a cable without delay.
class WirePacer {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kMidiBaud = 31'250;

  explicit WirePacer(int baud = 0) : baud_(baud) {}

  int baud() const { return baud_; }

  std::chrono::nanoseconds WireTime(std::size_t bytes) const {
    if (baud_ <= 0) return {};
    return std::chrono::nanoseconds(static_cast<long long>(bytes) * 10 * 1'000'000'000LL / baud_);
  }

  // When the last byte of a message that is ready to go at `ready` has crossed the cable.
  Clock::time_point Pass(std::size_t bytes, Clock::time_point ready) {
    if (free_ < ready) free_ = ready;
    free_ += WireTime(bytes);
    return free_;
  }

  void Reset() { free_ = {}; }

 private:
  int baud_;
  Clock::time_point free_{};
};

}  // namespace morvane
