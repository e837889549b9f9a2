#include "core/scales/scale_table.h"

#include <algorithm>
#include <vector>

namespace morvane {

ScaleTable CalcScalesAuto(int mask, int inc, int octaves, int transpose) {
  ScaleTable table;
  std::vector<int> notes;
  for (int k = 0; k < 12; ++k) {
    if ((mask >> k) & 1) notes.push_back(k * inc);
  }
  const int n = static_cast<int>(notes.size());
  table.selected_notes = n;
  if (n == 0 || octaves <= 0) return table;
  const int per_note = 256 / (n * octaves);
  const int rest = 256 % (n * octaves);
  table.samples_per_note = per_note;
  if (per_note == 0) return table;  // more notes than samples: nothing fits
  const int shift = transpose * inc;
  int pos = 0;
  const auto put = [&table, &pos, per_note](int value) {
    for (int s = 0; s < per_note && pos < 256; ++s) table.samples[pos++] = value;
  };
  for (int o = 0; o < octaves; ++o) {
    for (int q : notes) put(std::min(255, 12 * o * inc + q + shift));
  }
  if (rest > 0) {
    // The tail climbs into the octave above the body; once it nears the top it holds at 254.
    bool held = false;
    for (int g = 0; g <= rest / per_note; ++g) {
      int value = 12 * octaves * inc + notes[g % n] + shift;
      if (value >= 256 - inc) {
        held = true;
        value = 254;
      }
      if (mask == 127 && inc == 2 && value >= 252) held = true;
      put(held ? 254 : value);
    }
  }
  return table;
}

}  // namespace morvane
