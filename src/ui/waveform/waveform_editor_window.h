#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "core/waveform/waveform_editor_rules.h"
#include "core/waveform/waveform_editor_settings.h"
#include "core/wavetable/wavetable_store.h"
#include "ui/shell/file_dialogs.h"

class QAction;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace morvane {

class AppContext;
class GraphicSwitch;
class SampleTank;
class ScaleDetectionLabel;
class TogglePanel;
class ValueKnob;
class WaveformValueGrid;

// "Waveform Editor": edits one waveform of the current slot, chosen by the bank and wave
// selectors, in a working copy (the view "kvSampleTank1"). Every edit changes only the copy until
// WRITE stores it back into the slot. Around the view: the locator, value and selection knobs, the
// control panel of five transform knobs, seven toggle panels, the value grid, and the File, Edit,
// Process and View menus.
class WaveformEditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit WaveformEditorWindow(AppContext& app, QWidget* parent = nullptr);
  ~WaveformEditorWindow() override;

  // --- Operations of the other windows --------------------------------------------------------
  // Copies waveform bank * 64 + wave of the current slot into the working copy, then
  // WaveformChanged.
  void LoadCurrentWaveform();
  // Copies the current waveform into the working copy and shows it in the view and the value
  // grid, nothing more: what the main window needs after a file replaced the slot's contents.
  void ReloadWorkingCopy();
  // After every change of the working copy: repaints the view, refills the grid, shows the sample
  // at the locator on the value knob and sends the copy when real-time sending is on.
  void WaveformChanged();
  // As WaveformChanged, without the spectrum analysis and the scale detection.
  void WaveformChangedQuietly();
  // WRITE: stores the working copy as the current waveform and flashes the button.
  void WriteWaveform();
  // Refills the grid's value and note columns from `buffer`; nothing while the grid is hidden.
  void ShowValues(std::span<const std::uint8_t, kWaveLength> buffer);
  // Sends the working copy to the module when the module control window asks for real-time
  // sending.
  void SendIfRealTime();
  // "Send to MIDI" and "Receive from MIDI": the working copy to and from the module.
  void SendBuffer();
  void ReceiveBuffer();
  // Writes the place, visibility, panels and toggles; the main window calls it when it closes.
  void SaveSettings();

  // Writes a value captured from MIDI at the locator and moves the locator one step on within the
  // selection, as step recording does while "REC" is on.
  void RecordValue(std::uint8_t value);
  bool Recording() const;

  // Sets the Offset, Mask, Vertical and BitAvg knobs to 0 without their change handlers, so that
  // the generators and calculations write their values as computed.
  void ClearTransforms();

  ValueKnob* BankSelector() const { return bank_selector_; }
  ValueKnob* WaveSelector() const { return wave_selector_; }
  // The working copy, 256 samples. After writing into it, call WaveformChanged or
  // WaveformChangedQuietly.
  WaveSpan WorkingCopy();
  // The view, for the options dialog's colours and gradient.
  SampleTank* View() const { return view_; }
  int CurrentIndex() const;

  // Text and background of the view, grid, labels and knobs (the options dialog's Wave "Text" and
  // "Back"); the grid text keeps the marker colour.
  void SetTextColors(std::uint32_t text, std::uint32_t back);
  std::uint32_t TextColor() const { return text_color_; }
  std::uint32_t BackColor() const { return back_color_; }
  // Marker colour of the view and text colour of the grid (Wave "Markers").
  void SetMarkerColor(std::uint32_t color);

  // Table units per semitone for the grid's note names: the scales window's step (1..128).
  void SetSemitoneStep(int step);
  // MIDI channel (1..16) written into system-exclusive files: the module control window's.
  void SetMidiChannel(int channel);

  // The menu entry with the given object name (nullptr when there is none).
  QAction* MenuAction(const QString& object_name) const;
  // The save dialog of the File menu, which the module control window borrows for ".syx" files.
  static FileDialogRequest SaveDialogRequest();

 signals:
  // WRITE stored the working copy as waveform (bank, wave): its grid cell is redrawn selected.
  void WaveformWritten(int bank, int wave);
  // The "Scale Detection" option was switched; when off, the markers of every slot are cleared.
  void ScaleDetectionChanged(bool on);
  // The user switched "REC" on or off.
  void RecordingSwitched(bool on);
  // The window was closed, so the main window's "Waveform editor" entry loses its tick.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // --- Building (waveform_editor_window.cpp) --------------------------------------------------
  QWidget* BuildTopRow();
  QWidget* BuildViewRow();
  QWidget* BuildLocatorRow();
  QWidget* BuildControlPanel();
  QWidget* BuildGridPanel();
  ValueKnob* MakeKnob(const char* name, int min, int max, const QString& hint);
  TogglePanel* MakeToggle(const char* name, const QString& caption, const QString& hint, bool on);
  void ConnectView();
  void FormCreate();
  void ApplySettings(const WaveformEditorSettings& settings);
  void ApplyToggles();
  void ShowScaleCaptions();
  void SetWriteButtonLit(bool lit);

  // --- Editing (waveform_editor_window.cpp) ---------------------------------------------------
  void ShowValueAt(int pos);
  void MoveLocator(int pos);
  void TransformKnobChanged(WaveTransform transform, const ValueKnob* knob);
  void ViewLocatorChanged();
  void ViewSelectionChanged();
  ConstWaveSpan StoredWaveform() const;

  // --- Menus and files (waveform_editor_menus.cpp) --------------------------------------------
  void BuildMenus();
  QAction* AddAction(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
  // A command that changes the working copy, followed by WaveformChanged.
  void AddEditCommand(QMenu* menu, const char* name, const QString& caption,
                      const QKeySequence& shortcut, const std::function<void()>& edit);
  void LoadRawFile();
  void SaveRawFile();
  void SaveSysexFile();
  void SaveThroughDialog(const FileDialogRequest& request, const char* extension,
                         const std::function<bool(const QString&)>& write);
  void SelectAll();
  void SelectHalf();
  void CenterLocator();
  void ScaleDetectionToggled(bool on);
  // After a change of the working copy while "Scale Detection" is ticked: the verdict on the
  // message label, the notes found in the scales window.
  void ShowScaleDetection();
  void FftAnalysisToggled(bool on);
  void ShowGridPanel(bool on);
  void ShowControlPanel(bool on);

  AppContext& app_;
  SampleTank* view_ = nullptr;
  ValueKnob* bank_selector_ = nullptr;
  ValueKnob* wave_selector_ = nullptr;
  ValueKnob* locator_knob_ = nullptr;
  ValueKnob* value_knob_ = nullptr;
  ValueKnob* selection_start_knob_ = nullptr;
  ValueKnob* selection_length_knob_ = nullptr;
  ValueKnob* level_knob_ = nullptr;
  ValueKnob* vertical_knob_ = nullptr;
  ValueKnob* bit_average_knob_ = nullptr;
  ValueKnob* offset_knob_ = nullptr;
  ValueKnob* mask_knob_ = nullptr;
  TogglePanel* markers_toggle_ = nullptr;
  TogglePanel* full_scale_toggle_ = nullptr;
  TogglePanel* line_toggle_ = nullptr;
  TogglePanel* center_toggle_ = nullptr;
  TogglePanel* peak_toggle_ = nullptr;
  TogglePanel* rotate_toggle_ = nullptr;
  TogglePanel* record_toggle_ = nullptr;
  QPushButton* write_button_ = nullptr;
  ScaleDetectionLabel* scale_message_ = nullptr;
  QTimer* write_timer_ = nullptr;
  std::array<QLabel*, 5> scale_labels_{};  // bottom line first
  QLabel* unit_label_ = nullptr;
  QWidget* grid_panel_ = nullptr;
  WaveformValueGrid* value_grid_ = nullptr;
  GraphicSwitch* edit_lock_switch_ = nullptr;
  QWidget* control_panel_ = nullptr;

  EditMenuToggles edit_toggles_;
  int locator_before_drag_ = 0;  // where the locator was when the view was last pressed
  int semitone_step_;
  int midi_channel_ = 1;
  std::uint32_t text_color_ = 0;
  std::uint32_t back_color_ = 0;
  std::uint32_t grid_text_color_ = 0;
};

}  // namespace morvane
