#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <utility>
#include <vector>

#include "core/midi/midi_driver.h"

namespace morvane {

// An input sink that keeps what it receives, for tests. It may allocate: tests are not
// bound by the no-allocation rule of real sinks.
class RecordingSink : public MidiInputSink {
 public:
  struct Received {
    std::uint32_t timestamp_ms = 0;
    bool sysex = false;
    std::uint32_t packed = 0;
    std::vector<std::uint8_t> bytes;
  };

  void OnShortMessage(std::uint32_t timestamp_ms, std::uint32_t packed) noexcept override {
    Add({timestamp_ms, false, packed, {}});
  }
  void OnSysex(std::uint32_t timestamp_ms, std::span<const std::uint8_t> bytes) noexcept override {
    Add({timestamp_ms, true, 0, {bytes.begin(), bytes.end()}});
  }

  // Waits until at least `count` messages came, at most a generous bound.
  bool WaitForCount(std::size_t count, std::chrono::milliseconds bound = std::chrono::seconds(10)) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, bound, [&] { return received_.size() >= count; });
  }

  std::vector<Received> Take() {
    std::lock_guard lock(mutex_);
    return std::exchange(received_, {});
  }

  std::size_t Count() {
    std::lock_guard lock(mutex_);
    return received_.size();
  }

 private:
  void Add(Received item) {
    {
      std::lock_guard lock(mutex_);
      received_.push_back(std::move(item));
    }
    arrived_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<Received> received_;
};

}  // namespace morvane
