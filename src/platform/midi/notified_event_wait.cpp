#include "platform/midi/notified_event_wait.h"

#include <poll.h>

#include <algorithm>
#include <chrono>

namespace morvane {

NotifiedEventWait::~NotifiedEventWait() {
  if (wakes_taken_ > 0) notifier_.Wake();
}

void NotifiedEventWait::WaitForEvent(int ms, const std::function<bool()>& queued) {
  if (ms < 0) return;
  using Clock = std::chrono::steady_clock;
  // "More than ms".
  const Clock::time_point end =
      Clock::now() + std::chrono::milliseconds(ms) + std::chrono::microseconds(1);
  while (!queued()) {
    const Clock::duration left = end - Clock::now();
    if (left <= Clock::duration::zero()) return;
    const auto left_ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    pollfd descriptor{notifier_.fd(), POLLIN, 0};
    const int timeout = static_cast<int>(std::min<long long>(left_ms, 1000));
    if (poll(&descriptor, 1, timeout) > 0 && (descriptor.revents & POLLIN) != 0) {
      wakes_taken_ += notifier_.Drain();
    }
  }
}

}  // namespace morvane
