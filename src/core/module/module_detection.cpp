#include "core/module/module_detection.h"

#include "core/midi/dump_engine.h"
#include "core/midi/module_messages.h"
#include "core/module/module_controls.h"

namespace morvane {
namespace {

std::vector<std::string> FlagLines(const ParameterReply& reply) {
  if (reply.firmware_revision < kFirmwareSendingFlags) return {};
  return {(reply.flags & kFlagHandshake) != 0 ? "Handshake ON" : "Handshake OFF",
          (reply.flags & kFlagFlashRecall) != 0 ? "@0000 Recall ON" : "@0000 Recall OFF"};
}

}  // namespace

std::optional<ParameterReply> RequestParameters(TransferPort& port, TransferLog& log, int channel,
                                                bool verbose) {
  if (verbose) log.AddLine("");
  SendCommand(port.Out(), ChannelIndexOf(channel), kCommandRequestParameters, 0);
  for (int i = 0; i < kParameterReplyWaits && port.GetEventCount() == 0; ++i) {
    port.WaitForEvent(DumpEngine::kReplyStepMs);
  }
  if (port.GetEventCount() == 0) {
    if (verbose) log.LogError(kTimeOutLine);
    return std::nullopt;
  }
  const std::unique_ptr<MidiEvent> event = port.GetMidiEvent();
  const int length = event ? event->sysex_length : 0;
  std::optional<ParameterReply> reply;
  if (length == kParameterReplySize) reply = DecodeParameterReply(event->sysex);
  if (!reply && verbose) {
    log.LogError(" > ERROR - Message Size " + std::to_string(length) + "bytes");
  }
  return reply;
}

std::vector<std::string> ModuleReportLines(const ParameterReply& reply) {
  std::vector<std::string> lines = {
      " <<<<    MORVANE-8    >>>>",
      " Rev " + std::to_string(reply.firmware_major) + "." +
          std::to_string(reply.firmware_revision) + " - " + std::to_string(reply.date_day) + "/" +
          std::to_string(reply.date_month) + "/" + std::to_string(reply.date_year),
      " Magic #" + reply.magic_number + "  Channel = " + std::to_string(reply.shown_channel)};
  for (std::string& line : FlagLines(reply)) lines.push_back(std::move(line));
  lines.push_back("");
  return lines;
}

std::vector<std::string> ScanReportLines(int slot, const ParameterReply& reply) {
  std::vector<std::string> lines = {
      "  " + std::to_string(slot) + "- MORVANE-8 v" + std::to_string(reply.firmware_major) + "." +
      std::to_string(reply.firmware_revision) + " PIC 16F877 --> Channel " +
      std::to_string(reply.shown_channel)};
  for (std::string& line : FlagLines(reply)) lines.push_back(std::move(line));
  return lines;
}

int ScanModules(TransferPort& port, TransferLog& log, ScanView& view) {
  for (const char* line : {"", " > Scan MIDI:", ""}) log.AddLine(line);
  view.BeginScan();
  int found = 0;
  for (int channel = 1; channel <= 16; ++channel) {
    view.ShowChannel(channel);
    if (const auto reply = RequestParameters(port, log, channel, /*verbose=*/false)) {
      ++found;
      // A ninth module finds no slot: it is counted but gets neither an image nor a line.
      if (const int slot = view.AssignSlot(*reply); slot > 0) {
        for (const std::string& line : ScanReportLines(slot, *reply)) log.AddLine(line);
      }
    }
    port.WaitMs(kScanChannelPauseMs);
  }
  if (found == 0) log.AddLine(" No Module detected... ");
  port.WaitMs(kScanEndPauseMs);
  log.AddLine("");
  return found;
}

void WriteToFlash(TransferPort& port, TransferLog& log, int channel, bool handshake,
                  bool flash_recall) {
  log.AddLine("> Send Write To Flash  Chan " + std::to_string(channel));
  SendCommand(port.Out(), ChannelIndexOf(channel), kCommandFlags,
              BuildFlagsByte(handshake, flash_recall, /*write_flash=*/true));
  port.WaitMs(kFlashWriteWaitMs);
}

void ChangeChannel(MidiOut& out, int channel, int new_channel) {
  SendCommand(out, ChannelIndexOf(channel), kCommandSetChannel, (new_channel - 1) & 0x7F);
}

bool MidiClock::Toggle(MidiOut& out, LogSink& log) {
  running_ = !running_;
  if (running_) {
    SendRealTime(out, kMidiStart);
    log.AddLine("> MIDI Clock ---> ON ");
  } else {
    log.AddLine("> MIDI Clock ---> OFF ");
    SendRealTime(out, kMidiStop);
  }
  return running_;
}

void MidiClock::Tick(MidiOut& out) const { SendRealTime(out, kMidiTimingClock); }

}  // namespace morvane
