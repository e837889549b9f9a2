#include "ui/controls/wave_grid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <deque>
#include <functional>
#include <numbers>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "control_test_support.h"
#include "core/wavetable/cell_trace.h"
#include "core/wavetable/tagged_waves.h"

namespace morvane {
namespace {

using testing::MoveWithButtons;
using testing::TagAt;
using testing::TagEveryWave;
using testing::TagOf;

// Ten distinct colours, none of them the grid's silver, so every pixel tells what it shows.
constexpr CellColors kTestColors = {0x00400000, 0x0000FF00, 0x00000080, 0x00FFFFFF, 0x0000FFFF,
                                    0x00004040, 0x00FF8000, 0x00403000, 0x00FF00FF, 0x00300030};

QRgb Rgb(std::uint32_t value) {
  return qRgb(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
              static_cast<int>((value >> 16) & 0xFF));
}

struct WaveGridTest : ::testing::Test {
  WaveGridTest()
      : grid(store),
        released(&grid, &WaveGrid::CellReleased),
        dropped(&grid, &WaveGrid::CellsDropped) {
    TagEveryWave(store);
    grid.SetColors(kTestColors);
  }

  QPoint Centre(int column, int row) const { return grid.CellRect(column, row).center(); }

  // A right-button drag as the window system delivers it: press, moves with the button held
  // (the first one past the drag distance), release.
  void RightDrag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(&grid, Qt::RightButton, modifiers, from);
    const QPoint away = from + QPoint(QApplication::startDragDistance() + 2, 0);
    MoveWithButtons(&grid, away, Qt::RightButton);
    MoveWithButtons(&grid, to, Qt::RightButton);
    QTest::mouseRelease(&grid, Qt::RightButton, modifiers, to);
  }

  void LeftDrag(QPoint from, QPoint to) {
    QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, from);
    MoveWithButtons(&grid, to, Qt::LeftButton);
    QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, to);
  }

  // What the user sees of the top `rows` rows, grid lines included, in widget coordinates.
  QImage Picture(int rows = kBankCount) {
    const QRect area(0, 0, grid.width(), grid.CellRect(0, rows - 1).bottom() + 2);
    return grid.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
  }

  static QRect Cells(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right, bottom));
  }

  WavetableStore store;
  WaveGrid grid;
  QSignalSpy released;
  QSignalSpy dropped;
};

TEST_F(WaveGridTest, StartsWithTheDefaultLayout) {
  EXPECT_EQ(grid.objectName(), "DrawGrid1");
  EXPECT_EQ(grid.Selection(), Cells(0, 0, 0, 0));
  EXPECT_EQ(grid.CellRect(1, 2), QRect(40, 60, 39, 29));
  EXPECT_EQ(grid.sizeHint(), QSize(64 * 40, 32 * 30));
  EXPECT_EQ(grid.size(), grid.sizeHint());
  grid.SetCellSize(12, 9);
  EXPECT_EQ(grid.size(), QSize(64 * 13, 32 * 10));
}

TEST_F(WaveGridTest, AltDragOfOneCellOntoAnEmptyCellMovesIt) {
  // Alt wins over Ctrl.
  for (const Qt::KeyboardModifiers modifiers :
       {Qt::KeyboardModifiers(Qt::AltModifier), Qt::AltModifier | Qt::ControlModifier}) {
    TagEveryWave(store);
    dropped.clear();
    store.ClearWave(5, 10);
    grid.SetSelection(Cells(3, 2, 3, 2));
    RightDrag(Centre(3, 2), Centre(10, 5), modifiers);
    EXPECT_EQ(TagAt(store, 10, 5), TagOf(3, 2));
    EXPECT_EQ(TagAt(store, 3, 2), -1);
    EXPECT_EQ(dropped.count(), 1);
  }
}

TEST_F(WaveGridTest, AltDragOfOneCellOntoItselfEmptiesIt) {
  grid.SetSelection(Cells(3, 2, 3, 2));
  const QRect cell = grid.CellRect(3, 2);
  // Far enough to start a drag without leaving the cell.
  RightDrag(cell.topLeft() + QPoint(1, 1), cell.bottomRight() - QPoint(1, 1), Qt::AltModifier);
  EXPECT_EQ(TagAt(store, 3, 2), -1);
  EXPECT_EQ(dropped.count(), 1);
}

TEST_F(WaveGridTest, ThreeByThreeDroppedAtColumn62ChangesOnlyColumns62And63) {
  grid.SetSelection(Cells(1, 4, 3, 6));
  RightDrag(Centre(2, 5), Centre(62, 8), Qt::ControlModifier);
  for (int row = 0; row < kBankCount; ++row) {
    for (int column = 0; column < kWavesPerBank; ++column) {
      const bool target = column >= 62 && row >= 8 && row <= 10;
      EXPECT_EQ(TagAt(store, column, row),
                target ? TagOf(column - 61, row - 4) : TagOf(column, row))
          << column << "," << row;
    }
  }
}

TEST_F(WaveGridTest, CtrlCopyOneColumnRightOverItselfRepeatsTheFirstColumn) {
  grid.SetSelection(Cells(2, 1, 5, 3));
  RightDrag(Centre(2, 1), Centre(3, 1), Qt::ControlModifier);
  for (int row = 1; row <= 3; ++row) {
    for (int column = 2; column <= 6; ++column) {
      EXPECT_EQ(TagAt(store, column, row), TagOf(2, row)) << column << "," << row;
    }
  }
  // The selection itself stays where it was.
  EXPECT_EQ(grid.Selection(), Cells(2, 1, 5, 3));
}

TEST_F(WaveGridTest, PlainRightDragSwaps) {
  grid.SetSelection(Cells(0, 0, 1, 0));
  RightDrag(Centre(0, 0), Centre(40, 20), Qt::NoModifier);
  EXPECT_EQ(TagAt(store, 40, 20), TagOf(0, 0));
  EXPECT_EQ(TagAt(store, 41, 20), TagOf(1, 0));
  EXPECT_EQ(TagAt(store, 0, 0), TagOf(40, 20));
  EXPECT_EQ(TagAt(store, 1, 0), TagOf(41, 20));
}

TEST_F(WaveGridTest, NoDropWithoutADragOrOutsideTheGrid) {
  grid.SetSelection(Cells(3, 2, 3, 2));
  struct Case {
    std::string name;
    std::function<void()> act;
  };
  const std::vector<Case> cases = {
      {"right click without moving",
       [&] { QTest::mouseClick(&grid, Qt::RightButton, Qt::AltModifier, Centre(3, 2)); }},
      {"move shorter than the drag distance",
       [&] {
         QTest::mousePress(&grid, Qt::RightButton, Qt::AltModifier, Centre(3, 2));
         MoveWithButtons(&grid, Centre(3, 2) + QPoint(1, 0), Qt::RightButton);
         QTest::mouseRelease(&grid, Qt::RightButton, Qt::AltModifier, Centre(3, 2) + QPoint(1, 0));
       }},
      {"released outside the grid",
       [&] { RightDrag(Centre(3, 2), QPoint(-20, -20), Qt::AltModifier); }},
      {"released beyond the right edge",
       [&] { RightDrag(Centre(3, 2), QPoint(grid.width() + 5, 40), Qt::AltModifier); }},
      {"left button drag", [&] { LeftDrag(Centre(3, 2), Centre(3, 2)); }},
  };
  for (const Case& c : cases) {
    grid.SetSelection(Cells(3, 2, 3, 2));
    c.act();
    EXPECT_EQ(TagAt(store, 3, 2), TagOf(3, 2)) << c.name;
    EXPECT_EQ(dropped.count(), 0) << c.name;
  }
}

TEST_F(WaveGridTest, DragShowsADottedFrameAtTheMouseAndErasesTheLastOne) {
  grid.SetSelection(Cells(0, 0, 1, 1));  // a frame of 2 x 2 cells: 79 x 59 pixels
  const QImage before = Picture(12);
  const QPoint first(200, 100);  // both corners on dots: x + y even
  const QPoint second(600, 300);
  QTest::mousePress(&grid, Qt::RightButton, Qt::NoModifier, Centre(0, 0));
  MoveWithButtons(&grid, first, Qt::RightButton);

  auto inverted = [](const QImage& image, QPoint p) { return image.pixel(p) ^ 0x00FFFFFF; };
  const QImage during_first = Picture(12);
  for (const QPoint corner :
       {first, first + QPoint(78, 0), first + QPoint(0, 58), first + QPoint(78, 58)}) {
    EXPECT_EQ(during_first.pixel(corner), inverted(before, corner))
        << corner.x() << "," << corner.y();
  }
  // Dotted: the pixel beside a dot is left alone, and so is the inside.
  EXPECT_EQ(during_first.pixel(first + QPoint(1, 0)), before.pixel(first + QPoint(1, 0)));
  EXPECT_EQ(during_first.pixel(first + QPoint(2, 2)), before.pixel(first + QPoint(2, 2)));
  // One pixel past the frame is untouched.
  EXPECT_EQ(during_first.pixel(first + QPoint(80, 0)), before.pixel(first + QPoint(80, 0)));

  MoveWithButtons(&grid, second, Qt::RightButton);
  const QImage during_second = Picture(12);
  EXPECT_EQ(during_second.pixel(first), before.pixel(first));
  EXPECT_EQ(during_second.pixel(second), inverted(before, second));

  QTest::mouseRelease(&grid, Qt::RightButton, Qt::NoModifier, QPoint(-5, -5));
  EXPECT_EQ(Picture(12), before);
}

TEST_F(WaveGridTest, LeftDragSelectsARangeAndReportsTheReleaseCell) {
  LeftDrag(Centre(5, 3), Centre(2, 1));
  EXPECT_EQ(grid.Selection(), Cells(2, 1, 5, 3));
  ASSERT_EQ(released.count(), 1);
  EXPECT_EQ(released.at(0), (QList<QVariant>{2, 1}));

  QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, Centre(40, 30));
  EXPECT_EQ(grid.Selection(), Cells(40, 30, 40, 30));
  ASSERT_EQ(released.count(), 2);
  EXPECT_EQ(released.at(1), (QList<QVariant>{40, 30}));

  // Shift extends the range from the cell clicked last.
  QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, Centre(42, 28));
  EXPECT_EQ(grid.Selection(), Cells(40, 28, 42, 30));
  EXPECT_EQ(released.takeLast(), (QList<QVariant>{42, 28}));

  // Dragged past the table the range stops at its edge; released outside, no cell is reported.
  LeftDrag(Centre(60, 29), QPoint(grid.width() + 50, grid.height() + 50));
  EXPECT_EQ(grid.Selection(), Cells(60, 29, 63, 31));
  EXPECT_EQ(released.count(), 2);
}

TEST_F(WaveGridTest, RowModeSelectsWholeBanks) {
  grid.SetSelection(Cells(4, 2, 6, 3));
  grid.SetRowSelect(true);
  EXPECT_EQ(grid.Selection(), Cells(0, 2, 63, 3));

  QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, Centre(7, 4));
  EXPECT_EQ(grid.Selection(), Cells(0, 4, 63, 4));
  EXPECT_EQ(released.takeLast(), (QList<QVariant>{7, 4}));

  LeftDrag(Centre(30, 9), Centre(12, 6));
  EXPECT_EQ(grid.Selection(), Cells(0, 6, 63, 9));
  EXPECT_EQ(released.takeLast(), (QList<QVariant>{12, 6}));

  grid.SetRowSelect(false);
  QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, Centre(7, 4));
  EXPECT_EQ(grid.Selection(), Cells(7, 4, 7, 4));
}

TEST_F(WaveGridTest, SetSelectionKeepsAtLeastOneCellInsideTheTable) {
  grid.SetSelection(QRect(QPoint(70, 40), QPoint(60, -3)));
  EXPECT_EQ(grid.Selection(), Cells(60, 0, 63, 31));
  grid.SetSelection(QRect());
  EXPECT_EQ(grid.Selection().width(), 1);
  EXPECT_EQ(grid.Selection().height(), 1);
}

TEST_F(WaveGridTest, ZoomKeysAreReported) {
  QSignalSpy keys(&grid, &WaveGrid::ZoomKey);
  for (const char key : {'+', '-', '/', '0', 'a', '1', '*'}) QTest::keyClick(&grid, key);
  ASSERT_EQ(keys.count(), 4);
  const std::vector<QChar> expected = {'+', '-', '/', '0'};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(keys.at(i).at(0).value<QChar>(), expected[static_cast<std::size_t>(i)]);
}

// The pixels the user sees at (column, row): every one of the 256 points in the line colour,
// connected; the cell's last column (never reached by a point) in the background colour; the
// grid line beside it in silver.
void ExpectCellPicture(const WaveGrid& grid, const QImage& picture, const WavetableStore& store,
                       int column, int row, std::uint32_t back, std::uint32_t line) {
  SCOPED_TRACE("cell " + std::to_string(column) + "," + std::to_string(row));
  const QRect r = grid.CellRect(column, row);
  const CellPixels cell{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  const auto wave = store.Wave(row * kWavesPerBank + column);
  std::set<std::pair<int, int>> points;
  for (int i = 0; i < kWaveLength; ++i) {
    const TracePoint p = WaveCellPoint(cell, i, wave[static_cast<std::size_t>(i)]);
    points.insert({p.x, p.y});
    ASSERT_EQ(picture.pixel(p.x, p.y), Rgb(line)) << "point " << i;
  }
  EXPECT_EQ(picture.pixel(r.right(), r.top()), Rgb(back));
  EXPECT_EQ(picture.pixel(r.right() + 1, r.top()), WaveGrid::kBackground);
  EXPECT_EQ(picture.pixel(r.left(), r.bottom() + 1), WaveGrid::kBackground);

  // Connected: a walk over line-coloured pixels from the first point reaches all the others.
  const TracePoint start = WaveCellPoint(cell, 0, wave[0]);
  std::set<std::pair<int, int>> seen = {{start.x, start.y}};
  std::deque<std::pair<int, int>> queue = {{start.x, start.y}};
  while (!queue.empty()) {
    const auto [x, y] = queue.front();
    queue.pop_front();
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        const std::pair<int, int> next{x + dx, y + dy};
        if (!r.contains(next.first, next.second) || seen.count(next)) continue;
        if (picture.pixel(next.first, next.second) != Rgb(line)) continue;
        seen.insert(next);
        queue.push_back(next);
      }
    }
  }
  for (const auto& p : points) EXPECT_TRUE(seen.count(p)) << p.first << "," << p.second;
}

TEST_F(WaveGridTest, CellsShowEveryPointInTheColoursOfTheirState) {
  for (int i = 0; i < kWaveLength; ++i) {
    store.Wave(TagOf(1, 0))[static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(127.5 + 127.5 * std::sin(i * 2 * std::numbers::pi / kWaveLength));
    store.Wave(TagOf(2, 0))[static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>((i * 97) % 256);
    store.Wave(TagOf(3, 0))[static_cast<std::size_t>(i)] = i < 128 ? 255 : 0;
  }
  store.ClearWave(0, 4);
  store.SetMarker(TagOf(1, 0), kMarkerMark);
  store.SetMarker(TagOf(2, 0), kMarkerScale);
  store.SetMarker(TagOf(3, 0), kMarkerIrregularScale);
  store.SetMarker(TagOf(5, 0), kMarkerMark);  // selected wins over the marker
  grid.SetSelection(Cells(5, 0, 6, 0));

  struct Case {
    int column;
    std::uint32_t back, line;
  };
  const std::vector<Case> cases = {
      {0, kTestColors[kCellBack], kTestColors[kCellLine]},
      {1, kTestColors[kCellMarkBack], kTestColors[kCellMarkLine]},
      {2, kTestColors[kCellScaleBack], kTestColors[kCellScaleLine]},
      {3, kTestColors[kCellIrregularScaleBack], kTestColors[kCellIrregularScaleLine]},
      {4, kTestColors[kCellBack], kTestColors[kCellLine]},
      {5, kTestColors[kCellSelectedBack], kTestColors[kCellSelectedLine]},
      {6, kTestColors[kCellSelectedBack], kTestColors[kCellSelectedLine]},
  };
  for (const auto& [width, height] :
       std::vector<std::pair<int, int>>{{39, 29}, {12, 9}, {128, 96}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    grid.SetCellSize(width, height);
    const QImage picture = Picture(2);
    for (const Case& c : cases)
      ExpectCellPicture(grid, picture, store, c.column, 0, c.back, c.line);
  }
}

TEST_F(WaveGridTest, ShowsTheCurrentSlot) {
  store.SetCurrentSlot(3);
  store.ClearSlot();
  store.Wave(0)[0] = 0;  // slot 3 shows its own first waveform
  grid.RefreshGrid();
  ExpectCellPicture(grid, Picture(2), store, 0, 0, kTestColors[kCellSelectedBack],
                    kTestColors[kCellSelectedLine]);
}

TEST_F(WaveGridTest, DropDrawsSourcesSelectedAndTargetsPlainUntilTheGridIsRefreshed) {
  grid.SetSelection(Cells(3, 1, 4, 1));
  RightDrag(Centre(3, 1), Centre(2, 1), Qt::ControlModifier);
  EXPECT_EQ(TagAt(store, 2, 1), TagOf(3, 1));
  EXPECT_EQ(TagAt(store, 3, 1), TagOf(4, 1));
  // Cell (3, 1) was a source and then a target: drawn plain though it lies in the selection.
  const QRgb plain = Rgb(kTestColors[kCellBack]);
  const QRgb selected = Rgb(kTestColors[kCellSelectedBack]);
  auto backs = [&] {
    const QImage picture = Picture(2);
    std::vector<QRgb> colours;
    for (int column = 2; column <= 4; ++column) {
      const QRect r = grid.CellRect(column, 1);
      colours.push_back(picture.pixel(r.right(), r.top()));
    }
    return colours;
  };
  EXPECT_EQ(backs(), (std::vector<QRgb>{plain, plain, selected}));

  grid.RefreshGrid();
  EXPECT_EQ(backs(), (std::vector<QRgb>{plain, selected, selected}));

  grid.DrawWaveCell(4, 1, false);
  EXPECT_EQ(backs(), (std::vector<QRgb>{plain, selected, plain}));
  grid.SetSelection(Cells(4, 1, 4, 1));
  EXPECT_EQ(backs(), (std::vector<QRgb>{plain, plain, selected}));
}

}  // namespace
}  // namespace morvane
