#include "core/midi/dump_engine.h"

#include <string>
#include <utility>

#include "core/midi/module_messages.h"
#include "core/midi/sysex_format.h"

namespace morvane {
namespace {

std::string RetryLine(int bank, int wave, int block, int retry) {
  return " ERROR B=" + std::to_string(bank) + " W=" + std::to_string(wave) + " bloc " +
         std::to_string(block) + " > Retry #" + std::to_string(retry) + "...";
}

const std::string kRetryOkLine = " Retry Ok :) ";

std::string ChannelSuffix(int channel) { return "  Chan " + std::to_string(channel); }

}  // namespace

DumpEngine::DumpEngine(TransferPort& port, TransferLog& log, DumpView& view, WavetableStore& store,
                       const DumpSettings& settings)
    : port_(port), log_(log), view_(view), store_(store), settings_(settings) {}

void DumpEngine::SelectWaveform(int bank, int wave, bool wave_first) {
  MidiOut& out = port_.Out();
  if (wave_first) {
    SendWaveSelect(out, ChannelIndex(), settings_.wave_controller, wave);
    SendBankSelect(out, ChannelIndex(), settings_.bank_controller, bank);
  } else {
    SendBankSelect(out, ChannelIndex(), settings_.bank_controller, bank);
    SendWaveSelect(out, ChannelIndex(), settings_.wave_controller, wave);
  }
}

template <typename Send>
DumpEngine::Reply DumpEngine::AwaitReply(int bank, int wave, int block, int& retries, Send send) {
  int countdown = settings_.timeout;
  retries = 0;
  send();
  while (port_.GetEventCount() == 0 && countdown > 0) {
    port_.WaitForEvent(kReplyStepMs);
    // A reply that came during the step is taken at once; the step is not counted against it.
    if (port_.GetEventCount() > 0) break;
    if (--countdown > 0) continue;
    log_.LogError(RetryLine(bank, wave, block, retries + 1));
    send();
    ++retries;
    countdown = settings_.timeout;
    if (retries >= kMaxRetries) {
      log_.LogError(kTimeOutLine);
      return Reply::kTimedOut;
    }
  }
  return countdown > 0 ? Reply::kTaken : Reply::kNone;
}

void DumpEngine::SendDelay() {
  // A delay of 0 is none: a wait of "more than 0 ms" would still cost up to a millisecond a
  // block, seconds over a whole table.
  if (settings_.send_delay_ms > 0) port_.WaitMs(settings_.send_delay_ms);
}

void DumpEngine::SendBlock(ConstWaveSpan wave, int block) {
  SendWaveBlock(port_.Out(), ChannelIndex(), WaveBlockPosition(block), wave);
}

int DumpEngine::SendWaveform(int bank, int wave) {
  if (!InTable(bank, wave)) return kFailure;
  const int index = WaveIndex(bank, wave);
  const ConstWaveSpan samples = std::as_const(store_).Wave(index);
  SelectWaveform(bank, wave, /*wave_first=*/false);
  for (int block = 0; block < kWaveBlocksPerWave; ++block) {
    if (!Handshake()) {
      SendBlock(samples, block);
      SendDelay();
      continue;
    }
    int retries = 0;
    const Reply reply = AwaitReply(bank, wave, block, retries, [&] { SendBlock(samples, block); });
    bool failed = reply != Reply::kTaken;
    if (reply == Reply::kTaken) {
      const std::unique_ptr<MidiEvent> event = port_.GetMidiEvent();
      const int length = event ? event->sysex_length : 0;
      if (length == kAckMessageSize) {
        if (!IsAckMessage(event->sysex, ChannelIndex())) {
          log_.LogError(" Dump ERROR - What is it? = " + std::to_string(length));
          failed = true;
        }
        if (retries > 0) log_.AddLine(kRetryOkLine);
      } else {
        log_.LogError(" Dump ERROR - Wrong ACK size = " + std::to_string(length));
        failed = true;
      }
    }
    SendDelay();
    if (failed) return kFailure;
  }
  view_.ShowWaveform(index);
  return kSuccess;
}

int DumpEngine::ReceiveWaveform(int bank, int wave) {
  if (!InTable(bank, wave)) return kFailure;
  const int index = WaveIndex(bank, wave);
  SelectWaveform(bank, wave, /*wave_first=*/true);
  for (int block = 0; block < kWaveBlocksPerWave; ++block) {
    const int position = WaveBlockPosition(block);
    int retries = 0;
    const Reply reply = AwaitReply(bank, wave, block, retries, [&] {
      SendCommand(port_.Out(), ChannelIndex(), kCommandRequestBlock, position);
    });
    if (reply != Reply::kTaken) return kFailure;
    const std::unique_ptr<MidiEvent> event = port_.GetMidiEvent();
    const int length = event ? event->sysex_length : 0;
    if (length != kWaveBlockMessageSize ||
        !UnpackWaveBlock(store_.Wave(index), event->sysex, position)) {
      log_.LogError(" Dump ERROR - Wrong message size = " + std::to_string(length));
      return kFailure;
    }
    if (retries > 0) log_.AddLine(kRetryOkLine);
  }
  view_.ShowWaveform(index);
  view_.WaveformReceived(index);
  return kSuccess;
}

template <typename Body>
DumpOutcome DumpEngine::RunDump(const std::string& log_line, const std::string& caption,
                                int maximum, Body body, bool refresh_grid, bool refresh_editor,
                                bool refresh_map) {
  // Runs on every way out, a port error included, so the window never stays busy.
  struct Ending {
    DumpEngine& engine;
    bool grid, editor, map;
    ~Ending() {
      engine.view_.HideProgress();
      engine.view_.EndBusy();
      if (editor) engine.view_.RefreshEditor();
      if (grid) engine.view_.RefreshGrid();
      if (map) engine.view_.RefreshSpectralMap();
    }
  };
  view_.BeginBusy();
  log_.AddLine(log_line);
  view_.ShowProgress(caption, maximum);
  const Ending ending{*this, refresh_grid, refresh_editor, refresh_map};
  DumpOutcome outcome;
  body(outcome);
  return outcome;
}

void DumpEngine::TransferInOrder(int first, int count, WaveformTransfer transfer,
                                 DumpOutcome& outcome) {
  for (int n = 0; n < count; ++n) {
    const int index = first + n;
    if ((this->*transfer)(index / kWavesPerBank, index % kWavesPerBank) != kSuccess) {
      ++outcome.failures;
      return;
    }
    ++outcome.waveforms_done;
    view_.SetProgress(n);
  }
}

DumpOutcome DumpEngine::SendBank(int bank) {
  return RunDump(
      " > Send Bank " + std::to_string(bank) + ChannelSuffix(settings_.channel), "Send One Bank",
      kWavesPerBank,
      [&](DumpOutcome& outcome) {
        TransferInOrder(WaveIndex(bank, 0), kWavesPerBank, &DumpEngine::SendWaveform, outcome);
      },
      /*refresh_grid=*/false, /*refresh_editor=*/true, /*refresh_map=*/false);
}

DumpOutcome DumpEngine::ReceiveBank(int bank) {
  return RunDump(
      " > Receive Bank " + std::to_string(bank) + ChannelSuffix(settings_.channel),
      "Receive One Bank", kWavesPerBank,
      [&](DumpOutcome& outcome) {
        TransferInOrder(WaveIndex(bank, 0), kWavesPerBank, &DumpEngine::ReceiveWaveform, outcome);
      },
      /*refresh_grid=*/true, /*refresh_editor=*/true, /*refresh_map=*/false);
}

DumpOutcome DumpEngine::SendWavetable() {
  return RunDump(
      " > Send WaveTable" + ChannelSuffix(settings_.channel), "Send WaveTable", kWaveCount,
      [&](DumpOutcome& outcome) {
        TransferInOrder(0, kWaveCount, &DumpEngine::SendWaveform, outcome);
      },
      /*refresh_grid=*/false, /*refresh_editor=*/true, /*refresh_map=*/false);
}

DumpOutcome DumpEngine::ReceiveWavetable() {
  return RunDump(
      " > Receive WaveTable" + ChannelSuffix(settings_.channel), "Receive ALL Waves", kWaveCount,
      [&](DumpOutcome& outcome) {
        TransferInOrder(0, kWaveCount, &DumpEngine::ReceiveWaveform, outcome);
      },
      /*refresh_grid=*/true, /*refresh_editor=*/true, /*refresh_map=*/false);
}

DumpOutcome DumpEngine::SendSelected(const CellRange& cells) {
  const int count = (cells.right - cells.left + 1) * (cells.bottom - cells.top + 1);
  return RunDump(
      " > Send " + std::to_string(count) + " Waveforms" + ChannelSuffix(settings_.channel),
      "Send Selected Waveforms", count,
      [&](DumpOutcome& outcome) {
        int done = 0;
        for (int row = cells.top; row <= cells.bottom; ++row) {
          for (int column = cells.left; column <= cells.right; ++column) {
            if (SendWaveform(row, column) == kSuccess) {
              ++outcome.waveforms_done;
            } else {
              ++outcome.failures;
            }
            view_.SetProgress(++done);
          }
        }
      },
      /*refresh_grid=*/false, /*refresh_editor=*/false, /*refresh_map=*/false);
}

DumpOutcome DumpEngine::ReceiveSelected(const CellRange& cells) {
  const int count = (cells.right - cells.left + 1) * (cells.bottom - cells.top + 1);
  return RunDump(
      " > Receive " + std::to_string(count) + " Waveforms" + ChannelSuffix(settings_.channel),
      "Receive Selected Waveforms", count,
      [&](DumpOutcome& outcome) {
        for (int row = cells.top; row <= cells.bottom; ++row) {
          for (int column = cells.left; column <= cells.right; ++column) {
            if (ReceiveWaveform(row, column) != kSuccess) {
              ++outcome.failures;
              return;
            }
            view_.SetProgress(++outcome.waveforms_done);
          }
        }
      },
      /*refresh_grid=*/false, /*refresh_editor=*/false, /*refresh_map=*/true);
}

void SendBufferBlocks(MidiOut& out, int channel, ConstWaveSpan buffer) {
  for (int block = 0; block < kWaveBlocksPerWave; ++block) {
    SendWaveBlock(out, ChannelIndexOf(channel), WaveBlockPosition(block), buffer);
  }
}

void DumpEngine::SendBuffer(ConstWaveSpan buffer) {
  SendBufferBlocks(port_.Out(), settings_.channel, buffer);
}

void DumpEngine::ReceiveBuffer(WaveSpan buffer, int bank, int wave) {
  struct Ending {
    DumpView& view;
    ~Ending() {
      view.RefreshEditor();
      view.EndBusy();
    }
  };
  view_.BeginBusy();
  const Ending ending{view_};
  log_.AddLine(" > Receive Waveform Buffer" + ChannelSuffix(settings_.channel));
  SelectWaveform(bank, wave, /*wave_first=*/true);
  // Up to eight waits of T ms; whether an event came.
  const auto wait_for_reply = [this] {
    for (int i = 0; i < kBufferReplyWaits && port_.GetEventCount() == 0; ++i) {
      port_.WaitForEvent(settings_.timeout);
    }
    return port_.GetEventCount() > 0;
  };
  if (settings_.handshake_checked) {
    // With handshake the module answers one long message whose layout the editor does not use:
    // it is taken and dropped, and the buffer stays as it is.
    SendCommand(port_.Out(), ChannelIndex(), kCommandRequestBlock, 0);
    if (wait_for_reply()) port_.GetMidiEvent();
    return;
  }
  for (int block = 0; block < kWaveBlocksPerWave; ++block) {
    const int position = WaveBlockPosition(block);
    SendCommand(port_.Out(), ChannelIndex(), kCommandRequestBlock, position);
    if (!wait_for_reply()) {
      log_.LogError(kTimeOutLine);
      return;
    }
    const std::unique_ptr<MidiEvent> event = port_.GetMidiEvent();
    if (!event || event->sysex_length != kWaveBlockMessageSize ||
        !UnpackWaveBlock(buffer, event->sysex, position)) {
      return;
    }
  }
}

}  // namespace morvane
