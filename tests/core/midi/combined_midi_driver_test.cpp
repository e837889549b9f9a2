#include "core/midi/combined_midi_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_midi_driver.h"

namespace morvane {
namespace {

using testing::FakeMidiDriver;
using Names = std::vector<std::string>;

class NullSink final : public MidiInputSink {
 public:
  void OnShortMessage(std::uint32_t, std::uint32_t) noexcept override {}
  void OnSysex(std::uint32_t, std::span<const std::uint8_t>) noexcept override {}
};

class CombinedMidiDriverTest : public ::testing::Test {
 protected:
  FakeMidiDriver virtual_module_{{"Virtual in"}, {"Virtual out"}};
  FakeMidiDriver ports_{{"Port 1", "Port 2"}, {"Port 3", "Port 4", "Port 5"}};
  CombinedMidiDriver combined_{{&virtual_module_, &ports_}};
  NullSink sink_;
};

TEST_F(CombinedMidiDriverTest, ListsTheDriversOneAfterAnother) {
  EXPECT_EQ(combined_.InputNames(), (Names{"Virtual in", "Port 1", "Port 2"}));
  EXPECT_EQ(combined_.OutputNames(), (Names{"Virtual out", "Port 3", "Port 4", "Port 5"}));
}

TEST_F(CombinedMidiDriverTest, OpensEachIndexOnTheDriverItCameFrom) {
  combined_.InputNames();
  combined_.OutputNames();
  combined_.OpenInput(0, sink_);
  auto second_port = combined_.OpenInput(2, sink_);
  combined_.OpenOutput(3);
  combined_.OpenOutput(0);
  EXPECT_EQ(virtual_module_.opened_inputs, std::vector<int>{0});
  EXPECT_EQ(ports_.opened_inputs, std::vector<int>{1});
  EXPECT_EQ(ports_.sink, &sink_);
  EXPECT_EQ(ports_.opened_outputs, std::vector<int>{2});
  EXPECT_EQ(virtual_module_.opened_outputs, std::vector<int>{0});
}

TEST_F(CombinedMidiDriverTest, OpensWithoutAListingAndRefusesIndicesOutOfRange) {
  combined_.OpenOutput(1);  // never listed: the lists are read first
  EXPECT_EQ(ports_.opened_outputs, std::vector<int>{0});
  EXPECT_THROW(combined_.OpenInput(3, sink_), MidiDriverError);
  EXPECT_THROW(combined_.OpenInput(-1, sink_), MidiDriverError);
  EXPECT_THROW(combined_.OpenOutput(4), MidiDriverError);
}

TEST_F(CombinedMidiDriverTest, ADriverThatCannotListHidesNothingElse) {
  virtual_module_.fail_listing = true;
  EXPECT_EQ(combined_.InputNames(), (Names{"Port 1", "Port 2"}));
  combined_.OpenInput(0, sink_);
  EXPECT_EQ(ports_.opened_inputs, std::vector<int>{0});
  EXPECT_TRUE(virtual_module_.opened_inputs.empty());
}

}  // namespace
}  // namespace morvane
