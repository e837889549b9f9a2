#pragma once

#include <string>
#include <string_view>

namespace morvane {

// Gives `name` the extension `extension` (with its dot, e.g. ".bin"): appended when the name has
// none, put in place of a different one, and the name returned as it is when its extension is
// the same apart from letter case. Only the last part of the path counts, so dots in folder
// names are left alone; a leading dot (a hidden file's name) does not start an extension.
std::string ForceExtension(std::string_view name, std::string_view extension);

// The name without its extension (by the same rule), or the name as it is when it has none.
std::string WithoutExtension(std::string_view name);

// The last part of a path, without its folders: "/music/pads.bin" gives "pads.bin", and a name
// with no folders ("New", a transfer text) is returned whole.
std::string FileNameWithoutDirectory(std::string_view path);

// True when the path names a folder as well as a file, as a slot loaded from or saved to a file
// does; "New" and the transfer texts have none.
bool HasDirectoryPart(std::string_view path);

// The folder of a path, without the separator that ends it: "/music/pads.bin" gives "/music", a
// file at the root gives "/", and a name with no folders gives "".
std::string DirectoryPart(std::string_view path);

}  // namespace morvane
