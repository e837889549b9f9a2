#pragma once

#include <cstdint>
#include <vector>

#include "core/util/waiter.h"

namespace morvane {

// Virtual time: a wait only moves the clock on (by one millisecond more than asked, as a wait
// lasts "more than" its time) and is recorded.
class VirtualWaiter final : public Waiter {
 public:
  std::uint64_t NowMs() override { return now_ms; }
  void WaitMs(int ms) override {
    waits.push_back(ms);
    if (ms >= 0) now_ms += static_cast<std::uint64_t>(ms) + 1;
  }

  std::uint64_t now_ms = 0;
  std::vector<int> waits;
};

}  // namespace morvane
