#include "ui/midi/transfer_session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <algorithm>

#include "core/midi/midi_input.h"
#include "core/midi/midi_output.h"
#include "ui/controls/progress_gauge.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/midi/midi_transport_window.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_window.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

TransferSession::TransferSession(AppContext& app)
    : app_(app),
      settings_(ReadSettings(app)),
      wait_(app.midi_transport_window()->notifier()),
      port_(app.midi_transport_window()->midi_input(), app.midi_transport_window()->midi_output(),
            app.midi_transport_window()->waiter(), &wait_),
      engine_(port_, *this, *this, app.wavetable(), settings_) {}

TransferSession::~TransferSession() = default;

DumpSettings TransferSession::ReadSettings(AppContext& app) {
  const ModuleControlWindow& module = *app.module_control();
  const OptionsDialog& options = *app.options_dialog();
  DumpSettings settings;
  settings.channel = module.Channel();
  settings.bank_controller = module.BankController();
  settings.wave_controller = module.WaveController();
  settings.handshake_checked = module.HandshakeChecked();
  settings.handshake_enabled = module.HandshakeEnabled();
  settings.timeout = options.TimeOut();
  settings.send_delay_ms = options.SysexSendDelay();
  return settings;
}

void TransferSession::Run(AppContext& app, const std::function<void(TransferSession&)>& transfer) {
  MidiTransportWindow& midi = *app.midi_transport_window();
  try {
    TransferSession session(app);
    transfer(session);
  } catch (const MidiOutputError& error) {
    // A port that failed mid-transfer is closed: nothing more goes to a device that is gone.
    midi.CloseMidiPorts();
    midi.ReportPortError(error);
  } catch (const MidiInputError& error) {
    midi.CloseMidiPorts();
    midi.ReportPortError(error);
  }
}

void TransferSession::BeginBusy() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (WaveformEditorWindow* editor = app_.waveform_editor()) {
    const auto shown = editor->View()->Data();
    std::copy_n(shown.begin(), std::min<std::size_t>(shown.size(), kWaveLength),
                shown_before_.begin());
  }
}

void TransferSession::EndBusy() { QApplication::restoreOverrideCursor(); }

void TransferSession::ShowProgress(const std::string& caption, int maximum) {
  MidiTransportWindow& midi = *app_.midi_transport_window();
  midi.setWindowTitle(QString::fromStdString(caption));
  midi.gauge()->SetMaxValue(maximum);
  midi.gauge()->SetProgress(0);
  midi.show();
  // The window must be on the screen before the transfer blocks the thread, or the gauge draws
  // into a window that is not there yet: let the window system map and expose it, dispatching
  // nothing else (no input, no timers, no MIDI notifications), for a fifth of a second at most.
  constexpr auto kOnlyTheWindowSystem = QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::ExcludeSocketNotifiers |
                                        QEventLoop::X11ExcludeTimers;
  QElapsedTimer waited;
  waited.start();
  while (midi.windowHandle() && !midi.windowHandle()->isExposed() && waited.elapsed() < 200) {
    QCoreApplication::processEvents(kOnlyTheWindowSystem, 10);
  }
  midi.repaint();
}

void TransferSession::SetProgress(int position) {
  app_.midi_transport_window()->gauge()->SetProgress(position);
}

void TransferSession::HideProgress() {
  MidiTransportWindow& midi = *app_.midi_transport_window();
  midi.hide();
  midi.setWindowTitle("Send Datas to MIDI");
}

void TransferSession::ShowWaveform(int index) {
  // The editor's view follows the transfer, waveform by waveform, as it goes out or comes in.
  if (WaveformEditorWindow* editor = app_.waveform_editor()) {
    editor->View()->SetData(app_.wavetable().Wave(index));
    editor->View()->repaint();
  }
}

void TransferSession::WaveformReceived(int index) {
  received_ = true;
  if (MainWindow* main = app_.main_window()) {
    const QRect selection = main->Grid()->Selection();
    const int column = index % kWavesPerBank;
    const int row = index / kWavesPerBank;
    main->DrawWaveCell(column, row, selection.contains(column, row));
  }
}

void TransferSession::RefreshEditor() {
  WaveformEditorWindow* editor = app_.waveform_editor();
  if (!editor) return;
  // After a receive the editor shows the current waveform as it now is in the slot; after a send
  // it gets back what it showed, unwritten edits included.
  if (received_) {
    editor->ReloadWorkingCopy();
  } else {
    editor->View()->SetData(shown_before_);
    editor->View()->repaint();
  }
}

void TransferSession::RefreshGrid() {
  if (MainWindow* main = app_.main_window()) main->RefreshGrid();
}

void TransferSession::RefreshSpectralMap() {
  if (MainWindow* main = app_.main_window()) main->SpectralMapRefresh();
}

void TransferSession::AddLine(const std::string& line) {
  MidiLogPane& log = app_.module_control()->Log();
  log.AddLine(line);
  log.repaint();
}

void TransferSession::LogError(const std::string& text) { app_.module_control()->LogError(text); }

}  // namespace morvane
