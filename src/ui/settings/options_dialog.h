#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "core/sample/audio_format.h"
#include "core/sample/audio_output_choice.h"
#include "core/settings/options_dialog_settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace morvane {

class AppContext;
class ColorSwatch;
class ValueKnob;

// "Options": the program-wide choices that belong to no single window, on four pages: "MIDI"
// (ports, delays, the KRN5 controller and MIDI capture), "Audio" (the sample editor's output and
// sample rate), "Colors" (the grid's, the log's and the editors' colours and gradients) and
// "Path" (temp folder, reload at start and the eight slot paths). A fixed dialog with only a
// close box, shown without being modal; it writes its settings each time it closes.
//
// It talks to no MIDI port itself: the MIDI transport fills its port lists, reads their settings
// into it and follows its signals.
class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OptionsDialog(AppContext& app, QWidget* parent = nullptr);
  ~OptionsDialog() override;

  // The dialog's creation once it is registered with the app: reads the settings (reloading the
  // slots from their paths when RELOAD asks for it, which reads the paths back from here), lists
  // the audio outputs, sets the audio format and gives the temp folder its default.
  void FormCreate();
  // Writes the dialog's values; run each time it closes and when the main window closes.
  void SaveSettings();

  // --- Slot paths and temp folder -------------------------------------------------------------
  // The document name of slot 0..7: a file path, "New" or a transfer text.
  QString SlotPath(int slot) const;
  void SetSlotPath(int slot, const QString& path);
  // The folder of temporary files, ending with a separator.
  QString TempFolder() const;
  bool ReloadChecked() const;

  // --- MIDI page ------------------------------------------------------------------------------
  void SetMidiInputNames(const QStringList& names);
  void SetMidiOutputNames(const QStringList& names);
  // Entries of the port lists (MIDIIN, MIDIOUT). While a list is empty it keeps the entry set
  // last, so a start without devices does not lose the user's choice.
  int MidiIn() const;
  void SetMidiIn(int entry);
  int MidiOut() const;
  void SetMidiOut(int entry);
  int TimeOut() const;  // TIMEOUT
  void SetTimeOut(int value);
  int SysexSendDelay() const;
  int Krn5Input() const;
  bool Krn5Merge() const;
  bool Krn5StartupSend() const;
  bool CaptureNoteOn() const;
  bool CaptureController() const;

  // --- Audio page -----------------------------------------------------------------------------
  const AudioOutputChoice& AudioOutput() const { return audio_output_; }
  int SampleRate() const { return audio_format_.samples_per_second; }
  // The record that playback and wave import use, rebuilt whenever the rate changes.
  const PcmFormat& AudioFormat() const { return audio_format_; }

  // --- Colors page ----------------------------------------------------------------------------
  std::uint32_t WavetableColor(WavetableSwatch swatch) const;
  // The grid's ten colours as the swatches show them; the main window writes them.
  CellColors GridColors() const;
  // Shows a grid colour changed elsewhere, without applying it anew.
  void ShowGridColor(int cell_color, std::uint32_t value);
  // A view's colours, gradient layout and band count as the "Editors" group shows them.
  EditorLook Look(EditorView view) const;
  // Gives the waveform editor's view the Wave column's looks; run once that window exists.
  void ApplyWaveLook();

 signals:
  // The user chose another entry in the MIDI input or output list.
  void MidiPortChosen();
  // The user turned the KRN5 "Input" knob.
  void Krn5InputChanged(int input);
  // The user clicked "Merge".
  void Krn5MergeClicked(bool merge);
  // The user clicked the "Send KRN5 setup to MIDI" button.
  void SendKrn5Clicked();

 private:
  // Pages (options_midi_page.cpp, options_audio_page.cpp, options_colors_page.cpp,
  // options_path_page.cpp).
  QWidget* BuildMidiPage();
  QWidget* BuildAudioPage();
  QWidget* BuildColorsPage();
  QWidget* BuildPathPage();
  ValueKnob* MakeKnob(const char* name, int min, int max, int initial, const QString& hint);

  // Audio (options_audio_page.cpp).
  void ListAudioDevices(bool settings_exist);
  void DeviceEntryChosen(int entry);
  void ShowBufferBytes();
  void SetSampleRatePosition(int position);

  // Colours (options_colors_page.cpp).
  void WavetableSwatchClicked(WavetableSwatch swatch);
  void EditorSwatchClicked(EditorView view, EditorColor color);
  bool AskColor(ColorSwatch* swatch);
  void ApplyEditorColor(EditorView view, EditorColor color);
  void ApplyGradient(EditorView view);
  void RepaintViews();

  // Temp folder (options_path_page.cpp).
  void ChooseTempFolder();
  void SetDefaultTempFolder();

  // Settings (options_dialog.cpp).
  void ApplySettings(const OptionsDialogSettings& settings);
  void ApplySlotPaths(const OptionsDialogSettings& settings);
  OptionsDialogSettings CurrentSettings() const;

  AppContext& app_;
  QTabWidget* pages_ = nullptr;

  QComboBox* midi_input_list_ = nullptr;
  QComboBox* midi_output_list_ = nullptr;
  int midi_in_ = 0;   // the entry kept while the input list is empty
  int midi_out_ = 0;  // the same for the output list
  ValueKnob* sysex_send_delay_knob_ = nullptr;
  ValueKnob* time_out_knob_ = nullptr;
  ValueKnob* krn5_input_knob_ = nullptr;
  QCheckBox* krn5_merge_box_ = nullptr;
  QCheckBox* krn5_startup_send_box_ = nullptr;
  QCheckBox* capture_note_on_box_ = nullptr;
  QCheckBox* capture_controller_box_ = nullptr;

  QComboBox* audio_device_list_ = nullptr;
  ValueKnob* buffer_knob_ = nullptr;
  QLabel* buffer_bytes_label_ = nullptr;
  QButtonGroup* playback_group_ = nullptr;
  QButtonGroup* sample_rate_group_ = nullptr;
  AudioOutputChoice audio_output_;
  PcmFormat audio_format_;

  std::array<ColorSwatch*, kWavetableSwatchCount> wavetable_swatches_{};
  // nullptr where the group has no swatch.
  std::array<std::array<ColorSwatch*, kEditorColorCount>, kEditorViewCount> editor_swatches_{};
  std::array<QComboBox*, kEditorViewCount> gradient_lists_{};
  std::array<ValueKnob*, kEditorViewCount> steps_knobs_{};

  QLabel* temp_folder_label_ = nullptr;
  QCheckBox* reload_box_ = nullptr;
  std::array<QLabel*, kSlotCount> slot_path_labels_{};
};

}  // namespace morvane
