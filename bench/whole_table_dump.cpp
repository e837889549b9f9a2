// A whole-wavetable send with handshake to the in-process virtual module, through the editor's
// real input and output ports, the eventfd wake and the steady clock: 2048 waveforms, 8192
// blocks, each acknowledged. And one bank at the MIDI rate of 31 250 baud, against the time its
// bytes need on the cable one after the other (each block's 82 bytes, then its 6-byte ACK, and the
// two 3-byte select messages of every waveform).

#include <benchmark/benchmark.h>

#include "core/midi/dump_engine.h"
#include "core/midi/midi_input.h"
#include "core/midi/midi_output.h"
#include "core/midi/ports_transfer_port.h"
#include "core/midi/sysex_format.h"
#include "platform/midi/event_fd_notifier.h"
#include "platform/midi/notified_event_wait.h"
#include "platform/time/steady_waiter.h"
#include "sim/virtual_midi_line.h"
#include "sim/wire_pacer.h"

namespace morvane {
namespace {

constexpr int kChannel = 1;

// The editor's side of the line: both ports open on the virtual module, and a log whose errors
// reset the ports as the module control window does.
class EditorPorts final : public TransferLog {
 public:
  explicit EditorPorts(VirtualMidiLine& line) : input_(line, &notifier_), output_(line) {
    input_.SetCapacity(4096);
    output_.SetDeviceID(0);
    Reset();
  }
  void AddLine(const std::string&) override {}
  void LogError(const std::string&) override {
    ++errors;
    Reset();
  }

  DumpOutcome SendWavetable(WavetableStore& store) { return Run(store).SendWavetable(); }
  DumpOutcome SendBank(WavetableStore& store, int bank) { return Run(store).SendBank(bank); }

  int errors = 0;

 private:
  DumpEngine Run(WavetableStore& store) {
    DumpSettings settings;
    settings.channel = kChannel;
    settings.handshake_checked = settings.handshake_enabled = true;
    settings.timeout = 100;
    wait_ = std::make_unique<NotifiedEventWait>(notifier_);
    port_ = std::make_unique<PortsTransferPort>(input_, output_, clock_, wait_.get());
    return DumpEngine(*port_, *this, view_, store, settings);
  }

  void Reset() {
    input_.Close();
    output_.Close();
    input_.Open();
    input_.Start();
    output_.Open();
  }

  EventFdNotifier notifier_;
  SteadyWaiter clock_;
  MidiInput input_;
  MidiOutput output_;
  std::unique_ptr<NotifiedEventWait> wait_;
  std::unique_ptr<PortsTransferPort> port_;
  DumpView view_;
};

ModuleConfiguration HandshakeModule() {
  ModuleConfiguration configuration;
  configuration.channel_index = kChannel - 1;
  configuration.flags = kFlagHandshake;
  return configuration;
}

void BM_WholeTableSendWithHandshake(benchmark::State& state) {
  VirtualMidiLine line;
  line.AddModule(HandshakeModule());
  EditorPorts editor(line);
  WavetableStore store;
  for (auto _ : state) {
    const DumpOutcome outcome = editor.SendWavetable(store);
    if (!outcome.Completed(kWaveCount) || editor.errors != 0) state.SkipWithError("send failed");
  }
  state.counters["blocks"] = kWaveCount * kWaveBlocksPerWave;
}
BENCHMARK(BM_WholeTableSendWithHandshake)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_BankSendAtTheMidiRate(benchmark::State& state) {
  VirtualMidiLine::Options options;
  options.baud = WirePacer::kMidiBaud;
  VirtualMidiLine line(options);
  line.AddModule(HandshakeModule());
  EditorPorts editor(line);
  WavetableStore store;
  const WirePacer cable(WirePacer::kMidiBaud);
  const std::size_t bytes_per_wave =
      2 * 3 + kWaveBlocksPerWave * (kWaveBlockMessageSize + kAckMessageSize);
  const double wire_seconds =
      std::chrono::duration<double>(cable.WireTime(bytes_per_wave * kWavesPerBank)).count();
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const DumpOutcome outcome = editor.SendBank(store, 5);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!outcome.Completed(kWavesPerBank) || editor.errors != 0) state.SkipWithError("send failed");
  }
  state.counters["wire_s"] = wire_seconds;
  state.counters["ratio_to_wire"] = seconds / wire_seconds;
  state.counters["table_estimate_s"] = seconds * kBankCount;
}
BENCHMARK(BM_BankSendAtTheMidiRate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace morvane
