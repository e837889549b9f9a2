// The decoder of the module's parameter reply. Properties: only 34-byte messages are decoded;
// every field is what its bytes say; the decoded values, sent again as the module sends them,
// decode to the same values; and a reply laid out as the module lays it out (pairs of nibbles,
// the bytes the editor does not read as the module sets them) writes back byte for byte.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "core/midi/sysex_format.h"
#include "fuzz/fuzz_support.h"

namespace morvane {
namespace {

int Pair(std::span<const std::uint8_t> m, int offset) {
  return ((m[static_cast<std::size_t>(offset)] & 0x7F) +
          (m[static_cast<std::size_t>(offset + 1)] << 4)) &
         0xFF;
}

bool SameReply(const ParameterReply& a, const ParameterReply& b) {
  return a.channel_index == b.channel_index && a.shown_channel == b.shown_channel &&
         a.firmware_major == b.firmware_major && a.firmware_revision == b.firmware_revision &&
         a.note_ref == b.note_ref && a.wave_controller == b.wave_controller &&
         a.bank_controller == b.bank_controller && a.bank_range_mask == b.bank_range_mask &&
         a.bank_range_index == b.bank_range_index && a.wave_range_mask == b.wave_range_mask &&
         a.wave_range_index == b.wave_range_index &&
         a.config1_assignments == b.config1_assignments && a.midi_to_cv == b.midi_to_cv &&
         a.config2 == b.config2 && a.clock_divider == b.clock_divider &&
         a.gate_time == b.gate_time && a.clock_counter_reset == b.clock_counter_reset &&
         a.internal_counter_reset == b.internal_counter_reset && a.flags == b.flags &&
         a.magic_number == b.magic_number && a.date_day == b.date_day &&
         a.date_month == b.date_month && a.date_year == b.date_year;
}

ParameterReplyFields FieldsOf(const ParameterReply& reply, std::uint8_t magic_low) {
  ParameterReplyFields fields;
  fields.channel_index = static_cast<std::uint8_t>(reply.channel_index);
  fields.firmware_major = static_cast<std::uint8_t>(reply.firmware_major);
  fields.firmware_revision = static_cast<std::uint8_t>(reply.firmware_revision);
  fields.note_ref = static_cast<std::uint8_t>(reply.note_ref);
  fields.wave_controller = static_cast<std::uint8_t>(reply.wave_controller);
  fields.bank_controller = static_cast<std::uint8_t>(reply.bank_controller);
  fields.bank_range_mask = reply.bank_range_mask;
  fields.wave_range_mask = reply.wave_range_mask;
  fields.config1 =
      static_cast<std::uint8_t>(reply.config1_assignments | (reply.midi_to_cv ? 0x80 : 0));
  fields.config2 = reply.config2;
  fields.clock_divider = static_cast<std::uint8_t>(reply.clock_divider);
  fields.gate_time = static_cast<std::uint8_t>(reply.gate_time);
  fields.clock_counter_reset = static_cast<std::uint8_t>(reply.clock_counter_reset);
  fields.internal_counter_reset = static_cast<std::uint8_t>(reply.internal_counter_reset);
  fields.flags = reply.flags;
  fields.magic_low = magic_low;
  fields.date_day = static_cast<std::uint8_t>(reply.date_day);
  fields.date_month = static_cast<std::uint8_t>(reply.date_month);
  fields.date_year = reply.date_year;
  return fields;
}

}  // namespace
}  // namespace morvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  // A copy of exactly the message's length, so a read past it is a heap overflow.
  const std::vector<std::uint8_t> m(data, data + size);
  const std::optional<ParameterReply> reply = DecodeParameterReply(m);
  FUZZ_CHECK(reply.has_value() == (size == kParameterReplySize));
  if (!reply) return 0;

  FUZZ_CHECK(reply->channel_index == m[3]);
  FUZZ_CHECK(reply->shown_channel == ((m[3] + 1) & 0x7F));
  FUZZ_CHECK(reply->firmware_major == m[5] && reply->firmware_revision == m[6]);
  FUZZ_CHECK(reply->note_ref == m[8]);
  FUZZ_CHECK(reply->wave_controller == m[9] && reply->bank_controller == m[10]);
  FUZZ_CHECK(reply->bank_range_mask == Pair(m, 11) && reply->wave_range_mask == Pair(m, 13));
  FUZZ_CHECK(reply->bank_range_index == RangeIndexFromMask(reply->bank_range_mask));
  FUZZ_CHECK(reply->wave_range_index == RangeIndexFromMask(reply->wave_range_mask));
  FUZZ_CHECK(reply->bank_range_index >= 0 && reply->bank_range_index < kRangeCount);
  FUZZ_CHECK(reply->wave_range_index >= 0 && reply->wave_range_index < kRangeCount);
  FUZZ_CHECK(reply->config1_assignments == (m[15] & 0x7F));
  FUZZ_CHECK(reply->midi_to_cv == ((m[16] & 0x08) != 0));
  FUZZ_CHECK(reply->config2 == m[17]);
  FUZZ_CHECK(reply->clock_divider == Pair(m, 19) && reply->gate_time == Pair(m, 21));
  FUZZ_CHECK(reply->clock_counter_reset == Pair(m, 23));
  FUZZ_CHECK(reply->internal_counter_reset == Pair(m, 25));
  FUZZ_CHECK(reply->flags == m[27]);
  char magic[5];
  std::snprintf(magic, sizeof magic, "%02X%02X", m[27], m[29]);
  FUZZ_CHECK(reply->magic_number == magic);
  FUZZ_CHECK(reply->date_day == m[30] && reply->date_month == m[31]);
  FUZZ_CHECK(reply->date_year == 2000 + m[32]);

  // The values sent again decode to themselves (a channel travels in four bits).
  const ParameterReplyMessage again = BuildParameterReply(FieldsOf(*reply, m[29]));
  const std::optional<ParameterReply> redecoded = DecodeParameterReply(again);
  FUZZ_CHECK(redecoded.has_value());
  ParameterReply expected = *reply;
  expected.channel_index &= 0x0F;
  expected.shown_channel = (expected.channel_index + 1) & 0x7F;
  FUZZ_CHECK(SameReply(*redecoded, expected));

  // Laid out as the module lays it out, the reply writes back as the same bytes.
  bool canonical = m[0] == 0xF0 && m[1] == 0x70 && m[2] == 0x7C && m[3] <= 0x0F && m[4] == 8 &&
                   m[7] == 0 && m[18] == 0 && m[28] == 0 && m[33] == 0xF7 && m[15] <= 0x7F &&
                   (m[16] == 0 || m[16] == 0x08);
  for (int pair : {11, 13, 19, 21, 23, 25}) {
    canonical = canonical && m[static_cast<std::size_t>(pair)] <= 0x0F &&
                m[static_cast<std::size_t>(pair + 1)] <= 0x0F;
  }
  if (canonical) FUZZ_CHECK(fuzz::SameBytes(again, m));
  return 0;
}
