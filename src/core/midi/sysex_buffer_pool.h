#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/midi/midi_event.h"

namespace morvane {

// The system-exclusive input buffers of an open input: all allocated up front, taken by the
// driver thread without locking or allocating, and given back by the window thread once the
// message has been copied out. A message that finds no free buffer is lost, as with a driver
// that has no buffer queued.
class SysexBufferPool {
 public:
  SysexBufferPool(std::uint16_t buffer_count, std::uint16_t buffer_size);
  SysexBufferPool(const SysexBufferPool&) = delete;
  SysexBufferPool& operator=(const SysexBufferPool&) = delete;

  // Driver thread: copies the message into a free buffer (cut at the buffer size) and returns
  // it, or returns null when every buffer still waits to be read.
  SysexBuffer* Fill(std::span<const std::uint8_t> message) noexcept;
  // Window thread: makes a buffer that Fill returned free again.
  void Release(SysexBuffer* buffer) noexcept;

 private:
  std::vector<std::uint8_t> storage_;
  std::vector<SysexBuffer> buffers_;
  std::unique_ptr<std::atomic<bool>[]> in_use_;
};

}  // namespace morvane
