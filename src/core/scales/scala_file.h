#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane {

// Scala scale files (".scl"), text: "!" comment lines, a description, the note count, then one
// pitch per line in cents ("200.0") or as a ratio ("3/2", "2"); the 1/1 is implied.
inline constexpr std::size_t kScalaFileLimit = 64 * 1024;

// The scale as text: its description, "! base <note>" naming the lowest selected note (the 1/1),
// the count, the other notes in cents above it and the octave "1200.0". Mask 0 has base none.
std::string ExportScala(int mask, std::string_view description);

struct ScalaImport {
  bool ok = false;
  int mask = 0;
  std::string error;  // "line N: ..." when refused
};

// Accepts scales whose pitches all lie within a cent of a semitone 1..12 above the base (C
// unless a "! base <note>" comment names another).
ScalaImport ImportScala(std::string_view bytes);

}  // namespace morvane
