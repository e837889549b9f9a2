#include "platform/midi/notified_event_wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/fd_readable.h"

namespace morvane {
namespace {

using testing::Readable;

// The driver thread queues an event and wakes: the wait ends then, long before its time, and
// the window thread is woken again once the transfer's wait is gone.
TEST(NotifiedEventWaitTest, AQueuedEventEndsTheWaitAndTheWindowThreadIsWokenAfterwards) {
  EventFdNotifier notifier;
  std::atomic<bool> queued{false};
  {
    NotifiedEventWait wait(notifier);
    std::thread driver([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      queued = true;
      notifier.Wake();
    });
    const auto start = std::chrono::steady_clock::now();
    wait.WaitForEvent(60'000, [&] { return queued.load(); });
    const auto waited = std::chrono::steady_clock::now() - start;
    driver.join();
    EXPECT_TRUE(queued);
    EXPECT_LT(waited, std::chrono::seconds(60));
    EXPECT_FALSE(Readable(notifier.fd()));  // the transfer took the wake
  }
  EXPECT_TRUE(Readable(notifier.fd()));
}

TEST(NotifiedEventWaitTest, WithoutAnEventTheWaitLastsMoreThanItsTime) {
  EventFdNotifier notifier;
  // A stale wake (an event already taken) must not end the wait.
  notifier.Wake();
  NotifiedEventWait wait(notifier);
  const auto start = std::chrono::steady_clock::now();
  wait.WaitForEvent(30, [] { return false; });
  EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

}  // namespace
}  // namespace morvane
