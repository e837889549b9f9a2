#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "core/settings/settings_store.h"

namespace morvane {

// What a file dialog is for. Each purpose keeps the folder of the last file loaded or saved
// through its dialogs, stored in the settings under the purpose's name.
inline constexpr char kWavetableFolder[] = "DirWT";   // the main window's Load, Import, Save
inline constexpr char kParameterFolder[] = "DirMRV";  // parameter files
inline constexpr char kParameterSysexFolder[] = "DirSyxMRV";  // parameters as system exclusive
inline constexpr char kWaveformFolder[] = "DirWave";          // the waveform editor's Load, Save
inline constexpr char kWaveformSysexFolder[] = "DirSyxWave";  // a waveform as system exclusive
inline constexpr char kSpectrumFolder[] = "DirMSP";           // spectrum files
inline constexpr char kScalaFolder[] = "DirScala";            // Scala import and export
inline constexpr char kSampleFolder[] = "DirSample";          // the sample editor's Load, Save

inline constexpr std::array<std::string_view, 8> kDialogPurposes = {
    kWavetableFolder,     kParameterFolder, kParameterSysexFolder, kWaveformFolder,
    kWaveformSysexFolder, kSpectrumFolder,  kScalaFolder,          kSampleFolder};

// The folders the file dialogs start in, one per purpose.
class DialogFolders {
 public:
  // The folder of the last file loaded or saved through the purpose's dialogs; "" when none.
  std::string Folder(std::string_view purpose) const;
  // `file` was loaded or saved through a dialog of `purpose`. A name without a folder changes
  // nothing.
  void Remember(std::string_view purpose, std::string_view file);

  // One string value per purpose. Settings written before the folders were kept lack them: a
  // missing value means no folder yet and does not fail the pass.
  void Read(SettingsReader& reader);
  // Every purpose, "" for those without a folder.
  void Write(SettingsWriter& writer) const;

 private:
  std::map<std::string, std::string, std::less<>> folders_;
};

// What decides where one dialog starts.
struct DialogStartQuery {
  std::string_view remembered;  // the folder its purpose remembers, or ""
  // For a Save: the file the window's contents were loaded from or last saved to, or the name
  // the window shows for them (such as "New"); "" when it offers no name of its own.
  std::string_view document;
  std::string_view slot_path;  // of the current slot: a file, "New" or a transfer text
  std::string_view home;
  std::string_view name;  // the name offered when there is no document
};

struct DialogStart {
  std::string folder;
  std::string name;
};

// A document with a folder is offered as it is, in its own folder. Otherwise the dialog starts in
// the remembered folder, else in the folder of the current slot's file, else at home; a folder
// that is no longer there (`is_folder` false) counts as none.
DialogStart ResolveDialogStart(const DialogStartQuery& query,
                               const std::function<bool(const std::string&)>& is_folder);

}  // namespace morvane
