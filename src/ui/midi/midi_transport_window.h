#pragma once

#include <QSocketNotifier>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/midi/krn5_setup.h"
#include "core/midi/midi_input.h"
#include "core/midi/midi_output.h"
#include "platform/midi/event_fd_notifier.h"

namespace morvane {

class AppContext;
class MidiDriver;
class ProgressGauge;
class Waiter;

// "Send Datas to MIDI": owns the editor's one MIDI input and one MIDI output, through which every
// window reaches the module, and shows the progress of transfers. It fills the options dialog's
// device lists and opens the ports chosen there.
class MidiTransportWindow : public QWidget {
  Q_OBJECT

 public:
  // Ring and system-exclusive buffers of the input, as the transfers need them.
  static constexpr std::uint16_t kInputCapacity = 4096;
  static constexpr int kStartupWaitMs = 500;

  MidiTransportWindow(AppContext& app, Waiter& waiter);
  ~MidiTransportWindow() override;

  // The start-up sequence: lists, saved choices, ports, KRN5 setup, then a 500 ms pause. A port
  // that cannot be selected is reported and ends the sequence there.
  void FormCreate();

  void ListMidiDevices();
  void LoadMidiSettings();
  // Throws MidiInputError or MidiOutputError when a chosen name matches no device.
  void OpenMidiPorts();
  void CloseMidiPorts();
  // Run when the user picks another device: closes and opens both ports under the busy cursor,
  // reporting a device that cannot be selected.
  void ReopenMidiPorts();
  // Blocks the GUI thread for more than `ms` milliseconds without dispatching events.
  void WaitMs(int ms);

  // The KRN5 controller: the whole setup, and the single messages of the options controls.
  void SendKrn5Setup();

  // Step capture was switched on: events queued before it were not played for the recording, so
  // they are dropped rather than written.
  void CaptureSwitchedOn();

  // How a port error that ends a command is shown: in a box with the program's name as caption.
  void ReportPortError(const std::exception& error);

  MidiInput& midi_input() { return midi_input_; }
  MidiOutput& midi_output() { return midi_output_; }
  // Wakes the window thread, and a transfer's reply wait, when the input queues an event.
  EventFdNotifier& notifier() { return notifier_; }
  Waiter& waiter() { return waiter_; }
  ProgressGauge* gauge() { return gauge_; }

 private:
  void MidiInput1MidiInput();
  void MidiInput1Overflow();
  void ConnectOptions();
  // The KRN5 controls as the options dialog shows them now.
  Krn5Setup CurrentKrn5Setup() const;
  // Runs a command that sends on the ports; a port error ends only that command, reported the
  // way every unexpected error of a command is.
  template <typename Command>
  void RunPortCommand(Command command);

  AppContext& app_;
  Waiter& waiter_;
  std::vector<std::string> input_names_;
  std::vector<std::string> output_names_;
  EventFdNotifier notifier_;
  MidiInput midi_input_;
  MidiOutput midi_output_;
  std::unique_ptr<QSocketNotifier> wake_up_;
  ProgressGauge* gauge_;
};

}  // namespace morvane
