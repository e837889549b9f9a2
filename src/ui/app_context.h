#pragma once

#include <QString>
#include <array>
#include <memory>

#include "core/settings/settings_store.h"
#include "core/wavetable/wavetable_store.h"
#include "ui/file_dialogs.h"
#include "ui/message_reporter.h"

namespace morvane {

class MainWindow;
class AboutBox;
class ChoiceBox;
class WaveformEditorWindow;

// The registry created by main: the shared stores and the windows, each reached through one
// accessor. It owns them; the windows are destroyed before the stores, and the stores in reverse
// order of creation.
class AppContext {
 public:
  AppContext(std::unique_ptr<WavetableStore> wavetable, std::unique_ptr<SettingsStore> settings,
             MessageReporter& messages, FileDialogs& file_dialogs);
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // Creates every window once, in the program's fixed order.
  void CreateWindows();

  WavetableStore& wavetable() { return *wavetable_; }
  SettingsStore& settings() { return *settings_; }
  MessageReporter& messages() { return messages_; }
  FileDialogs& file_dialogs() { return file_dialogs_; }

  // The document name of each slot: a file path, "New", or a transfer text.
  const QString& SlotPath(int slot) const { return slot_paths_.at(static_cast<std::size_t>(slot)); }
  void SetSlotPath(int slot, const QString& path) {
    slot_paths_.at(static_cast<std::size_t>(slot)) = path;
  }

  MainWindow* main_window() { return main_window_.get(); }
  AboutBox* about_box() { return about_box_.get(); }
  ChoiceBox* choice_box() { return choice_box_.get(); }
  WaveformEditorWindow* waveform_editor() { return waveform_editor_.get(); }

 private:
  std::unique_ptr<WavetableStore> wavetable_;
  std::unique_ptr<SettingsStore> settings_;
  MessageReporter& messages_;
  FileDialogs& file_dialogs_;
  std::array<QString, kSlotCount> slot_paths_;

  std::unique_ptr<MainWindow> main_window_;
  std::unique_ptr<AboutBox> about_box_;
  std::unique_ptr<ChoiceBox> choice_box_;
  std::unique_ptr<WaveformEditorWindow> waveform_editor_;
};

}  // namespace morvane
