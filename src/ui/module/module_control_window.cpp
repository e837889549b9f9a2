#include "ui/module/module_control_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/midi/controller_names.h"
#include "ui/controls/value_knob.h"
#include "ui/midi/midi_transport_window.h"
#include "ui/module/midi_log_pane.h"
#include "ui/shell/about_box.h"
#include "ui/shell/app_context.h"
#include "ui/shell/message_reporter.h"
#include "ui/shell/tool_icons.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

namespace {

constexpr const char* kPresets[] = {
    "CV Quantizer",
    "Wavetable Osc",
    "Sequencer 256 Gate/Reset",
    "Sequencer 256 MIDI clock",
    "Sample Player ",
    "Sample Player MIDI Map",
    "MIDI to CV/Gate",
};
constexpr const char* kPresetNames[] = {
    "CVQuantizer1",  "WavetableOsc1",        "Sequencer256GateReset1", "Sequencer256MIDIclock1",
    "SamplePlayer1", "SamplePlayerMIDIMap1", "MIDItoCVGate1",
};

struct ToolEntry {
  const char* name;
  const char* hint;
  const char* glyph;
  QColor tile;
  const char* menu_entry;  // the command it runs
};

const ToolEntry kToolEntries[] = {
    {"spdLoadParametreMRV8", "Load Parameters File ", "O", QColor(60, 120, 190), "Load1"},
    {"spdSaveParametreMRV8", "Save Parameters File", "S", QColor(60, 150, 90), "Save1"},
    {"spdRXParametreMRV8", "Receive Parameters from MIDI", "RX", QColor(160, 90, 40),
     "ReceivefromMIDI1"},
    {"spdTXParametreMRV8", "Send Parameters to MIDI", "TX", QColor(190, 120, 30), "SendtoMIDI1"},
    {"spdFlashMRV8", "Write  Config to Flash", "Fl", QColor(150, 60, 60), "WritetoFlash1"},
    {"spdChannelMRV8", "MIDI Channel Change", "Ch", QColor(100, 100, 100), "ChangeChannel1"},
    {"spdScanMRV8", "Scan MIDI ...", "Sc", QColor(80, 90, 180), "DetectModules1"},
};

}  // namespace

ModuleControlWindow::ModuleControlWindow(AppContext& app)
    : QMainWindow(nullptr, Qt::Tool), app_(app) {
  setObjectName("Form8");
  setWindowTitle("Control Modules");
  BuildMenus();
  BuildToolBar();
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(BuildControls());
  log_panel_ = new QWidget(central);
  log_panel_->setObjectName("Panel1");
  auto* log_layout = new QVBoxLayout(log_panel_);
  log_layout->setContentsMargins(0, 0, 0, 0);
  log_ = new MidiLogPane(log_panel_);
  log_layout->addWidget(log_);
  layout->addWidget(log_panel_, 1);
  setCentralWidget(central);
  ConnectControls();
  // Each user action, in any window, starts anew with port errors: a knob drag is one action,
  // not one per step.
  QCoreApplication::instance()->installEventFilter(this);
  resize(560, kHeightWithLog);
}

ModuleControlWindow::~ModuleControlWindow() = default;

QAction* ModuleControlWindow::MenuAction(const QString& object_name) const {
  return findChild<QAction*>(object_name);
}

QAction* ModuleControlWindow::AddAction(QMenu* menu, const char* name, const QString& caption,
                                        const QKeySequence& shortcut,
                                        const std::function<void()>& command) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setShortcut(shortcut);
  if (command) {
    connect(action, &QAction::triggered, this, [this, command] { UserAction(command); });
  } else {
    // Its command comes with the module detection and maintenance commands.
    action->setEnabled(false);
  }
  return action;
}

void ModuleControlWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  AddAction(file, "Load1", "Load", QKeySequence("Ctrl+L"), [this] { LoadParameterFile(); });
  AddAction(file, "Save1", "Save", QKeySequence("Ctrl+S"), [this] { SaveParameterFile(); });
  AddAction(file, "SaveasSysex1", "Save as Sysex", QKeySequence("Ctrl+Y"),
            [this] { SaveParameterSysex(); });

  QMenu* midi = menuBar()->addMenu("Midi");
  AddAction(midi, "SendtoMIDI1", "Send to MIDI", QKeySequence("F9"), [this] { SendToMidi(); });
  AddAction(midi, "ReceivefromMIDI1", "Receive from MIDI", QKeySequence("F10"),
            [this] { RequestParameters(/*verbose=*/true); });
  AddAction(midi, "ChangeChannel1", "Channel Change", QKeySequence("Ins"),
            [this] { ChangeModuleChannel(); });
  AddAction(midi, "WritetoFlash1", "Send Write to Flash", QKeySequence("F11"),
            [this] { WriteConfigToFlash(); });
  AddAction(midi, "DetectModules1", "Detect Modules", QKeySequence("F12"),
            [this] { ScanModules(); });

  QMenu* options = menuBar()->addMenu("Options");
  for (const auto& [name, caption] : {std::pair{"AutoDetectModules1", "Auto Detect Modules"},
                                      std::pair{"SendMIDIControlers1", "Send  MIDI Controlers"},
                                      std::pair{"SendWaveformBuffer1", "Send Waveform Buffer"}}) {
    // Only their check marks: the scan at start and the real-time sends read them.
    QAction* action = AddAction(options, name, caption, {}, [] {});
    action->setCheckable(true);
  }
  AddAction(options, "WaveformRTDisplay1", "Waveform RT Display ", {}, [] {});
  QAction* log_screen =
      AddAction(options, "LogScreen1", "Log Screen", QKeySequence("F4"), [this] { ToggleLog(); });
  log_screen->setCheckable(true);
  log_screen->setChecked(true);
  AddAction(options, "ClearLog1", "Clear Log", QKeySequence("Del"), [this] { log_->Clear(); });

  QMenu* presets = menuBar()->addMenu("Preset");
  for (int preset = 0; preset < static_cast<int>(std::size(kPresets)); ++preset) {
    AddAction(presets, kPresetNames[preset], kPresets[preset], {},
              [this, preset] { ApplyPreset(preset); });
  }
}

void ModuleControlWindow::BuildToolBar() {
  QToolBar* toolbar = addToolBar("Tools");
  toolbar->setObjectName("ToolBar1");
  toolbar->setMovable(false);
  toolbar->setIconSize(QSize(22, 22));
  for (const ToolEntry& entry : kToolEntries) {
    QAction* command = MenuAction(entry.menu_entry);
    auto* button = new QToolButton(toolbar);
    button->setObjectName(entry.name);
    button->setToolTip(entry.hint);
    button->setIcon(GlyphIcon(entry.glyph, entry.tile));
    button->setEnabled(command->isEnabled());
    connect(button, &QToolButton::clicked, command, &QAction::trigger);
    connect(command, &QAction::enabledChanged, button, &QToolButton::setEnabled);
    toolbar->addWidget(button);
  }
  toolbar->addSeparator();
  QFont bold = font();
  bold.setBold(true);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    auto* button = new QToolButton(toolbar);
    button->setObjectName(QString("spdSlot%1").arg(slot));
    button->setText(QString::number(slot));
    button->setToolTip("Morvane-8 Selectors ");
    button->setFont(bold);
    button->setFixedSize(22, 22);
    connect(button, &QToolButton::clicked, this,
            [this, slot] { UserAction([this, slot] { PressSlot(slot); }); });
    const auto index = static_cast<std::size_t>(slot - 1);
    slot_buttons_[index] = button;
    slot_actions_[index] = toolbar->addWidget(button);
    slot_actions_[index]->setVisible(false);
  }
  MarkSelectedSlot(0);
}

// --- Creation and settings ---------------------------------------------------------------------

void ModuleControlWindow::FormCreate() {
  FillLists();
  SettingsReader reader = app_.settings().OpenForReading();
  ModuleControlSettings settings;
  if (reader.Exists()) ReadModuleControlSettings(reader, settings);
  ApplySettings(settings);
  ReportSettingsReadError(app_.messages(), reader);
  WriteBanner();
}

void ModuleControlWindow::FillLists() {
  const auto fill = [](QComboBox* list, const QStringList& items) {
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(0);
  };
  fill(bpm_list_,
       {"  1 Bpm ", "  2 Bpm ", "  4 Bpm ", "  8 Bpm ", " 16 Bpm ", " 32 Bpm ", " Div by N "});
  fill(counter_list_, {" Disabled   ", " Bank ", " Wave ", " Sample ", " Gate "});
  fill(gate_list_, {" Disabled   ", " Bank ", " Wave ", " Sample "});
  QStringList sample_maps;
  for (int map = 0; map < kSampleMapCount; ++map) {
    sample_maps.append(
        QString::fromUtf8(SampleMapText(map).data(), static_cast<int>(SampleMapText(map).size())));
  }
  fill(sample_map_list_, sample_maps);
  QStringList controllers;
  for (const std::string& entry : ControllerList())
    controllers.append(QString::fromStdString(entry));
  fill(wave_list_, controllers);
  fill(bank_list_, controllers);
}

void ModuleControlWindow::ApplySettings(const ModuleControlSettings& settings) {
  settings_ = settings;
  move(settings.left, settings.top);
  log_->SetColors(settings.log_line_color, settings.log_back_color);
  wave_list_->setCurrentIndex(settings.wave_list_position);
  bank_list_->setCurrentIndex(settings.bank_list_position);
  note_ref_knob_->SetState(settings.note_ref);
  channel_knob_->SetState(settings.channel);
  MenuAction("SendMIDIControlers1")->setChecked(settings.send_controllers);
  MenuAction("SendWaveformBuffer1")->setChecked(settings.send_buffer);
  ShowLog(settings.show_log);
  if (settings.visible) show();
  bank_range_knob_->SetState(settings.bank_range);
  wave_range_knob_->SetState(settings.wave_range);
  clock_reset_knob_->SetState(settings.clock_reset);
  gate_reset_knob_->SetState(settings.gate_reset);
  trigger_knob_->SetState(settings.trigger);
  divider_knob_->SetState(settings.divider);
  ShowBpmFromDivider();
  MenuAction("AutoDetectModules1")->setChecked(settings.autodetect);
  if (settings.autodetect) {
    // The user sees both windows while the line is scanned.
    if (MainWindow* main = app_.main_window()) {
      main->show();
      main->repaint();
    }
    show();
    repaint();
    ScanModules();
  }
  ApplyConfig1(settings.config1);
  ApplyConfig2(settings.config2);
}

ModuleControlSettings ModuleControlWindow::CurrentSettings() const {
  const ModuleControls controls = CurrentControls();
  ModuleControlSettings settings;
  settings.left = pos().x();
  settings.top = pos().y();
  settings.visible = isVisible();
  settings.wave_list_position = wave_list_->currentIndex();
  settings.bank_list_position = bank_list_->currentIndex();
  settings.note_ref = controls.note_ref;
  settings.channel = controls.channel;
  settings.send_controllers = SendControllersChecked();
  settings.bank_range = controls.bank_range;
  settings.wave_range = controls.wave_range;
  settings.clock_reset = controls.clock_reset;
  settings.gate_reset = controls.gate_reset;
  settings.divider = controls.divider;
  settings.trigger = controls.trigger;
  settings.autodetect = MenuAction("AutoDetectModules1")->isChecked();
  settings.log_line_color = log_->LineColor();
  settings.log_back_color = log_->BackColor();
  settings.config1 = Config1Byte(controls);
  settings.config2 = Config2Byte(controls);
  settings.send_buffer = SendBufferChecked();
  settings.show_log = MenuAction("LogScreen1")->isChecked();
  return settings;
}

void ModuleControlWindow::SaveSettings() {
  SettingsWriter writer = app_.settings().OpenForWriting();
  WriteModuleControlSettings(writer, CurrentSettings());
  writer.Close();
}

void ModuleControlWindow::WriteBanner() {
  log_->Clear();
  log_->AddLine("MORVANE-8 MIDI Editor V2.3");
  log_->AddLine(AboutBox::CreditLine().toStdString());
  log_->AddLine("-----------------------------");
  log_->AddLine(" > Devices:");
  log_->AddLine("");
}

// --- Log ---------------------------------------------------------------------------------------

void ModuleControlWindow::ToggleLog() {
  if (log_panel_->isHidden()) {
    ShowLog(true);
    resize(width(), kHeightWithLog);
  } else {
    ShowLog(false);
  }
}

void ModuleControlWindow::ShowLog(bool shown) {
  log_panel_->setVisible(shown);
  MenuAction("LogScreen1")->setChecked(shown);
  if (!shown) {
    // The window fits what remains once the layout has let go of the pane.
    centralWidget()->layout()->activate();
    resize(width(), minimumSizeHint().height());
  }
}

void ModuleControlWindow::LogError(const std::string& text) {
  log_->AddLine(text);
  log_->AddLine("");
  // Ports that cannot be opened again (a device gone) throw: the transfer that logged ends with
  // that one error instead of a box now and another at its next send.
  if (MidiTransportWindow* midi = app_.midi_transport_window()) {
    midi->CloseMidiPorts();
    midi->OpenMidiPorts();
  }
}

// --- What the others read ----------------------------------------------------------------------

int ModuleControlWindow::Channel() const { return channel_knob_->State(); }

int ModuleControlWindow::BankController() const {
  return ControllerNumberFromListPosition(bank_list_->currentIndex());
}

int ModuleControlWindow::WaveController() const {
  return ControllerNumberFromListPosition(wave_list_->currentIndex());
}

bool ModuleControlWindow::HandshakeOn() const {
  return handshake_box_->isChecked() && handshake_box_->isEnabled();
}

bool ModuleControlWindow::SendControllersChecked() const {
  return MenuAction("SendMIDIControlers1")->isChecked();
}

bool ModuleControlWindow::SendBufferChecked() const {
  return MenuAction("SendWaveformBuffer1")->isChecked();
}

// --- Window ------------------------------------------------------------------------------------

void ModuleControlWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  emit Closed();
}

bool ModuleControlWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
    port_error_reported_ = false;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace morvane
