#include "platform/midi/notified_event_wait.h"

#include <poll.h>

#include <algorithm>

namespace morvane {

NotifiedEventWait::~NotifiedEventWait() {
  if (wakes_taken_ > 0) notifier_.Wake();
}

void NotifiedEventWait::WaitForEvent(int ms, const std::function<bool()>& queued) {
  if (ms < 0) return;
  // "More than ms": the clock must move past start + ms.
  const std::uint64_t end = clock_.NowMs() + static_cast<std::uint64_t>(ms);
  while (!queued()) {
    const std::uint64_t now = clock_.NowMs();
    if (now > end) return;
    pollfd descriptor{notifier_.fd(), POLLIN, 0};
    const int timeout = static_cast<int>(std::min<std::uint64_t>(end - now + 1, 1000));
    if (poll(&descriptor, 1, timeout) > 0 && (descriptor.revents & POLLIN) != 0) {
      wakes_taken_ += notifier_.Drain();
    }
  }
}

}  // namespace morvane
