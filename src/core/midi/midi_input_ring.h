#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/midi/midi_event.h"

namespace morvane {

// The input ring: a fixed-capacity queue between the driver thread (the only producer) and the
// window thread (the only consumer). Full means full: an item that does not fit is refused,
// never written over an unread one. The event count is shared by both sides.
class MidiInputRing {
 public:
  // Allocates storage for `capacity` items once; a capacity of 0 throws std::invalid_argument.
  explicit MidiInputRing(std::uint16_t capacity);
  MidiInputRing(const MidiInputRing&) = delete;
  MidiInputRing& operator=(const MidiInputRing&) = delete;

  // Producer: appends the item, or returns false and stores nothing when the ring is full.
  bool Put(const MidiBufferItem& item) noexcept;
  // Consumer: the oldest item, left in the ring; none when the ring is empty.
  std::optional<MidiBufferItem> Read() const noexcept;
  // Consumer: drops the oldest item; does nothing when the ring is empty.
  void Remove() noexcept;

  // Number of queued items; either side may ask.
  std::uint16_t Count() const noexcept { return count_.load(std::memory_order_acquire); }
  std::uint16_t Capacity() const noexcept { return capacity_; }

 private:
  const std::uint16_t capacity_;
  std::unique_ptr<MidiBufferItem[]> items_;
  std::uint16_t write_position_ = 0;  // producer only
  std::uint16_t read_position_ = 0;   // consumer only
  std::atomic<std::uint16_t> count_{0};
};

}  // namespace morvane
