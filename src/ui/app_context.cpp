#include "ui/app_context.h"

#include <QAction>

#include "ui/about_box.h"
#include "ui/choice_box.h"
#include "ui/main_window.h"
#include "ui/waveform_editor_window.h"

namespace morvane {

AppContext::AppContext(std::unique_ptr<WavetableStore> wavetable,
                       std::unique_ptr<SettingsStore> settings, MessageReporter& messages,
                       FileDialogs& file_dialogs)
    : wavetable_(std::move(wavetable)),
      settings_(std::move(settings)),
      messages_(messages),
      file_dialogs_(file_dialogs) {
  slot_paths_.fill("New");
}

AppContext::~AppContext() {
  // Windows go first, in reverse order of creation, while the stores they use still exist.
  waveform_editor_.reset();
  choice_box_.reset();
  about_box_.reset();
  main_window_.reset();
}

void AppContext::CreateWindows() {
  main_window_ = std::make_unique<MainWindow>(*this);
  about_box_ = std::make_unique<AboutBox>();
  choice_box_ = std::make_unique<ChoiceBox>();
  waveform_editor_ = std::make_unique<WaveformEditorWindow>(*this);
  // The editor may have come back visible from the last run.
  main_window_->MenuAction("mnuWaveformEditor")->setChecked(waveform_editor_->isVisible());
  // WRITE redraws the written cell in its selected state.
  QObject::connect(waveform_editor_.get(), &WaveformEditorWindow::WaveformWritten,
                   main_window_.get(),
                   [this](int bank, int wave) { main_window_->DrawWaveCell(wave, bank, true); });
  QObject::connect(waveform_editor_.get(), &WaveformEditorWindow::Closed, main_window_.get(),
                   [this] { main_window_->MenuAction("mnuWaveformEditor")->setChecked(false); });
}

}  // namespace morvane
