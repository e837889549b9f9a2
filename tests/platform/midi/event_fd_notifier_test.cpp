#include "platform/midi/event_fd_notifier.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/fd_readable.h"

namespace morvane {
namespace {

using testing::Readable;

TEST(EventFdNotifierTest, WakesAreCountedUntilDrained) {
  EventFdNotifier notifier;
  EXPECT_FALSE(Readable(notifier.fd()));
  EXPECT_EQ(notifier.Drain(), 0u);  // never blocks, even with nothing to read

  std::thread driver([&] {
    for (int i = 0; i < 1000; ++i) notifier.Wake();
  });
  driver.join();
  notifier.Wake();
  EXPECT_TRUE(Readable(notifier.fd()));
  EXPECT_EQ(notifier.Drain(), 1001u);
  EXPECT_FALSE(Readable(notifier.fd()));
}

}  // namespace
}  // namespace morvane
