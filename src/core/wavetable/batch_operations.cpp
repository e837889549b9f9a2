#include "core/wavetable/batch_operations.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace morvane {

namespace {

constexpr CellRange kWholeSlot{0, 0, kWavesPerBank - 1, kBankCount - 1};

CellRange LimitedToTable(const CellRange& cells) {
  return {.left = std::clamp(std::min(cells.left, cells.right), 0, kWavesPerBank - 1),
          .top = std::clamp(std::min(cells.top, cells.bottom), 0, kBankCount - 1),
          .right = std::clamp(std::max(cells.left, cells.right), 0, kWavesPerBank - 1),
          .bottom = std::clamp(std::max(cells.top, cells.bottom), 0, kBankCount - 1)};
}

// The smallest sample plus half the span, rounded up: the value that centring moves to 127.
int CentreOf(ConstWaveSpan wave) {
  const auto [mn, mx] = std::minmax_element(wave.begin(), wave.end());
  return *mn + (*mx - *mn + 1) / 2;
}

// Interpolates over `n` cells from the first to the last; `cell(i)` is the index of the i-th.
template <typename CellIndex>
void Interpolate(WavetableStore& store, int n, CellIndex cell) {
  if (n <= 2) return;
  const ConstWaveSpan a = store.Wave(cell(0));
  const ConstWaveSpan b = store.Wave(cell(n - 1));
  for (int p = 0; p < kWaveLength; ++p) {
    const int ap = a[p] - 128;
    const int bp = b[p] - 128;
    // n counts the cells, not the steps between them, so the last step is larger.
    const double slope = static_cast<double>(bp - ap) / n;
    const int base = std::min(ap, bp);
    for (int k = 1; k <= n - 2; ++k) {
      const double v = slope >= 0 ? k * slope : (n - k) * (-slope);
      store.SetSample(cell(k), p, static_cast<std::uint8_t>(static_cast<int>(v) + base + 128));
    }
  }
}

}  // namespace

bool SingleCellMeansWholeSlot(WaveCommand command) { return command != WaveCommand::kDelete; }

bool IsSingleCell(const CellRange& selection) {
  return selection.left == selection.right && selection.top == selection.bottom;
}

CellRange CommandCells(WaveCommand command, const CellRange& selection) {
  if (IsSingleCell(selection) && SingleCellMeansWholeSlot(command)) return kWholeSlot;
  return LimitedToTable(selection);
}

std::uint8_t Fold(std::uint8_t sample) {
  return sample < 128 ? static_cast<std::uint8_t>(128 - sample) : sample;
}

void ReverseWave(WaveSpan wave) { std::reverse(wave.begin(), wave.end()); }

void FoldWave(WaveSpan wave) {
  for (std::uint8_t& s : wave) s = Fold(s);
}

void CenterWave(WaveSpan wave) {
  const int m = CentreOf(wave);
  if (m == 127) return;
  for (std::uint8_t& s : wave) s = static_cast<std::uint8_t>((s + 128 - m) & 0xFF);
}

void NormaliseWave(WaveSpan wave) {
  std::array<std::uint8_t, kWaveLength> q{};
  std::copy(wave.begin(), wave.end(), q.begin());
  CenterWave(q);
  const auto [qmn, qmx] = std::minmax_element(q.begin(), q.end());
  const int r = *qmx - *qmn + 1;
  if (r >= 255) return;  // left exactly as it was, not even centred
  const double x = 256.0 / r;
  for (int i = 0; i < kWaveLength; ++i) {
    const double v = std::trunc(128 - 128 * x + x * q[i]);
    wave[i] = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
  }
}

void MuLawToLinWave(WaveSpan wave, const MuLawTables& tables) {
  for (std::uint8_t& s : wave) s = Fold(tables.decode[s]);
}

void LinToMuLawWave(WaveSpan wave, const MuLawTables& tables) {
  for (std::uint8_t& s : wave) s = tables.encode[Fold(s)];
}

void ApplyWaveCommand(WavetableStore& store, WaveCommand command, const CellRange& cells,
                      const MuLawTables& tables) {
  const CellRange range = LimitedToTable(cells);
  for (int row = range.top; row <= range.bottom; ++row) {
    for (int column = range.left; column <= range.right; ++column) {
      if (command == WaveCommand::kDelete) {
        store.ClearWave(row, column);
        continue;
      }
      const WaveSpan wave = store.Wave(WaveIndex(row, column));
      switch (command) {
        case WaveCommand::kReverse:
          ReverseWave(wave);
          break;
        case WaveCommand::kUnsigned:
          FoldWave(wave);
          break;
        case WaveCommand::kCenter:
          CenterWave(wave);
          break;
        case WaveCommand::kNormalise:
          NormaliseWave(wave);
          break;
        case WaveCommand::kMuLawToLin:
          MuLawToLinWave(wave, tables);
          break;
        case WaveCommand::kLinToMuLaw:
          LinToMuLawWave(wave, tables);
          break;
        case WaveCommand::kDelete:
          break;
      }
    }
  }
}

void MorphHorizontal(WavetableStore& store, int row, int c0, int c1) {
  if (!InTable(row, c0) || !InTable(row, c1)) return;
  Interpolate(store, c1 - c0 + 1, [row, c0](int i) { return WaveIndex(row, c0 + i); });
}

void MorphVertical(WavetableStore& store, int r0, int r1, int column) {
  if (!InTable(r0, column) || !InTable(r1, column)) return;
  Interpolate(store, r1 - r0 + 1, [r0, column](int i) { return WaveIndex(r0 + i, column); });
}

void LinearMorphing(WavetableStore& store, const CellRange& selection) {
  const CellRange s = IsSingleCell(selection) ? kWholeSlot : LimitedToTable(selection);
  if (!IsSingleCell(selection) && s.top == s.bottom) {
    MorphHorizontal(store, s.top, s.left, s.right);
    return;
  }
  if (!IsSingleCell(selection) && s.left == s.right) {
    MorphVertical(store, s.top, s.bottom, s.left);
    return;
  }
  // The top and bottom rows first, then every column between them.
  MorphHorizontal(store, s.top, s.left, s.right);
  MorphHorizontal(store, s.bottom, s.left, s.right);
  for (int column = s.left; column <= s.right; ++column) {
    MorphVertical(store, s.top, s.bottom, column);
  }
}

void TonalMorphing(WavetableStore& store, const CellRange& selection, int which) {
  const CellRange s = IsSingleCell(selection) ? kWholeSlot : LimitedToTable(selection);
  store.SortBySpectrum(s.top, s.left, s.right - s.left + 1, s.bottom - s.top + 1, which);
}

}  // namespace morvane
