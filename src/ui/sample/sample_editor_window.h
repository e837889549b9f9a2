#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/sample/sample_edit_model.h"

class QAction;
class QLabel;
class QMenu;
class QSlider;
class QToolButton;

namespace morvane {

class AppContext;
class PlaybackLink;
class SampleEdit;
class ValueKnob;

// "8 Bits Sample Editor": edits one 8-bit sample of up to 524 288 bytes in the view
// "kvSampleEdit1", with the knob row above it (size, zoom, origin, locator, value, selection,
// offset, largest and smallest byte), the tool buttons, and the File, Edit, Process, Audio and
// View menus. It loads and saves raw and wave files, copies the sample into the wavetable, and
// plays it through the sound card, once or looped, the locator following the play.
class SampleEditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit SampleEditorWindow(AppContext& app, QWidget* parent = nullptr);
  ~SampleEditorWindow() override;

  // --- Operations of the main window -----------------------------------------------------------
  std::span<std::uint8_t> Data();
  void SetSampleSize(int n);
  void Paint();
  // The refresh after new sample data: views reset, the knobs' limits follow the size; with
  // `fit` the whole sample is shown.
  void SampleLoaded(bool fit);
  // Play/stop: the second press stops.
  void btnPlayClick();
  // Plays from the start whatever was playing (the main window's AutoPlay).
  void StartPlayback();
  // Looping as the loop buttons set it; the main window's button and this window's go together.
  void SetLooping(bool on);
  bool Looping() const;
  bool Playing() const { return playing_; }
  void CloseAudio();
  // The "Size" knob in KiB (the main window repeats a single waveform 4 x this many times).
  int SizeKnob() const;
  void SaveSettings();

  SampleEdit* View() const { return view_; }
  QAction* MenuAction(const QString& object_name) const;

 signals:
  // The loop button went down or up (the main window's follows).
  void LoopingChanged(bool on);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // What the caption over the "Size" knob says: its name, or what became of the sample.
  enum class SizeCaption { kSize, kFirst512Ko, kNewSample };

  // --- Building and knobs (sample_editor_window.cpp) ------------------------------------------
  QWidget* BuildKnobRow();
  void BuildToolBar();
  void ConnectKnobs();
  void FormCreate();
  void FitView();
  void SyncView();
  void ShowMinMax();
  void SetUpperLimits(int n);
  void ShowSizeCaption(SizeCaption caption);
  void ZoomKnobChanged();
  void OriginKnobChanged();
  void ScrollBarMoved(int percent);
  void LocatorKnobChanged();
  void ValueKnobChanged();
  void OffsetKnobChanged();
  void SizeKnobChanged();
  void ViewLocatorChanged();
  void ViewSelectionChanged();
  void ShowValueAtLocator();
  void KeepLocatorInSample();

  // --- Menus and commands (sample_editor_commands.cpp) ----------------------------------------
  void BuildMenus();
  QAction* AddAction(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut, const std::function<void()>& command);
  void NewSample();
  void LoadCommand();
  void SaveCommand();
  // The sample is now the file `name`, loaded or saved: the label shows it, a Save offers it.
  void TakeSampleFile(const QString& name);
  void SelectAll();
  void CropCommand();
  void ZoomToSelection();
  void SwapZoom();
  void SetZoomKnob(int zoom);
  void FullSize();
  void CopyToWavetable();
  void MoveLocatorBy(int delta);
  void GoToStart();
  void GoToEnd();

  // --- Audio and wave files (sample_editor_audio.cpp) -----------------------------------------
  void PreparePlayback();
  bool ConvertWaveFile(const QString& name);
  bool ExportWave(const QString& name);
  void PlayingPositionChanged(qint64 position);
  void PlaybackEnded();
  void PlaybackFailed(const QString& reason);
  void LoopButtonToggled(bool down);
  QString TempFile(const char* name) const;
  int SampleRate() const;

  AppContext& app_;
  SampleEdit* view_ = nullptr;
  PlaybackLink* playback_ = nullptr;
  ValueKnob* size_knob_ = nullptr;
  ValueKnob* zoom_knob_ = nullptr;
  ValueKnob* origin_knob_ = nullptr;
  ValueKnob* locator_knob_ = nullptr;
  ValueKnob* value_knob_ = nullptr;
  ValueKnob* pos_knob_ = nullptr;
  ValueKnob* len_knob_ = nullptr;
  ValueKnob* offset_knob_ = nullptr;
  ValueKnob* max_knob_ = nullptr;
  ValueKnob* min_knob_ = nullptr;
  ValueKnob* level_knob_ = nullptr;
  QLabel* size_label_ = nullptr;
  QLabel* name_label_ = nullptr;
  QString sample_file_;  // the file of the label, with its folder; empty when none
  QSlider* scroll_bar_ = nullptr;
  QToolButton* play_button_ = nullptr;
  QToolButton* loop_button_ = nullptr;

  int previous_offset_ = 0;
  int open_filter_ = 1;
  int save_filter_ = 1;
  bool playing_ = false;
  // A failing output is told once, until a play succeeds again.
  bool audio_error_shown_ = false;
  QString temp_error_folder_;  // the temp folder last found unwritable, told once
  std::vector<std::uint8_t> playback_wave_;
};

}  // namespace morvane
