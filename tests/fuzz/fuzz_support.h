#pragma once

// What the fuzz targets share: a property check that libFuzzer reports as a finding and a reader
// that takes the input apart. The file readers are fuzzed on their bytes in memory: a file on
// disk for every input made them many times slower.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

namespace morvane::fuzz {

[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
  std::abort();
}

// Holds in every build type (unlike assert), and fails as a crash, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition) \
  ((condition) ? void(0) : ::morvane::fuzz::CheckFailed(#condition, __FILE__, __LINE__))

// Takes the fuzzer's bytes apart from the front; past the end every read gives zeros.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool Empty() const { return bytes_.empty(); }
  std::size_t Size() const { return bytes_.size(); }

  std::uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const std::uint8_t byte = bytes_.front();
    bytes_ = bytes_.subspan(1);
    return byte;
  }
  std::uint16_t Word() {
    const std::uint16_t low = Byte();
    return static_cast<std::uint16_t>(low | (Byte() << 8));
  }
  // At most `count` bytes, fewer at the end of the input.
  std::span<const std::uint8_t> Bytes(std::size_t count) {
    const std::span<const std::uint8_t> taken = bytes_.first(std::min(count, bytes_.size()));
    bytes_ = bytes_.subspan(taken.size());
    return taken;
  }
  std::span<const std::uint8_t> Rest() { return Bytes(bytes_.size()); }

 private:
  std::span<const std::uint8_t> bytes_;
};

inline std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

inline bool SameBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace morvane::fuzz
