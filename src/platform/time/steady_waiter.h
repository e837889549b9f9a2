#pragma once

#include "core/util/waiter.h"

namespace morvane {

// Waits on the steady clock: never affected by changes of the wall-clock time.
class SteadyWaiter final : public Waiter {
 public:
  std::uint64_t NowMs() override;
  void WaitMs(int ms) override;
};

}  // namespace morvane
