#include "ui/shell/app_context.h"

#include <QAction>

#include "core/midi/combined_midi_driver.h"
#include "core/spectral/fft_engine.h"
#include "platform/audio/audio_device_list.h"
#include "platform/midi/rtmidi_driver.h"
#include "platform/time/steady_waiter.h"
#include "sim/virtual_midi_line.h"
#include "ui/generators/fractal_tab.h"
#include "ui/generators/fractal_view_window.h"
#include "ui/generators/generators_window.h"
#include "ui/midi/midi_transport_window.h"
#include "ui/module/channel_dialog.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_window.h"
#include "ui/sample/sample_editor_window.h"
#include "ui/scales/preset_name_dialog.h"
#include "ui/scales/scales_window.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/about_box.h"
#include "ui/shell/dialog_start.h"
#include "ui/shell/time_seeded_random.h"
#include "ui/spectral/spectral_map_window.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/choice_box.h"
#include "ui/wavetable/compare_dialog.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

AppContext::AppContext(std::unique_ptr<WavetableStore> wavetable,
                       std::unique_ptr<SettingsStore> settings, MessageReporter& messages,
                       FileDialogs& file_dialogs, AppServices services,
                       std::unique_ptr<ParameterStore> parameters,
                       std::unique_ptr<FftEngine> fft_engine,
                       std::unique_ptr<FractalEngine> fractal_engine)
    : wavetable_(std::move(wavetable)),
      parameters_(parameters ? std::move(parameters) : std::make_unique<ParameterStore>()),
      settings_(std::move(settings)),
      fft_engine_(fft_engine ? std::move(fft_engine) : std::make_unique<FftEngine>()),
      fractal_engine_(fractal_engine ? std::move(fractal_engine)
                                     : std::make_unique<FractalEngine>(TimeSeededRandom())),
      messages_(messages),
      file_dialogs_(file_dialogs),
      system_audio_devices_(services.audio_devices ? nullptr : MakeRtAudioDeviceList()),
      color_dialogs_(services.color_dialogs ? services.color_dialogs : &native_color_dialogs_),
      audio_devices_(services.audio_devices ? services.audio_devices : system_audio_devices_.get()),
      midi_driver_(services.midi_driver),
      waiter_(services.waiter),
      wave_player_(services.wave_player) {
  if (!midi_driver_) {
    // A module is always at hand: the virtual one comes first, so a first start selects it on a
    // machine with no MIDI hardware.
    virtual_line_ = std::make_unique<VirtualMidiLine>();
    virtual_line_->AddModule();
    system_midi_ = std::make_unique<RtMidiDriver>();
    all_midi_devices_ = std::make_unique<CombinedMidiDriver>(
        std::vector<MidiDriver*>{virtual_line_.get(), system_midi_.get()});
    midi_driver_ = all_midi_devices_.get();
  }
  if (!waiter_) {
    steady_waiter_ = std::make_unique<SteadyWaiter>();
    waiter_ = steady_waiter_.get();
  }
}

AppContext::~AppContext() {
  // Windows go first, in reverse order of creation, while the stores they use still exist.
  compare_dialog_.reset();
  scales_window_.reset();
  fractal_view_.reset();
  fractal_tab_ = nullptr;
  generators_.reset();
  spectrum_editor_.reset();
  waveform_editor_.reset();
  spectral_map_.reset();
  preset_name_dialog_.reset();
  channel_dialog_.reset();
  module_control_.reset();
  choice_box_.reset();
  about_box_.reset();
  midi_transport_window_.reset();
  options_dialog_.reset();
  sample_editor_.reset();
  main_window_.reset();
}

void AppContext::CreateWindows() {
  ReadDialogFolders(*this);
  main_window_ = std::make_unique<MainWindow>(*this);
  sample_editor_ = std::make_unique<SampleEditorWindow>(*this);
  // Registered before its creation runs: the reload of the slots reads their paths from it.
  options_dialog_ = std::make_unique<OptionsDialog>(*this);
  options_dialog_->FormCreate();
  midi_transport_window_ = std::make_unique<MidiTransportWindow>(*this, *waiter_);
  midi_transport_window_->FormCreate();
  about_box_ = std::make_unique<AboutBox>();
  choice_box_ = std::make_unique<ChoiceBox>();
  module_control_ = std::make_unique<ModuleControlWindow>(*this);
  module_control_->FormCreate();
  channel_dialog_ = std::make_unique<ChannelDialog>();
  preset_name_dialog_ = std::make_unique<PresetNameDialog>();
  spectral_map_ = std::make_unique<SpectralMapWindow>(*this);
  waveform_editor_ = std::make_unique<WaveformEditorWindow>(*this);
  spectrum_editor_ = std::make_unique<SpectrumEditorWindow>(*this);
  generators_ = std::make_unique<GeneratorsWindow>(*this);
  fractal_view_ = std::make_unique<FractalViewWindow>(*this);
  fractal_tab_ = new FractalTab(*this, generators_->FractalPage());
  // The viewer's creation fills the complex image and the map's corner from the first knobs; its
  // picture shows that image, so a first "Show fractal window" does not open on black.
  fractal_tab_->RecomputeComplex();
  fractal_view_->PaintFromComplex(*fractal_engine_);
  scales_window_ = std::make_unique<ScalesWindow>(*this);
  // The editor's view also takes the gradient band count chosen in the options.
  options_dialog_->ApplyWaveLook();
  // The editor may have come back visible from the last run.
  main_window_->MenuAction("mnuWaveformEditor")->setChecked(waveform_editor_->isVisible());
  // WRITE redraws the written cell in its selected state.
  QObject::connect(waveform_editor_.get(), &WaveformEditorWindow::WaveformWritten,
                   main_window_.get(),
                   [this](int bank, int wave) { main_window_->DrawWaveCell(wave, bank, true); });
  main_window_->ConnectSampleEditor(*sample_editor_);
  QObject::connect(waveform_editor_.get(), &WaveformEditorWindow::RecordingSwitched,
                   midi_transport_window_.get(), [this](bool on) {
                     if (on) midi_transport_window_->CaptureSwitchedOn();
                   });
  QObject::connect(waveform_editor_.get(), &WaveformEditorWindow::Closed, main_window_.get(),
                   [this] { main_window_->MenuAction("mnuWaveformEditor")->setChecked(false); });
  // The module control window may have come back visible; the editor writes its channel.
  main_window_->MenuAction("mnuModuleControl")->setChecked(module_control_->isVisible());
  waveform_editor_->SetMidiChannel(module_control_->Channel());
  QObject::connect(module_control_.get(), &ModuleControlWindow::Closed, main_window_.get(),
                   [this] { main_window_->MenuAction("mnuModuleControl")->setChecked(false); });
  // WRITE recomputes and redraws the written waveform's column of the spectral map.
  QObject::connect(
      waveform_editor_.get(), &WaveformEditorWindow::WaveformWritten, spectral_map_.get(),
      [this](int bank, int wave) { spectral_map_->RefreshWaveform(WaveIndex(bank, wave)); });
  main_window_->MenuAction("mnuFftEditor")->setChecked(spectrum_editor_->isVisible());
  QObject::connect(spectrum_editor_.get(), &SpectrumEditorWindow::Closed, main_window_.get(),
                   [this] { main_window_->MenuAction("mnuFftEditor")->setChecked(false); });
  main_window_->MenuAction("mnuFunctions")->setChecked(generators_->isVisible());
  QObject::connect(generators_.get(), &GeneratorsWindow::Closed, main_window_.get(),
                   [this] { main_window_->MenuAction("mnuFunctions")->setChecked(false); });
  QObject::connect(fractal_view_.get(), &FractalViewWindow::Closed, main_window_.get(),
                   [this] { main_window_->MenuAction("mnuFunctions")->setChecked(false); });
  // Switching the editor's scale detection on marks the scale tables at once; off, the grid
  // shows the markers gone and the scales list rests.
  QObject::connect(waveform_editor_.get(), &WaveformEditorWindow::ScaleDetectionChanged,
                   main_window_.get(), [this](bool on) {
                     if (on) {
                       main_window_->ScalePass(false);
                     } else {
                       main_window_->ScaleDetectionOff();
                     }
                   });
  compare_dialog_ = std::make_unique<CompareDialog>();
  main_window_->MenuAction("mnuScalesWindow")->setChecked(scales_window_->isVisible());
  QObject::connect(scales_window_.get(), &ScalesWindow::Closed, main_window_.get(),
                   [this] { main_window_->MenuAction("mnuScalesWindow")->setChecked(false); });
  // The main window's scale pass works with the scales window's step and presets and shows a
  // chosen table's scale there.
  main_window_->SetScaleSeams([this] { return scales_window_->Inc(); },
                              [this] {
                                std::vector<std::string> lines;
                                for (const QString& entry : scales_window_->PresetEntries()) {
                                  lines.push_back(entry.toStdString());
                                }
                                return lines;
                              },
                              [this](int mask, int first_sample) {
                                if (mask < 0) {
                                  scales_window_->SetScaleNotes(0);
                                  scales_window_->ShowDetectedScale(0, "Unknow");
                                  return;
                                }
                                scales_window_->ShowDetectedTable(mask, first_sample);
                              });
}

MidiLogPane& AppContext::midi_log() { return module_control_->Log(); }

}  // namespace morvane
