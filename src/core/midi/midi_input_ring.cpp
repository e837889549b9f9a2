#include "core/midi/midi_input_ring.h"

#include <stdexcept>

namespace morvane {

MidiInputRing::MidiInputRing(std::uint16_t capacity)
    : capacity_(capacity), items_(capacity > 0 ? new MidiBufferItem[capacity] : nullptr) {
  if (capacity == 0) throw std::invalid_argument("MIDI input ring needs a capacity above 0");
}

bool MidiInputRing::Put(const MidiBufferItem& item) noexcept {
  // Acquire pairs with the consumer's release in Remove: the slot about to be written has been
  // read completely before the count said it was free.
  if (count_.load(std::memory_order_acquire) >= capacity_) return false;
  items_[write_position_] = item;
  write_position_ = static_cast<std::uint16_t>((write_position_ + 1) % capacity_);
  count_.fetch_add(1, std::memory_order_acq_rel);  // publishes the item
  return true;
}

std::optional<MidiBufferItem> MidiInputRing::Read() const noexcept {
  if (count_.load(std::memory_order_acquire) == 0) return std::nullopt;
  return items_[read_position_];
}

void MidiInputRing::Remove() noexcept {
  if (count_.load(std::memory_order_acquire) == 0) return;
  read_position_ = static_cast<std::uint16_t>((read_position_ + 1) % capacity_);
  count_.fetch_sub(1, std::memory_order_acq_rel);  // hands the slot back to the producer
}

}  // namespace morvane
