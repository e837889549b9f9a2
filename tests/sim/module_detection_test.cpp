#include "core/module/module_detection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/virtual_module.h"
#include "support/virtual_transfer_port.h"

namespace morvane {
namespace {

using testing::VirtualTransferPort;
using Message = VirtualTransferPort::Message;
using Lines = std::vector<std::string>;

// Virtual modules on one line, in virtual time.
struct Line {
  explicit Line(std::vector<VirtualModule> on_line, int latency_ms = 3)
      : modules(std::move(on_line)),
        port(
            [this](std::span<const std::uint8_t> sent) {
              std::vector<Message> replies;
              for (VirtualModule& module : modules) {
                for (ModuleReply& reply : module.Receive(sent)) replies.push_back(std::move(reply));
              }
              return replies;
            },
            latency_ms) {}

  std::vector<VirtualModule> modules;
  VirtualTransferPort port;
};

VirtualModule ModuleOn(int channel, int revision = 47, std::uint8_t flags = kFlagHandshake) {
  ModuleConfiguration configuration;
  configuration.channel_index = channel - 1;
  configuration.flags = flags;
  FirmwareIdentity firmware;
  firmware.revision = static_cast<std::uint8_t>(revision);
  return VirtualModule(configuration, firmware);
}

struct RecordingScan final : ScanView {
  void BeginScan() override { ++begun; }
  void ShowChannel(int channel) override { channels.push_back(channel); }
  int AssignSlot(const ParameterReply& reply) override {
    found.push_back(reply.shown_channel);
    return found.size() <= kModuleSlotCount ? static_cast<int>(found.size()) : 0;
  }
  int begun = 0;
  std::vector<int> channels;
  std::vector<int> found;
};

TEST(ModuleDetectionTest, AVerboseRequestReportsTheModuleThatAnswers) {
  Line line({ModuleOn(4)});
  const auto reply = RequestParameters(line.port, line.port, 4, /*verbose=*/true);
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->shown_channel, 4);
  EXPECT_EQ(line.port.sent.front(), (Message{0xF0, 0x70, 0x7C, 0x03, 0x08, 0x00, 0x00, 0xF7}));
  EXPECT_EQ(ModuleReportLines(*reply),
            (Lines{" <<<<    MORVANE-8    >>>>", " Rev 1.47 - 14/3/2005",
                   " Magic #015A  Channel = 4", "Handshake ON", "@0000 Recall OFF", ""}));
  EXPECT_EQ(line.port.log, Lines{""});
  // The reply is taken after its latency, not at the end of a 10 ms step.
  EXPECT_LT(line.port.now_ms, 10u);
}

TEST(ModuleDetectionTest, FlagLinesComeFromRevisionFortySevenOn) {
  Line line({ModuleOn(1, 46)});
  const auto reply = RequestParameters(line.port, line.port, 1, /*verbose=*/false);
  ASSERT_TRUE(reply);
  EXPECT_EQ(ModuleReportLines(*reply).size(), 4u);
  EXPECT_EQ(ScanReportLines(2, *reply), Lines{"  2- MORVANE-8 v1.46 PIC 16F877 --> Channel 1"});
}

TEST(ModuleDetectionTest, NoReplyOrAWrongSizeIsLoggedOnlyWhenVerbose) {
  for (const bool verbose : {true, false}) {
    Line empty({});
    EXPECT_FALSE(RequestParameters(empty.port, empty.port, 2, verbose));
    EXPECT_EQ(empty.port.log, verbose ? (Lines{"", " > ERROR - Time Out !!! ", ""}) : Lines{});
    EXPECT_EQ(empty.port.port_resets, verbose ? 1 : 0);
    EXPECT_GE(empty.port.now_ms, 240u);

    Line stray({});
    stray.port.Inject({0xF0, 0x70, 0x7C, 0x01, 0x7F, 0xF7});
    EXPECT_FALSE(RequestParameters(stray.port, stray.port, 2, verbose));
    EXPECT_EQ(stray.port.log,
              verbose ? (Lines{"", " > ERROR - Message Size 6bytes", ""}) : Lines{});
  }
}

TEST(ModuleDetectionTest, AScanFindsTheModulesInChannelOrder) {
  Line line({ModuleOn(9), ModuleOn(3)});
  RecordingScan view;
  EXPECT_EQ(ScanModules(line.port, line.port, view), 2);

  EXPECT_EQ(view.begun, 1);
  EXPECT_EQ(view.found, (std::vector<int>{3, 9}));
  EXPECT_EQ(view.channels.size(), 16u);
  EXPECT_EQ(view.channels.back(), 16);
  EXPECT_EQ(
      line.port.log,
      (Lines{"", " > Scan MIDI:", "", "  1- MORVANE-8 v1.47 PIC 16F877 --> Channel 3",
             "Handshake ON", "@0000 Recall OFF", "  2- MORVANE-8 v1.47 PIC 16F877 --> Channel 9",
             "Handshake ON", "@0000 Recall OFF", ""}));
  EXPECT_EQ(line.port.port_resets, 0);
}

TEST(ModuleDetectionTest, AScanOfAnEmptyLineSaysSoAfterAskingEveryChannel) {
  Line line({});
  RecordingScan view;
  EXPECT_EQ(ScanModules(line.port, line.port, view), 0);
  EXPECT_EQ(line.port.log, (Lines{"", " > Scan MIDI:", "", " No Module detected... ", ""}));
  // 16 x (240 ms without answer + 50 ms) + 300 ms: about 4.9 s.
  EXPECT_GE(line.port.now_ms, 16u * 290u + 300u);
  EXPECT_EQ(view.channels.back(), 16);
}

TEST(ModuleDetectionTest, AModuleThatAnswersLateDoesNotHideTheOthers) {
  // Channel 2 answers 400 ms late: its request times out and its reply comes during the next
  // channel's wait. Byte 3 of a reply names the module's own channel, so every module is still
  // found on its channel.
  Line line({ModuleOn(2), ModuleOn(5), ModuleOn(11)});
  line.port.extra_delay_ms = [](const Message& reply) { return reply[3] == 1 ? 400 : 0; };
  RecordingScan view;
  EXPECT_EQ(ScanModules(line.port, line.port, view), 3);
  EXPECT_EQ(view.found, (std::vector<int>{2, 5, 11}));
}

TEST(ModuleDetectionTest, ANinthModuleGetsNoSlot) {
  std::vector<VirtualModule> modules;
  for (int channel = 1; channel <= 9; ++channel) modules.push_back(ModuleOn(channel));
  Line line(std::move(modules));
  RecordingScan view;
  EXPECT_EQ(ScanModules(line.port, line.port, view), 9);
  int module_lines = 0;
  for (const std::string& l : line.port.log)
    module_lines += l.find("MORVANE-8 v") != std::string::npos;
  EXPECT_EQ(module_lines, 8);
}

TEST(ModuleDetectionTest, FlashWriteAndChannelChangeReachTheModule) {
  Line line({ModuleOn(1, 47, 0)});
  WriteToFlash(line.port, line.port, 1, /*handshake=*/true, /*flash_recall=*/true);
  EXPECT_EQ(line.port.sent.back(), (Message{0xF0, 0x70, 0x7C, 0x00, 0x07, 0x08, 0x03, 0xF7}));
  EXPECT_EQ(line.port.log, Lines{"> Send Write To Flash  Chan 1"});
  EXPECT_EQ(line.port.waits, std::vector<int>{800});
  EXPECT_TRUE(line.modules[0].flash().flags & kFlagHandshake);
  WriteToFlash(line.port, line.port, 1, false, false);
  EXPECT_EQ(line.port.sent.back(), (Message{0xF0, 0x70, 0x7C, 0x00, 0x07, 0x08, 0x00, 0xF7}));

  ChangeChannel(line.port, 1, 5);
  EXPECT_EQ(line.port.sent.back(), (Message{0xF0, 0x70, 0x7C, 0x00, 0x00, 0x00, 0x04, 0xF7}));
  EXPECT_FALSE(RequestParameters(line.port, line.port, 1, false));
  const auto moved = RequestParameters(line.port, line.port, 5, false);
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->shown_channel, 5);
}

TEST(ModuleDetectionTest, TheClockStartsWithFaAndStopsWithFc) {
  VirtualTransferPort port;
  MidiClock clock;
  EXPECT_TRUE(clock.Toggle(port, port));
  clock.Tick(port);
  clock.Tick(port);
  EXPECT_FALSE(clock.Toggle(port, port));
  EXPECT_EQ(port.sent, (std::vector<Message>{{0xFA}, {0xF8}, {0xF8}, {0xFC}}));
  EXPECT_EQ(port.log, (Lines{"> MIDI Clock ---> ON ", "> MIDI Clock ---> OFF "}));

  clock.Toggle(port, port);
  clock.Halt();  // a transfer stops it: no FC, no line
  EXPECT_FALSE(clock.running());
  EXPECT_EQ(port.sent.back(), Message{0xFA});
}

}  // namespace
}  // namespace morvane
