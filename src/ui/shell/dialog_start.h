#pragma once

#include <QString>
#include <string_view>

#include "ui/shell/file_dialogs.h"

namespace morvane {

class AppContext;

// The request with where its dialog starts: the folder, and the name it offers, by the rule of
// ResolveDialogStart. The folder its purpose remembers counts as the one it was last left in,
// unless the request already names one. `document` is, for a Save, the file the window's
// contents were loaded from or last saved to, or the name the window shows for them.
FileDialogRequest StartedRequest(AppContext& app, FileDialogRequest request,
                                 const QString& document = {});

// `file` was loaded or saved through a dialog of `purpose`: the next one starts in its folder.
void RememberDialogFile(AppContext& app, std::string_view purpose, const QString& file);

// The remembered folders in the settings, each in a pass of its own, so that a window's missing
// value never keeps them from being read.
void ReadDialogFolders(AppContext& app);
void WriteDialogFolders(AppContext& app);

}  // namespace morvane
