#include "core/settings/dialog_folders.h"

#include "core/wavetable/file_names.h"

namespace morvane {

std::string DialogFolders::Folder(std::string_view purpose) const {
  const auto found = folders_.find(purpose);
  return found == folders_.end() ? std::string() : found->second;
}

void DialogFolders::Remember(std::string_view purpose, std::string_view file) {
  if (!HasDirectoryPart(file)) return;
  folders_.insert_or_assign(std::string(purpose), DirectoryPart(file));
}

void DialogFolders::Read(SettingsReader& reader) {
  for (std::string_view purpose : kDialogPurposes) {
    std::string folder;
    if (reader.ReadStringIfPresent(purpose, folder)) {
      folders_.insert_or_assign(std::string(purpose), folder);
    }
  }
}

void DialogFolders::Write(SettingsWriter& writer) const {
  for (std::string_view purpose : kDialogPurposes) writer.WriteString(purpose, Folder(purpose));
}

DialogStart ResolveDialogStart(const DialogStartQuery& query,
                               const std::function<bool(const std::string&)>& is_folder) {
  DialogStart start;
  start.name = query.document.empty() ? query.name : query.document;
  if (HasDirectoryPart(query.document)) {
    start.folder = DirectoryPart(query.document);
    if (is_folder(start.folder)) return start;
    // Its folder is gone: the name alone, wherever the dialog would start otherwise.
    start.name = FileNameWithoutDirectory(query.document);
  }
  const std::string candidates[] = {
      std::string(query.remembered),
      DirectoryPart(query.slot_path),  // "" for "New" and the transfer texts
  };
  for (const std::string& folder : candidates) {
    if (!folder.empty() && is_folder(folder)) {
      start.folder = folder;
      return start;
    }
  }
  start.folder = query.home;
  return start;
}

}  // namespace morvane
