#pragma once

// Memory that the code under test must neither read nor write: AddressSanitizer reports the
// first access at the line that makes it. Cheaper than comparing large buffers after every input,
// and it catches reads too.

#include <sanitizer/asan_interface.h>

#include <cstdint>
#include <span>

#if defined(__has_feature)
#if !__has_feature(address_sanitizer)
#error "the fuzz targets build with AddressSanitizer: configure with --preset fuzz"
#endif
#endif

namespace morvane::fuzz {

// While it lives, every byte of `region` outside `allowed` (a part of it) is out of bounds.
// AddressSanitizer tracks memory in 8-byte granules: `allowed` should start on one.
class ForbiddenMemory {
 public:
  ForbiddenMemory(std::span<const std::uint8_t> region, std::span<const std::uint8_t> allowed)
      : region_(region) {
    ASAN_POISON_MEMORY_REGION(region.data(), region.size());
    ASAN_UNPOISON_MEMORY_REGION(allowed.data(), allowed.size());
  }
  ~ForbiddenMemory() { ASAN_UNPOISON_MEMORY_REGION(region_.data(), region_.size()); }
  ForbiddenMemory(const ForbiddenMemory&) = delete;
  ForbiddenMemory& operator=(const ForbiddenMemory&) = delete;

 private:
  std::span<const std::uint8_t> region_;
};

}  // namespace morvane::fuzz
