#include "core/midi/krn5_setup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace morvane {
namespace {

// Records what would go to the output port.
class RecordingOut : public MidiOut {
 public:
  std::vector<std::vector<std::uint8_t>> sent;
  void PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
    sent.push_back({status, data1, data2});
  }
  void PutLong(std::span<const std::uint8_t> bytes) override {
    sent.emplace_back(bytes.begin(), bytes.end());
  }
};

using Messages = std::vector<std::vector<std::uint8_t>>;

TEST(Krn5SetupTest, TheSetupIsTheInputSelectionThenTheMergeSwitch) {
  RecordingOut out;
  SendKrn5Setup(out, {.input = 5, .merge = true, .startup_send = true});
  SendKrn5Setup(out, {.input = 0, .merge = false, .startup_send = false});
  EXPECT_EQ(out.sent, (Messages{{0xCF, 5, 0}, {0xBF, 0x1F, 1}, {0xCF, 0, 0}, {0xBF, 0x1F, 0}}));
}

TEST(Krn5SetupTest, KnobAndMergeSendOnlyWhileStartupSendIsOff) {
  RecordingOut out;
  const Krn5Setup startup_on{.input = 3, .merge = true, .startup_send = true};
  Krn5InputChanged(out, startup_on);
  Krn5MergeClicked(out, startup_on);
  EXPECT_TRUE(out.sent.empty());

  const Krn5Setup startup_off{.input = 7, .merge = false, .startup_send = false};
  Krn5InputChanged(out, startup_off);
  Krn5MergeClicked(out, startup_off);
  EXPECT_EQ(out.sent, (Messages{{0xCF, 7, 0}, {0xBF, 0x1F, 0}}));
}

}  // namespace
}  // namespace morvane
