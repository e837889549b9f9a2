#include <QAction>
#include <QDir>
#include <QToolButton>
#include <exception>

#include "core/sample/sample_editor_rules.h"
#include "core/sample/wave_header.h"
#include "core/util/whole_file_io.h"
#include "platform/audio/audio_device_list.h"
#include "platform/wavefile/wave_conversion.h"
#include "ui/controls/sample_edit.h"
#include "ui/controls/value_knob.h"
#include "ui/sample/playback_link.h"
#include "ui/sample/sample_editor_window.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/shell/message_reporter.h"

namespace morvane {

namespace {

constexpr std::size_t kHeaderReadBytes = 65536;

// The box's headline already says the output is missing; the player's own words follow only
// when they tell something more, so the output that lists no device is not reported twice.
QString NoAudioDeviceText(const char* reason) {
  const QString headline = "No Audio device found ";
  const QString detail = QString::fromUtf8(reason).trimmed();
  if (detail.isEmpty() || detail == headline.trimmed()) return headline;
  return headline + '\n' + detail;
}

}  // namespace

QString SampleEditorWindow::TempFile(const char* name) const {
  const OptionsDialog* options = app_.options_dialog();
  QString folder = options ? options->TempFolder() : QDir::tempPath() + '/';
  return folder + name;
}

int SampleEditorWindow::SampleRate() const {
  const OptionsDialog* options = app_.options_dialog();
  return options ? options->SampleRate() : SampleRateAt(kStartSampleRatePosition);
}

// The playback wave is the sample as it is now; "convert.raw" in the temp folder gets a copy.
void SampleEditorWindow::PreparePlayback() {
  const QString raw = TempFile("convert.raw");
  if (!view_->SaveRawFile(raw)) {
    const QString folder = QFileInfo(raw).absolutePath();
    // Told once per folder: playing still works, from memory.
    if (folder != temp_error_folder_) {
      temp_error_folder_ = folder;
      app_.messages().Show("File Error",
                           "Write File Error - the temp folder cannot be written: " + folder,
                           QMessageBox::Ok, QMessageBox::Warning);
    }
  }
  const auto sample = view_->Data().first(static_cast<std::size_t>(view_->GetSampleSize()));
  playback_wave_.assign(sample.begin(), sample.end());
}

void SampleEditorWindow::btnPlayClick() {
  playing_ = !playing_;
  if (!playing_) {
    playback_->Stop();
    playback_wave_.clear();
    return;
  }
  PreparePlayback();
  try {
    const OptionsDialog* options = app_.options_dialog();
    const int device = options ? options->AudioOutput().device : kDefaultOutputDevice;
    playback_->SetLooping(Looping());
    playback_->Start(playback_wave_, SampleRate(), device);
    audio_error_shown_ = false;
  } catch (const std::exception& error) {
    playing_ = false;
    if (!audio_error_shown_) {
      audio_error_shown_ = true;
      app_.messages().Show("Hardware error", NoAudioDeviceText(error.what()), QMessageBox::Ok,
                           QMessageBox::Critical);
    }
  }
}

void SampleEditorWindow::StartPlayback() {
  if (playing_) btnPlayClick();
  btnPlayClick();
}

void SampleEditorWindow::CloseAudio() {
  if (!playback_) return;
  playback_->Stop();
  playing_ = false;
}

void SampleEditorWindow::PlaybackEnded() {
  playback_->Stop();
  playing_ = false;
}

void SampleEditorWindow::PlaybackFailed(const QString& reason) {
  playback_->Stop();
  playing_ = false;
  app_.messages().Show("Hardware error", reason, QMessageBox::Ok, QMessageBox::Critical);
}

void SampleEditorWindow::PlayingPositionChanged(qint64 position) {
  const bool follow = MenuAction("mnuFollowLocator")->isChecked();
  const TrackedPosition tracked =
      TrackPosition(position, origin_knob_->State(), view_->Zoom(), follow);
  if (follow) {
    view_->SetViewOrigin(tracked.origin);
    origin_knob_->SetState(tracked.origin);
  } else {
    view_->SetLocatorPos(tracked.locator_column);
    locator_knob_->SetState(tracked.locator);
  }
  view_->repaint();
}

bool SampleEditorWindow::Looping() const { return loop_button_->isChecked(); }

void SampleEditorWindow::SetLooping(bool on) {
  if (loop_button_->isChecked() == on) {
    LoopButtonToggled(on);
    return;
  }
  loop_button_->setChecked(on);  // LoopButtonToggled follows
}

void SampleEditorWindow::LoopButtonToggled(bool down) {
  playback_->SetLooping(down);
  emit LoopingChanged(down);
}

// The wave file becomes unsigned 8-bit mono at the chosen rate in the temp folder's
// "convert.wav", whose samples are then read from where its header says they start. Nothing of
// the sample changes unless every step worked.
bool SampleEditorWindow::ConvertWaveFile(const QString& name) {
  const QString target = TempFile("convert.wav");
  const WaveReadResult converted = morvane::ConvertWaveFile(
      name.toStdString(), target.toStdString(), SampleRate(), kSampleCapacity);
  const auto abort = [this](const QString& text) {
    app_.messages().Show("Error PCM", text, QMessageBox::Ok, QMessageBox::Critical);
    return false;
  };
  if (converted.error == ConversionError::kUnwritableTarget) {
    return abort("Conversion aborted!\nThe temp folder cannot be written: " +
                 QFileInfo(target).absolutePath());
  }
  if (converted.error != ConversionError::kNone || converted.samples.empty()) {
    return abort("Conversion aborted!");
  }
  std::vector<std::uint8_t> start;
  const std::filesystem::path target_path = target.toStdString();
  std::error_code error;
  const auto size = std::filesystem::file_size(target_path, error);
  std::optional<WaveDataChunk> data;
  if (!error && ReadFileStart(target_path, kHeaderReadBytes, start)) {
    data = FindWaveData(start, static_cast<std::int64_t>(size));
  }
  if (!data) return abort("Conversion aborted!");
  const RawLoadResult loaded = view_->LoadRawFile(target, false, data->offset);
  if (!loaded.loaded) return abort("Conversion aborted!");
  view_->SetSampleSize(
      static_cast<int>(std::min<std::int64_t>(view_->GetSampleSize(), data->length)));
  PreparePlayback();
  SampleLoaded(true);
  if (converted.truncated || loaded.truncated) ShowSizeCaption(SizeCaption::kFirst512Ko);
  return true;
}

// What the editor shows now, edits included.
bool SampleEditorWindow::ExportWave(const QString& name) {
  const auto sample = view_->Data().first(static_cast<std::size_t>(view_->GetSampleSize()));
  return WriteWave8(name.toStdString(), sample, SampleRate());
}

}  // namespace morvane
