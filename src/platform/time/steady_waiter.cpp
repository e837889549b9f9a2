#include "platform/time/steady_waiter.h"

#include <chrono>
#include <thread>

namespace morvane {

std::uint64_t SteadyWaiter::NowMs() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyWaiter::WaitMs(int ms) {
  if (ms < 0) return;
  // "More than n milliseconds": the clock must move past start + n.
  const std::uint64_t end = NowMs() + static_cast<std::uint64_t>(ms);
  while (NowMs() <= end) {
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
}

}  // namespace morvane
