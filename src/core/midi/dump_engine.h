#pragma once

// Waveform dumps between the current wavetable slot (or the waveform editor's buffer) and the
// module: one waveform, a bank, the whole table, the selected cells, the editor's buffer. Each dump
// blocks the calling thread until it ends; progress, displays and the busy cursor are the
// window's, reached through DumpView.

#include <string>

#include "core/midi/sysex_wave_block.h"
#include "core/midi/transfer_port.h"
#include "core/wavetable/cell_drop.h"
#include "core/wavetable/wavetable_store.h"

namespace morvane {

// What a dump reads from the module control window and the options dialog when it starts.
struct DumpSettings {
  int channel = 1;  // MIDI channel 1..16, as the "Channel" knob shows it
  int bank_controller = 0;
  int wave_controller = 1;
  // The "Handshake Sysex TX " box: it counts for waveform dumps only while it is enabled too
  // (a firmware that knows the handshake).
  bool handshake_checked = false;
  bool handshake_enabled = false;
  int timeout = 20;       // T: reply wait in steps of 10 ms, 0..999
  int send_delay_ms = 0;  // D: after every block of a waveform send, 0..999
};

// The window side of a dump. Every hook does nothing unless overridden.
class DumpView {
 public:
  virtual ~DumpView() = default;
  virtual void BeginBusy() {}
  virtual void EndBusy() {}
  // The transport window: caption, shown, gauge maximum and position 0.
  virtual void ShowProgress(const std::string& /*caption*/, int /*maximum*/) {}
  virtual void SetProgress(int /*position*/) {}
  virtual void HideProgress() {}
  // Waveform `index` of the slot shown in the waveform editor's display.
  virtual void ShowWaveform(int /*index*/) {}
  // Waveform `index` changed in the slot: refresh the editor's display and redraw its cell.
  virtual void WaveformReceived(int /*index*/) {}
  // The editor's display (and readouts) after a dump.
  virtual void RefreshEditor() {}
  virtual void RefreshGrid() {}
  virtual void RefreshSpectralMap() {}
};

// How far a bank, wavetable or selection dump went.
struct DumpOutcome {
  int waveforms_done = 0;
  int failures = 0;
  bool Completed(int expected) const { return failures == 0 && waveforms_done == expected; }
};

// The four blocks of a waveform, to whatever waveform the module has selected: no controllers,
// no acknowledgement wait, no delay.
void SendBufferBlocks(MidiOut& out, int channel, ConstWaveSpan buffer);

// Logged when a reply does not come.
inline constexpr const char* kTimeOutLine = " > ERROR - Time Out !!! ";

class DumpEngine {
 public:
  static constexpr int kSuccess = 0;
  static constexpr int kFailure = -1;
  static constexpr int kReplyStepMs = 10;
  static constexpr int kMaxRetries = 3;
  static constexpr int kBufferReplyWaits = 8;

  DumpEngine(TransferPort& port, TransferLog& log, DumpView& view, WavetableStore& store,
             const DumpSettings& settings);

  // One waveform of the current slot; 0 on success, -1 on failure.
  int SendWaveform(int bank, int wave);
  int ReceiveWaveform(int bank, int wave);

  DumpOutcome SendBank(int bank);
  DumpOutcome ReceiveBank(int bank);
  DumpOutcome SendWavetable();
  DumpOutcome ReceiveWavetable();
  // Rows (banks) top to bottom, columns (waves) left to right, every cell of the rectangle. A
  // failed cell does not stop the send; it ends the receive.
  DumpOutcome SendSelected(const CellRange& cells);
  DumpOutcome ReceiveSelected(const CellRange& cells);

  // The editor's buffer: four blocks to whatever waveform the module has selected, no wait.
  void SendBuffer(ConstWaveSpan buffer);
  // The waveform (bank, wave) of the module into the editor's buffer.
  void ReceiveBuffer(WaveSpan buffer, int bank, int wave);

 private:
  enum class Reply { kTaken, kTimedOut, kNone };

  bool Handshake() const { return settings_.handshake_checked && settings_.handshake_enabled; }
  int ChannelIndex() const { return ChannelIndexOf(settings_.channel); }
  void SelectWaveform(int bank, int wave, bool wave_first);
  // Sends with `send` and waits for a reply as every block does: T steps of 10 ms, sent again
  // after each time-out, at most three times. kNone when T is 0.
  template <typename Send>
  Reply AwaitReply(int bank, int wave, int block, int& retries, Send send);
  void SendBlock(ConstWaveSpan wave, int block);
  void SendDelay();
  using WaveformTransfer = int (DumpEngine::*)(int bank, int wave);
  // Waveforms first .. first + count - 1 one after the other, the gauge at each one's number;
  // the first failure ends the run.
  void TransferInOrder(int first, int count, WaveformTransfer transfer, DumpOutcome& outcome);
  // Ends the dump the same way whether it ran to its end or a port error cut it short.
  template <typename Body>
  DumpOutcome RunDump(const std::string& log_line, const std::string& caption, int maximum,
                      Body body, bool refresh_grid, bool refresh_editor, bool refresh_map);

  TransferPort& port_;
  TransferLog& log_;
  DumpView& view_;
  WavetableStore& store_;
  DumpSettings settings_;
};

}  // namespace morvane
