#pragma once

#include <string>

namespace morvane {

// The name of semitone m = n + offset: a letter of "CCDDEFFGGAAB", then "#" for the black keys or
// a blank, then, when asked, the octave m div 12 - 2. So 61 is "C#3", 24 is "C 0" and 0 is
// "C -2". m is never negative in use.
std::string NoteName(int n, int offset, bool with_octave);

}  // namespace morvane
