#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/module/module_control_settings.h"
#include "core/module/module_controls.h"
#include "core/module/module_detection.h"
#include "core/wavetable/wavetable_store.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class QWidget;

namespace morvane {

class AppContext;
class MidiLogPane;
class MidiOut;
class ValueKnob;

// "Control Modules": edits the parameter set of one module and sends every change to it at once,
// on the module's channel. It holds what every transfer uses (the channel, the bank and wave
// controllers, handshake), the eight parameter images through their slot buttons, the mode
// presets, the parameter files and the MIDI log.
class ModuleControlWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kSlotCount = 8;
  // The client height "Log Screen" gives the window when it shows the log again.
  static constexpr int kHeightWithLog = 673;

  explicit ModuleControlWindow(AppContext& app);
  ~ModuleControlWindow() override;

  // The creation once the window is registered: lists, settings, range texts and the banner.
  void FormCreate();
  // Writes the window's values; the main window calls it when it closes.
  void SaveSettings();

  // --- What transfers and the other windows use ------------------------------------------------
  int Channel() const;  // "Channel" knob, 1 to 16
  // Controller numbers of the "Bank" and "Wave " lists, 255 for none.
  int BankController() const;
  int WaveController() const;
  // "Handshake Sysex TX " counts only while it is checked and enabled.
  bool HandshakeOn() const;
  bool SendControllersChecked() const;  // "Send  MIDI Controlers"
  bool SendBufferChecked() const;       // "Send Waveform Buffer"
  // While "Send  MIDI Controlers" is checked: the bank and wave select messages that make the
  // module play the waveform the editor now shows.
  void SendWaveformSelection(int bank, int wave);
  MidiLogPane& Log() { return *log_; }
  // Adds the text and an empty line to the log, then closes and opens both MIDI ports again;
  // throws MidiInputError or MidiOutputError when they cannot be opened.
  void LogError(const std::string& text);

  // The box itself, checked or not and enabled or not (a firmware that knows the flags).
  bool HandshakeChecked() const;
  bool HandshakeEnabled() const;

  // --- Talking to the module itself (module_detection_commands.cpp) -----------------------------
  // "Receive from MIDI": the module's parameter set into the controls and the selected image;
  // verbose logs what it found, or why nothing came. Returns whether a module answered.
  bool RequestParameters(bool verbose);
  // "Detect Modules": asks the 16 channels and gives each module found a slot button; the first
  // one is then pressed. Returns the number of modules found.
  int ScanModules();
  // "Send Write to Flash".
  void WriteConfigToFlash();
  // "Channel Change": asks for the new channel, tells the module, and follows it.
  void ChangeModuleChannel();
  // The waveform editor's buffer to the module, on the current channel; a port error is told once
  // per user action (an edit sends at every change while "Send Waveform Buffer" is checked).
  void SendWaveformBuffer(ConstWaveSpan buffer);
  // "Send MIDI Clock": starts or stops the clock.
  void ToggleClock();
  // Stops the clock without a stop byte or a log line, as a transfer does before it starts.
  void StopClock();
  bool ClockRunning() const { return clock_.running(); }
  ValueKnob* ChannelKnob() const { return channel_knob_; }
  bool SlotShown(int slot) const;

  // Sets the "Channel" knob, as a scan does; nothing is sent.
  void SetChannel(int channel);
  // Sets the controls from a module's parameter reply, the channel excepted. Only a change of
  // the two check boxes sends anything.
  void ApplyParameterReply(const ParameterReply& reply);

  // --- Parameter images --------------------------------------------------------------------------
  // The controls as plain values.
  ModuleControls CurrentControls() const;
  // The image of the selected slot: the visible slot shown in yellow, else image 0.
  int SelectedModule() const;
  void StoreImage(int image);
  // Sets every control from the image; only a change of the two check boxes sends anything.
  void ApplyImage(int image);
  // Slot buttons "1" to "8" (slot 1 to 8): hidden until a scan shows the modules it found.
  QToolButton* SlotButton(int slot) const;
  void ShowSlotButton(int slot, bool visible);
  // Pressing slot n: ApplyImage(n - 1) and slot n becomes the selected one.
  void PressSlot(int slot);

  // The menu entry with the given object name (nullptr when there is none).
  QAction* MenuAction(const QString& object_name) const;

 signals:
  // The window was closed, so the main window's "Module Control" entry loses its tick.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // --- Building (module_control_window.cpp, module_control_layout.cpp) -------------------------
  void BuildMenus();
  void BuildToolBar();
  QWidget* BuildControls();
  QWidget* BuildSetupGroup();
  QWidget* BuildPanelGroup();
  QWidget* BuildMidiToCvGroup();
  QWidget* BuildControllersGroup();
  QWidget* BuildClockGroup();
  QWidget* BuildGateGroup();
  QWidget* BuildAdvancedGroup();
  ValueKnob* MakeKnob(QWidget* parent, const char* name, int min, int max, int initial,
                      const QString& hint);
  ValueKnob* MakeSwitch(QWidget* parent, const char* name, const QString& hint, bool warm);
  QComboBox* MakeList(QWidget* parent, const char* name, const QString& hint);
  QAction* AddAction(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut, const std::function<void()>& command);
  void ConnectControls();
  void FillLists();
  void ApplySettings(const ModuleControlSettings& settings);
  ModuleControlSettings CurrentSettings() const;
  void WriteBanner();
  void ToggleLog();
  void ShowLog(bool shown);
  // Yellow opaque caption for the selected slot (1 to 8), black transparent ones for the others.
  void MarkSelectedSlot(int slot);

  // --- Control changes (module_control_commands.cpp) -------------------------------------------
  // Sends a command on the current channel; a port error is reported once per user action.
  // False when the port refused it.
  bool Send(int command, int value);
  // Runs a send on the output port, reporting a port error once per user action.
  bool SendOnPort(const std::function<void(MidiOut&)>& send);
  // Sends a parameter's command and writes its byte into the selected image.
  void SendParameter(ModuleParameter parameter);
  void DividerChanged();
  void BpmChosen();
  void RangeChanged(ValueKnob* knob, ModuleParameter parameter);
  void CounterChosen();
  void GateChosen();
  void MidiToCvChanged();
  void Config2SwitchChanged(ValueKnob* knob);
  void SendFlags();
  void SendConfig1();
  void SendConfig2();
  void ApplyConfig2(std::uint8_t config2);
  void UpdateGatePanels();
  void ShowMidiToCv(bool on);
  void ShowPlayerMode(bool on);
  void ShowSwitch(ValueKnob* knob, bool on);
  void ShowBpmFromDivider();
  void ApplyConfig1(std::uint8_t config1);
  // The firmware readout; the two check boxes are enabled for a firmware that knows the flags.
  // Returns whether it does.
  bool ShowFirmware(int firmware);
  // The two check boxes from a flags byte; each change sends command 7.
  void ShowFlags(std::uint8_t flags);
  void SendToMidi();
  void ApplyPreset(int preset);
  // Runs a user's command: its first port error is reported, later ones of it are not.
  void UserAction(const std::function<void()>& command);

  // --- Parameter files (module_control_files.cpp) ----------------------------------------------
  void LoadParameterFile();
  void SaveParameterFile();
  void SaveParameterSysex();
  void ReportFileError(const char* text);

  void ClockTick();

  AppContext& app_;
  ModuleControlSettings settings_;
  MidiClock clock_;
  QTimer* clock_timer_ = nullptr;  // the values that have no control of their own

  ValueKnob* channel_knob_ = nullptr;
  ValueKnob* trigger_knob_ = nullptr;
  ValueKnob* bank_range_knob_ = nullptr;
  ValueKnob* wave_range_knob_ = nullptr;
  QCheckBox* zero_cross_box_ = nullptr;
  ValueKnob* midi_to_cv_switch_ = nullptr;
  ValueKnob* retrigger_switch_ = nullptr;
  ValueKnob* note_ref_knob_ = nullptr;
  QComboBox* bank_list_ = nullptr;
  QComboBox* wave_list_ = nullptr;
  ValueKnob* clock_reset_knob_ = nullptr;
  ValueKnob* divider_knob_ = nullptr;
  QComboBox* bpm_list_ = nullptr;
  QComboBox* counter_list_ = nullptr;
  QComboBox* gate_list_ = nullptr;
  QWidget* reset_panel_ = nullptr;
  QWidget* player_panel_ = nullptr;
  ValueKnob* gate_reset_knob_ = nullptr;
  ValueKnob* player_switch_ = nullptr;
  ValueKnob* note_map_switch_ = nullptr;
  QComboBox* sample_map_list_ = nullptr;
  QLabel* firmware_label_ = nullptr;
  QCheckBox* recall_box_ = nullptr;
  QCheckBox* handshake_box_ = nullptr;
  QWidget* log_panel_ = nullptr;
  MidiLogPane* log_ = nullptr;
  std::array<QToolButton*, kSlotCount> slot_buttons_{};
  std::array<QAction*, kSlotCount> slot_actions_{};  // a toolbar shows its widgets through these
  int selected_slot_ = 0;                            // 1 to 8; 0 while none was pressed
  int firmware_ = 0;
  bool port_error_reported_ = false;
};

}  // namespace morvane
