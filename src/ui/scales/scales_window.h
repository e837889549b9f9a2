#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;

namespace morvane {

class AppContext;
class ScaleKeyboard;
class ValueKnob;

// "Scales": builds a quantizer table from a scale into the waveform editor's working copy. The
// user picks the notes of one octave, the table units per semitone, the octaves the table spans
// and a transposition. Named preset scales are kept in sp.kub; Scala ".scl" files bring scales in
// and take them out.
class ScalesWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ScalesWindow(AppContext& app, QWidget* parent = nullptr);
  ~ScalesWindow() override;

  // --- Operations of the other windows --------------------------------------------------------
  // Sets the keys from a scale number (bit 0 = C ... bit 11 = B); runs no change handler.
  void SetScaleNotes(int mask);
  int GetScaleNotes() const;
  // Builds the table from the controls into the working copy, shows its values, analyses it when
  // the spectrum window is shown and sends it when real-time sending is on.
  void CalcScalesAuto();
  // The semitone that table value `value` stands for with the present Inc.
  int NoteOfValue(int value) const;
  // Table units per semitone (the "Inc" knob).
  int Inc() const;
  // A detected scale: Label3 shows `base_text`, the "Scale #" knob shows `number` without taking
  // it as its value, Label4 is emptied.
  void ShowDetectedScale(int number, const QString& base_text);
  // A table recognised as scale `mask`: the keys take the mask, Label3 shows "Base = " and the
  // note of the table's first sample at the present Inc.
  void ShowDetectedTable(int mask, int first_sample);
  void ClearDetectionLabels();

  // The preset list's entries, as shown (" 0005- Minor").
  QStringList PresetEntries() const;

  // Writes place and visibility and, when the list may be written, sp.kub; the main window calls
  // it when it closes.
  void SaveSettings();

 signals:
  // The window was closed, so the main window's "Scales" entry loses its tick.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // --- Building and settings (scales_window.cpp) ----------------------------------------------
  QWidget* BuildKnobRow();
  QWidget* BuildPresetRow();
  QPushButton* MakeButton(const char* name, const QString& caption, const QString& hint);
  void FormCreate();
  void ConnectControls();
  void ScaleNumberChanged();

  // --- Presets and Scala files (scales_presets.cpp) -------------------------------------------
  void LoadPresets();
  void SavePresets();
  void PresetSelected(int index);
  void AddPreset();
  void RemovePreset();
  void ImportScala();
  void ExportScala();
  // The name of the selected preset when it holds the present scale, else "Scale #N".
  QString ScaleDescription() const;

  AppContext& app_;
  ScaleKeyboard* keyboard_ = nullptr;
  ValueKnob* inc_knob_ = nullptr;        // kvpotlab2
  ValueKnob* octaves_knob_ = nullptr;    // kvpotlab3
  ValueKnob* transpose_knob_ = nullptr;  // kvpotlab4
  ValueKnob* number_knob_ = nullptr;     // kvpotlab5
  QLabel* notes_label_ = nullptr;        // Label3
  QLabel* steps_label_ = nullptr;        // Label4
  QComboBox* presets_ = nullptr;         // ComboBox1
  // False while the list read from sp.kub lost lines the user has not yet replaced by an edit of
  // his own: writing it back would drop them from the file.
  bool presets_writable_ = true;
};

}  // namespace morvane
