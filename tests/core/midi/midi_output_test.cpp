#include "core/midi/midi_output.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/fake_midi_driver.h"

namespace morvane {
namespace {

using testing::FakeMidiDriver;
using Bytes = std::vector<std::uint8_t>;

std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const MidiOutputError& error) {
    return error.what();
  }
  return "(no error)";
}

class MidiOutputTest : public ::testing::Test {
 protected:
  FakeMidiDriver driver_{{}, {"Synth", "Module", "Module"}};
  MidiOutput output_{driver_};
};

TEST_F(MidiOutputTest, SelectsNothingAtFirstAndOpensOnlyASelectedDevice) {
  EXPECT_EQ(output_.State(), MidiOutputState::kClosed);
  EXPECT_EQ(output_.DeviceID(), MidiOutput::kNoDevice);
  EXPECT_EQ(output_.ProductName(), "");
  EXPECT_FALSE(output_.Open());
  EXPECT_TRUE(driver_.opened_outputs.empty());

  output_.SetProductName("Module");
  EXPECT_EQ(output_.DeviceID(), 1);
  output_.SetDeviceID(2);
  EXPECT_EQ(output_.ProductName(), "Module");
  EXPECT_TRUE(output_.Open());
  EXPECT_EQ(output_.State(), MidiOutputState::kOpen);
  EXPECT_EQ(driver_.opened_outputs, std::vector<int>{2});

  EXPECT_TRUE(output_.Close());
  EXPECT_FALSE(driver_.output_open);
  EXPECT_EQ(output_.State(), MidiOutputState::kClosed);
  EXPECT_FALSE(output_.Close());
}

TEST_F(MidiOutputTest, AFailedOpenReturnsFalseAndStaysClosed) {
  output_.SetDeviceID(0);
  driver_.fail_open = true;
  EXPECT_FALSE(output_.Open());
  EXPECT_EQ(output_.State(), MidiOutputState::kClosed);
}

TEST_F(MidiOutputTest, ReportsEveryRefusalWithItsOwnText) {
  EXPECT_EQ(ErrorOf([&] { output_.SetProductName("Piano"); }),
            "MIDI output Device Piano not installed");
  EXPECT_EQ(ErrorOf([&] { output_.SetDeviceID(3); }), "Invalid device ID");
  EXPECT_EQ(ErrorOf([&] { output_.SetDeviceID(-1); }), "Invalid device ID");
  EXPECT_EQ(ErrorOf([&] { output_.PutShort(0x90, 1, 2); }), "MIDI Output device not open");
  EXPECT_EQ(ErrorOf([&] { output_.PutLong(Bytes{0xFA}); }), "MIDI Output device not open");
  EXPECT_EQ(ErrorOf([&] { output_.PutMidiEvent(MidiEvent{}); }), "MIDI Output device not open");

  output_.SetDeviceID(0);
  ASSERT_TRUE(output_.Open());
  EXPECT_EQ(ErrorOf([&] { output_.SetDeviceID(1); }), "Change to DeviceID while device was open");
  EXPECT_EQ(ErrorOf([&] { output_.SetProductName("Module"); }),
            "Change to ProductName while device was open");
}

TEST_F(MidiOutputTest, SendsShortLongAndEventMessages) {
  output_.SetDeviceID(0);
  ASSERT_TRUE(output_.Open());
  output_.PutShort(0xB3, 0x20, 0x05);
  output_.PutShort(0xC3, 0x07, 0x00);
  output_.PutLong(Bytes{0xF0, 0x70, 0x7C, 0x00, 0xF7});
  MidiEvent note;
  note.midi_message = 0x90;
  note.data1 = 0x3C;
  note.data2 = 0x40;
  output_.PutMidiEvent(note);
  MidiEvent sysex;
  sysex.midi_message = 0xF0;
  sysex.sysex = {0xF0, 0x01, 0xF7};
  sysex.sysex_length = 3;
  output_.PutMidiEvent(sysex);

  const std::vector<Bytes> expected = {{0xB3, 0x20, 0x05},
                                       {0xC3, 0x07},
                                       {0xF0, 0x70, 0x7C, 0x00, 0xF7},
                                       {0x90, 0x3C, 0x40},
                                       {0xF0, 0x01, 0xF7}};
  EXPECT_EQ(driver_.sent, expected);
}

TEST_F(MidiOutputTest, DriverFailuresCarryTheDriversText) {
  output_.SetDeviceID(0);
  ASSERT_TRUE(output_.Open());
  driver_.send_error = "device went away";
  EXPECT_EQ(ErrorOf([&] { output_.PutShort(0x90, 1, 2); }), "device went away");
  EXPECT_EQ(ErrorOf([&] { output_.PutLong(Bytes{0xF0, 0xF7}); }), "device went away");
  EXPECT_EQ(output_.State(), MidiOutputState::kOpen);  // the owner decides to reset the ports
}

}  // namespace
}  // namespace morvane
