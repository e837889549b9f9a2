#pragma once

#include <cstdint>

namespace morvane {

// Time as the editor's blocking waits see it: a millisecond clock and a wait on it. The program
// uses the steady clock; tests use virtual time.
class Waiter {
 public:
  virtual ~Waiter() = default;
  virtual std::uint64_t NowMs() = 0;
  // Blocks the calling thread until more than `ms` milliseconds have passed.
  virtual void WaitMs(int ms) = 0;
};

}  // namespace morvane
