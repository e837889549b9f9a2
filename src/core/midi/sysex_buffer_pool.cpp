#include "core/midi/sysex_buffer_pool.h"

#include <algorithm>
#include <cstddef>
#include <functional>

namespace morvane {

SysexBufferPool::SysexBufferPool(std::uint16_t buffer_count, std::uint16_t buffer_size)
    : storage_(std::size_t{buffer_count} * buffer_size),
      buffers_(buffer_count),
      in_use_(new std::atomic<bool>[buffer_count]) {
  for (std::size_t i = 0; i < buffers_.size(); ++i) {
    buffers_[i].bytes = storage_.data() + i * buffer_size;
    buffers_[i].size = buffer_size;
    in_use_[i].store(false, std::memory_order_relaxed);
  }
}

SysexBuffer* SysexBufferPool::Fill(std::span<const std::uint8_t> message) noexcept {
  for (std::size_t i = 0; i < buffers_.size(); ++i) {
    bool expected = false;
    // Acquire: the window thread's last copy out of this buffer is finished before we write it.
    if (!in_use_[i].compare_exchange_strong(expected, true, std::memory_order_acquire,
                                            std::memory_order_relaxed)) {
      continue;
    }
    SysexBuffer& buffer = buffers_[i];
    const std::size_t length = std::min<std::size_t>(message.size(), buffer.size);
    std::copy_n(message.data(), length, buffer.bytes);
    buffer.length = static_cast<std::uint16_t>(length);
    return &buffer;
  }
  return nullptr;
}

void SysexBufferPool::Release(SysexBuffer* buffer) noexcept {
  const std::less<const SysexBuffer*> before;
  if (buffer == nullptr || before(buffer, buffers_.data()) ||
      !before(buffer, buffers_.data() + buffers_.size())) {
    return;  // not one of ours
  }
  in_use_[static_cast<std::size_t>(buffer - buffers_.data())].store(false,
                                                                    std::memory_order_release);
}

}  // namespace morvane
