#pragma once

#include <memory>

#include "core/generators/fractal_engine.h"
#include "core/midi/midi_driver.h"
#include "core/module/parameter_store.h"
#include "core/settings/dialog_folders.h"
#include "core/settings/settings_store.h"
#include "core/spectral/fft_engine.h"
#include "core/util/waiter.h"
#include "core/wavetable/wavetable_store.h"
#include "ui/shell/file_dialogs.h"
#include "ui/shell/message_reporter.h"

namespace morvane {

class AudioDeviceList;
class CombinedMidiDriver;
class RtMidiDriver;
class VirtualMidiLine;
class MainWindow;
class SampleEditorWindow;
class WavePlayer;
class OptionsDialog;
class MidiTransportWindow;
class AboutBox;
class ChoiceBox;
class CompareDialog;
class ChannelDialog;
class ModuleControlWindow;
class MidiLogPane;
class WaveformEditorWindow;
class SpectralMapWindow;
class SpectrumEditorWindow;
class GeneratorsWindow;
class FractalTab;
class FractalViewWindow;
class PresetNameDialog;
class ScalesWindow;

// System dialogs and device lists the windows use; tests put their own in place. nullptr means
// the real one.
struct AppServices {
  ColorDialogs* color_dialogs = nullptr;
  AudioDeviceList* audio_devices = nullptr;
  // The MIDI devices; the real ones are the built-in virtual module followed by the system's ports.
  MidiDriver* midi_driver = nullptr;
  // The clock of the blocking MIDI waits.
  Waiter* waiter = nullptr;
  // The sample editor's audio output.
  WavePlayer* wave_player = nullptr;
};

// The registry created by main: the shared stores and the windows, each reached through one
// accessor. It owns them; the windows are destroyed before the stores, and the stores in reverse
// order of creation.
class AppContext {
 public:
  // Without a parameter store, an FFT engine or a fractal engine of its own the context makes one.
  AppContext(std::unique_ptr<WavetableStore> wavetable, std::unique_ptr<SettingsStore> settings,
             MessageReporter& messages, FileDialogs& file_dialogs, AppServices services = {},
             std::unique_ptr<ParameterStore> parameters = nullptr,
             std::unique_ptr<FftEngine> fft_engine = nullptr,
             std::unique_ptr<FractalEngine> fractal_engine = nullptr);
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // Creates every window once, in the program's fixed order.
  void CreateWindows();

  WavetableStore& wavetable() { return *wavetable_; }
  ParameterStore& parameters() { return *parameters_; }
  SettingsStore& settings() { return *settings_; }
  FftEngine& fft_engine() { return *fft_engine_; }
  FractalEngine& fractal_engine() { return *fractal_engine_; }
  MessageReporter& messages() { return messages_; }
  FileDialogs& file_dialogs() { return file_dialogs_; }
  // Where each kind of file dialog was last left; read with the windows' settings.
  DialogFolders& dialog_folders() { return dialog_folders_; }
  ColorDialogs& color_dialogs() { return *color_dialogs_; }
  AudioDeviceList& audio_devices() { return *audio_devices_; }
  MidiDriver& midi_driver() { return *midi_driver_; }
  // The MIDI log: the module control window's log pane.
  MidiLogPane& midi_log();
  // The audio output given by a test, or nullptr for the sound system's.
  WavePlayer* wave_player() { return wave_player_; }

  MainWindow* main_window() { return main_window_.get(); }
  SampleEditorWindow* sample_editor() { return sample_editor_.get(); }
  OptionsDialog* options_dialog() { return options_dialog_.get(); }
  const OptionsDialog* options_dialog() const { return options_dialog_.get(); }
  MidiTransportWindow* midi_transport_window() { return midi_transport_window_.get(); }
  AboutBox* about_box() { return about_box_.get(); }
  ChoiceBox* choice_box() { return choice_box_.get(); }
  CompareDialog* compare_dialog() { return compare_dialog_.get(); }
  ModuleControlWindow* module_control() { return module_control_.get(); }
  ChannelDialog* channel_dialog() { return channel_dialog_.get(); }
  WaveformEditorWindow* waveform_editor() { return waveform_editor_.get(); }
  SpectralMapWindow* spectral_map() { return spectral_map_.get(); }
  SpectrumEditorWindow* spectrum_editor() { return spectrum_editor_.get(); }
  GeneratorsWindow* generators() { return generators_.get(); }
  FractalViewWindow* fractal_view() { return fractal_view_.get(); }
  // The generators window's "Fractal" tab.
  FractalTab* fractal_tab() { return fractal_tab_; }
  PresetNameDialog* preset_name_dialog() { return preset_name_dialog_.get(); }
  ScalesWindow* scales_window() { return scales_window_.get(); }

 private:
  std::unique_ptr<WavetableStore> wavetable_;
  std::unique_ptr<ParameterStore> parameters_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<FftEngine> fft_engine_;
  std::unique_ptr<FractalEngine> fractal_engine_;
  MessageReporter& messages_;
  FileDialogs& file_dialogs_;
  DialogFolders dialog_folders_;
  NativeColorDialogs native_color_dialogs_;
  std::unique_ptr<AudioDeviceList> system_audio_devices_;
  ColorDialogs* color_dialogs_;
  AudioDeviceList* audio_devices_;
  // The built-in devices exist only when no driver was given; they outlive every window.
  std::unique_ptr<VirtualMidiLine> virtual_line_;
  std::unique_ptr<RtMidiDriver> system_midi_;
  std::unique_ptr<CombinedMidiDriver> all_midi_devices_;
  MidiDriver* midi_driver_;
  std::unique_ptr<Waiter> steady_waiter_;
  Waiter* waiter_;
  WavePlayer* wave_player_;

  std::unique_ptr<MainWindow> main_window_;
  std::unique_ptr<SampleEditorWindow> sample_editor_;
  std::unique_ptr<OptionsDialog> options_dialog_;
  std::unique_ptr<MidiTransportWindow> midi_transport_window_;
  std::unique_ptr<AboutBox> about_box_;
  std::unique_ptr<ChoiceBox> choice_box_;
  std::unique_ptr<CompareDialog> compare_dialog_;
  std::unique_ptr<ModuleControlWindow> module_control_;
  std::unique_ptr<ChannelDialog> channel_dialog_;
  std::unique_ptr<PresetNameDialog> preset_name_dialog_;
  std::unique_ptr<SpectralMapWindow> spectral_map_;
  std::unique_ptr<WaveformEditorWindow> waveform_editor_;
  std::unique_ptr<SpectrumEditorWindow> spectrum_editor_;
  std::unique_ptr<GeneratorsWindow> generators_;
  std::unique_ptr<FractalViewWindow> fractal_view_;
  FractalTab* fractal_tab_ = nullptr;  // owned by the generators window
  std::unique_ptr<ScalesWindow> scales_window_;
};

}  // namespace morvane
