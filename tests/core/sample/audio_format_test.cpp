#include "core/sample/audio_format.h"

#include <gtest/gtest.h>

#include "core/sample/audio_output_choice.h"

namespace morvane {
namespace {

TEST(AudioFormatTest, EachRateOfTheGroupGivesAMonoEightBitPcmRecord) {
  const int rates[] = {8000, 11025, 22050, 32000, 44100, 48000};
  for (int position = 0; position < 6; ++position) {
    const int rate = rates[position];
    SCOPED_TRACE(rate);
    EXPECT_EQ(SampleRateAt(position), rate);
    const PcmFormat format = BuildPcmFormat(1, 8, SampleRateAt(position));
    EXPECT_EQ(format.format_tag, 1);
    EXPECT_EQ(format.channels, 1);
    EXPECT_EQ(format.bits_per_sample, 8);
    EXPECT_EQ(format.samples_per_second, static_cast<std::uint32_t>(rate));
    EXPECT_EQ(format.average_bytes_per_second, static_cast<std::uint32_t>(rate));
    EXPECT_EQ(format.block_align, 1);
    EXPECT_EQ(format.extra_size, 0);
  }
  EXPECT_EQ(SampleRateAt(kStartSampleRatePosition), 22050);
  EXPECT_EQ(PcmFormat{}, BuildPcmFormat(1, 8, 22050)) << "the record a start begins with";
  const PcmFormat stereo16 = BuildPcmFormat(2, 16, 44100);
  EXPECT_EQ(stereo16.block_align, 4);
  EXPECT_EQ(stereo16.average_bytes_per_second, 176400u);
}

TEST(AudioOutputChoiceTest, ListEntriesChooseDevicesAndBuffers) {
  // Entry 0 is the default output; entry d + 1 device d.
  EXPECT_EQ(DeviceOfListEntry(0), kDefaultOutputDevice);
  EXPECT_EQ(DeviceOfListEntry(1), 0);
  EXPECT_EQ(DeviceOfListEntry(2), 1);
  // A stored entry naming nothing in today's list falls back to the default output.
  struct Case {
    int stored;
    int devices;
    int entry;
  };
  for (const Case c :
       {Case{2, 2, 2}, Case{0, 2, 0}, Case{3, 2, 0}, Case{-1, 2, 0}, Case{1, 0, 0}}) {
    EXPECT_EQ(ValidListEntry(c.stored, c.devices), c.entry) << c.stored << " of " << c.devices;
  }

  AudioOutputChoice choice;
  EXPECT_EQ(choice.device, kDefaultOutputDevice);
  EXPECT_EQ(choice.buffer_size, 2048);
  EXPECT_EQ(TotalBufferBytes(choice, 100), 204800);
  EXPECT_EQ(BufferBytesCaption(TotalBufferBytes(choice, 100)), "200 kB");
  EXPECT_EQ(BufferBytesCaption(1023), "0 kB");
  ChooseOutputEntry(choice, 1, 9);
  EXPECT_EQ(choice.device, 0);
  EXPECT_EQ(choice.buffer_count, 9);
}

}  // namespace
}  // namespace morvane
