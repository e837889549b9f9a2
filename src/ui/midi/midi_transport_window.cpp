#include "ui/midi/midi_transport_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "core/midi/krn5_setup.h"
#include "core/module/module_controls.h"
#include "core/util/waiter.h"
#include "ui/controls/progress_gauge.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_window.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"

namespace morvane {
namespace {

constexpr char kOverflowLine[] = "MIDI Overflow !!!  ";

QStringList ToStringList(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list.append(QString::fromStdString(name));
  return list;
}

// The name at a list position; the empty name when nothing is selected there.
std::string NameAt(const std::vector<std::string>& names, int entry) {
  if (entry < 0 || entry >= static_cast<int>(names.size())) return {};
  return names[static_cast<std::size_t>(entry)];
}

}  // namespace

MidiTransportWindow::MidiTransportWindow(AppContext& app, Waiter& waiter)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      app_(app),
      waiter_(waiter),
      midi_input_(app.midi_driver(), &notifier_),
      midi_output_(app.midi_driver()),
      gauge_(new ProgressGauge(this)) {
  setObjectName("FormMIDI");
  setWindowTitle("Send Datas to MIDI");
  gauge_->setObjectName("CGauge1");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(gauge_);
  resize(320, 40);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  midi_input_.SetCapacity(kInputCapacity);
  midi_input_.SetOnMidiInput([this] { MidiInput1MidiInput(); });
  midi_input_.SetOnOverflow([this] { MidiInput1Overflow(); });
  // The driver thread only wakes this descriptor; the handlers run here, on the GUI thread.
  wake_up_ = std::make_unique<QSocketNotifier>(notifier_.fd(), QSocketNotifier::Read);
  connect(wake_up_.get(), &QSocketNotifier::activated, this, [this] {
    notifier_.Drain();
    midi_input_.DispatchNotifications();
  });
}

MidiTransportWindow::~MidiTransportWindow() { CloseMidiPorts(); }

void MidiTransportWindow::FormCreate() {
  ListMidiDevices();
  LoadMidiSettings();
  ConnectOptions();
  try {
    OpenMidiPorts();
  } catch (const std::exception& error) {
    // The user picks a device in the options, which opens the ports again.
    ReportPortError(error);
    return;
  }
  // With no output device at all there is nobody to set up: no error box at every start.
  if (CurrentKrn5Setup().startup_send && midi_output_.State() == MidiOutputState::kOpen) {
    RunPortCommand([this] { SendKrn5Setup(); });
  }
  WaitMs(kStartupWaitMs);
}

void MidiTransportWindow::ListMidiDevices() {
  OptionsDialog& options = *app_.options_dialog();
  input_names_ = app_.midi_driver().InputNames();
  output_names_ = app_.midi_driver().OutputNames();
  options.SetMidiInputNames(ToStringList(input_names_));
  options.SetMidiOutputNames(ToStringList(output_names_));
}

void MidiTransportWindow::LoadMidiSettings() {
  OptionsDialog& options = *app_.options_dialog();
  SettingsReader reader = app_.settings().OpenForReading();
  if (!reader.Exists()) {
    // Nothing saved yet: the first entries, the built-in virtual module, so that a first start
    // finds a module without any MIDI hardware.
    options.SetMidiIn(0);
    options.SetMidiOut(0);
    return;
  }
  int midi_in = options.MidiIn();
  int midi_out = options.MidiOut();
  int time_out = options.TimeOut();
  // The reader skips every value after a missing one.
  reader.ReadInteger("MIDIIN", midi_in);
  reader.ReadInteger("MIDIOUT", midi_out);
  reader.ReadInteger("TIMEOUT", time_out);
  options.SetMidiIn(midi_in);
  options.SetMidiOut(midi_out);
  options.SetTimeOut(time_out);
  ReportSettingsReadError(app_.messages(), reader);
}

void MidiTransportWindow::OpenMidiPorts() {
  OptionsDialog& options = *app_.options_dialog();
  if (!input_names_.empty()) {
    midi_input_.SetProductName(NameAt(input_names_, options.MidiIn()));
    midi_input_.Open();
    midi_input_.Start();
  }
  if (!output_names_.empty()) {
    midi_output_.SetProductName(NameAt(output_names_, options.MidiOut()));
    midi_output_.Open();
  }
}

void MidiTransportWindow::CloseMidiPorts() {
  midi_input_.Close();
  midi_output_.Close();
}

void MidiTransportWindow::ReopenMidiPorts() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  CloseMidiPorts();
  try {
    OpenMidiPorts();
    QApplication::restoreOverrideCursor();
  } catch (const std::exception& error) {
    QApplication::restoreOverrideCursor();
    ReportPortError(error);
  }
}

void MidiTransportWindow::WaitMs(int ms) { waiter_.WaitMs(ms); }

Krn5Setup MidiTransportWindow::CurrentKrn5Setup() const {
  const OptionsDialog& options = *app_.options_dialog();
  return {.input = options.Krn5Input(),
          .merge = options.Krn5Merge(),
          .startup_send = options.Krn5StartupSend()};
}

void MidiTransportWindow::SendKrn5Setup() {
  morvane::SendKrn5Setup(midi_output_, CurrentKrn5Setup());
}

void MidiTransportWindow::ConnectOptions() {
  OptionsDialog* options = app_.options_dialog();
  connect(options, &OptionsDialog::MidiPortChosen, this, &MidiTransportWindow::ReopenMidiPorts);
  connect(options, &OptionsDialog::Krn5InputChanged, this, [this] {
    RunPortCommand([this] { Krn5InputChanged(midi_output_, CurrentKrn5Setup()); });
  });
  connect(options, &OptionsDialog::Krn5MergeClicked, this, [this] {
    RunPortCommand([this] { Krn5MergeClicked(midi_output_, CurrentKrn5Setup()); });
  });
  connect(options, &OptionsDialog::SendKrn5Clicked, this,
          [this] { RunPortCommand([this] { SendKrn5Setup(); }); });
}

// Step capture: while the waveform editor records, every queued event is taken, and a note or
// the bank controller on the module's channel writes one step. Draining on each notice keeps the
// ring from filling during a burst. Otherwise events stay queued for the next transfer to find.
void MidiTransportWindow::MidiInput1MidiInput() {
  WaveformEditorWindow* editor = app_.waveform_editor();
  const ModuleControlWindow* module = app_.module_control();
  if (!editor || !module || !editor->Recording()) return;
  const OptionsDialog& options = *app_.options_dialog();
  const CaptureChoice choice{.note_on = options.CaptureNoteOn(),
                             .controller = options.CaptureController(),
                             .channel_index = module->Channel() - 1,
                             .bank_controller = module->BankController()};
  while (const std::unique_ptr<MidiEvent> event = midi_input_.GetMidiEvent()) {
    if (const auto value = CapturedValue(event->midi_message, event->data1, event->data2, choice)) {
      editor->RecordValue(*value);
    }
  }
}

void MidiTransportWindow::CaptureSwitchedOn() {
  while (midi_input_.GetMidiEvent()) {
  }
}

// A full ring posts no input notice for what it drops, so a recording drains it here too.
void MidiTransportWindow::MidiInput1Overflow() {
  app_.midi_log().AddLine(kOverflowLine);
  MidiInput1MidiInput();
}

template <typename Command>
void MidiTransportWindow::RunPortCommand(Command command) {
  try {
    command();
  } catch (const MidiOutputError& error) {
    ReportPortError(error);
  } catch (const MidiInputError& error) {
    ReportPortError(error);
  }
}

void MidiTransportWindow::ReportPortError(const std::exception& error) {
  app_.messages().Show(QApplication::applicationName(), QString::fromStdString(error.what()),
                       QMessageBox::Ok, QMessageBox::Critical);
}

}  // namespace morvane
