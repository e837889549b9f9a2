// A raw file loaded into the long-sample editor, from its bytes in memory as the file layer hands
// them over. The first two input bytes choose the view's Max (1 to 8192, so that files longer
// than it are easy to make), the third the offset (0 to 254, or -1 for 255); the rest is the
// file. Properties: a negative offset, or a file with nothing past it, is refused and changes
// nothing; otherwise the first min(Max, bytes past the offset) bytes are the file's from the
// offset on, every later byte of the capacity is 0, the size is that count (never over 524 288),
// truncation is flagged exactly when the file held more; the sample saved writes back as those
// bytes.

#include <cstdint>
#include <vector>

#include "core/sample/sample_edit_model.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  fuzz::FuzzInput input(data, size);
  const int max = 1 + input.Word() % 8192;
  const std::uint8_t offset_byte = input.Byte();
  const std::int64_t offset = offset_byte == 255 ? -1 : offset_byte;
  const std::span<const std::uint8_t> file_bytes = input.Rest();

  // One model for every input (its buffers are half a megabyte each), reset from a pattern.
  static SampleEditModel& model = *new SampleEditModel;
  static const std::vector<std::uint8_t> before = [] {
    std::vector<std::uint8_t> bytes(kSampleCapacity);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
  }();
  static const std::vector<std::uint8_t> zeros(kSampleCapacity, 0);
  model.SetMax(max);
  FUZZ_CHECK(model.Max() == max);
  FUZZ_CHECK(model.Data().size() == kSampleCapacity);
  std::copy(before.begin(), before.end(), model.Data().begin());
  model.SetSampleSize(max / 2);
  const int size_before = model.GetSampleSize();

  const RawLoadResult result = model.LoadRawBytes(file_bytes, offset);
  const bool holds = offset >= 0 && file_bytes.size() > static_cast<std::size_t>(offset);
  FUZZ_CHECK(result.loaded == holds);
  if (!result.loaded) {
    FUZZ_CHECK(!result.truncated);
    FUZZ_CHECK(model.GetSampleSize() == size_before);
    FUZZ_CHECK(fuzz::SameBytes(model.Data(), before));
    return 0;
  }
  const std::span<const std::uint8_t> past = file_bytes.subspan(static_cast<std::size_t>(offset));
  const std::size_t n = std::min(past.size(), static_cast<std::size_t>(max));
  FUZZ_CHECK(model.GetSampleSize() == static_cast<int>(n) && n <= kSampleCapacity);
  FUZZ_CHECK(result.truncated == (past.size() > n));
  const std::span<const std::uint8_t> after = model.Data();
  FUZZ_CHECK(fuzz::SameBytes(after.first(n), past.first(n)));
  FUZZ_CHECK(fuzz::SameBytes(after.subspan(n), std::span(zeros).subspan(n)));

  FUZZ_CHECK(fuzz::SameBytes(model.RawFileBytes(), past.first(n)));
  return 0;
}
