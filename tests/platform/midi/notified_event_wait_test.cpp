#include "platform/midi/notified_event_wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/time/steady_waiter.h"
#include "support/fd_readable.h"

namespace morvane {
namespace {

using testing::Readable;

// The driver thread queues an event and wakes: the wait ends then, long before its time, and
// the window thread is woken again once the transfer's wait is gone.
TEST(NotifiedEventWaitTest, AQueuedEventEndsTheWaitAndTheWindowThreadIsWokenAfterwards) {
  EventFdNotifier notifier;
  SteadyWaiter clock;
  std::atomic<bool> queued{false};
  {
    NotifiedEventWait wait(notifier);
    std::thread driver([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      queued = true;
      notifier.Wake();
    });
    const std::uint64_t start = clock.NowMs();
    wait.WaitForEvent(60'000, [&] { return queued.load(); });
    const std::uint64_t waited = clock.NowMs() - start;
    driver.join();
    EXPECT_TRUE(queued);
    EXPECT_LT(waited, 60'000u);
    EXPECT_FALSE(Readable(notifier.fd()));  // the transfer took the wake
  }
  EXPECT_TRUE(Readable(notifier.fd()));
}

TEST(NotifiedEventWaitTest, WithoutAnEventTheWaitLastsMoreThanItsTime) {
  EventFdNotifier notifier;
  SteadyWaiter clock;
  // A stale wake (an event already taken) must not end the wait.
  notifier.Wake();
  NotifiedEventWait wait(notifier);
  const std::uint64_t start = clock.NowMs();
  wait.WaitForEvent(30, [] { return false; });
  EXPECT_GT(clock.NowMs() - start, 30u);
}

}  // namespace
}  // namespace morvane
