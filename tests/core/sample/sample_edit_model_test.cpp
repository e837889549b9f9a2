#include "core/sample/sample_edit_model.h"

#include <gtest/gtest.h>

#include <fstream>
#include <numeric>
#include <random>

#include "core/sample/sample_edit_mouse.h"
#include "core/settings/temp_folder.h"

namespace morvane {
namespace {

// A sample whose byte i is i mod 251, so every moved byte shows where it came from.
void FillTagged(SampleEditModel& model, int size) {
  auto data = model.Data();
  for (int i = 0; i < kSampleCapacity; ++i) data[static_cast<std::size_t>(i)] = i % 251;
  model.SetSampleSize(size);
}

std::uint8_t Tag(int i) { return static_cast<std::uint8_t>(i % 251); }

TEST(SampleEditModelTest, SelectionColumnsMapToSamplesThroughZoomAndOrigin) {
  SampleEditModel model;
  FillTagged(model, 5000);
  model.SetZoom(4);
  model.SetViewOrigin(1000);
  model.SetSelectionPos(10);
  model.SetSelectionLen(20);  // columns 10..29
  EXPECT_EQ(model.SelectionRange(model.GetSampleSize()), (SampleRange{1040, 80}));

  model.CopySelection();
  ASSERT_EQ(model.Clip().size(), 80u);
  EXPECT_EQ(model.Clip().front(), Tag(1040));
  EXPECT_EQ(model.Clip().back(), Tag(1119));

  model.MuteSelection();
  EXPECT_EQ(model.GetValue(1039), Tag(1039));
  for (int i = 1040; i <= 1119; ++i) ASSERT_EQ(model.GetValue(i), 0) << i;
  EXPECT_EQ(model.GetValue(1120), Tag(1120));
  EXPECT_EQ(model.GetSampleSize(), 5000);
}

TEST(SampleEditModelTest, CutMovesTheTailDownAndFillsTheEnd) {
  SampleEditModel model;
  FillTagged(model, 5000);
  model.SetZoom(4);
  model.SetViewOrigin(1000);
  model.SetSelectionPos(10);
  model.SetSelectionLen(20);
  model.CutSelection();
  EXPECT_EQ(model.GetValue(1039), Tag(1039));
  EXPECT_EQ(model.GetValue(1040), Tag(1120));
  EXPECT_EQ(model.GetValue(4919), Tag(4999));
  for (int i = 4920; i < 5000; ++i) ASSERT_EQ(model.GetValue(i), 0) << i;
  EXPECT_EQ(model.GetValue(5000), Tag(5000));  // past the sample: untouched
  EXPECT_EQ(model.GetSampleSize(), 5000);
}

TEST(SampleEditModelTest, CutOfTheWholeSampleKeepsItsLastByteFirst) {
  SampleEditModel model;
  FillTagged(model, 1000);
  model.SetSpectrumCenter(true);
  model.SetSelectionLen(1000);
  model.CutSelection();
  EXPECT_EQ(model.SelectionLen(), 999);
  EXPECT_EQ(model.GetValue(0), Tag(999));
  for (int i = 1; i < 1000; ++i) ASSERT_EQ(model.GetValue(i), 128) << i;
  ASSERT_EQ(model.Clip().size(), 999u);
  EXPECT_EQ(model.Clip()[998], Tag(998));
}

TEST(SampleEditModelTest, PasteNeedsASelectionAndStopsAtTheCapacity) {
  SampleEditModel model;
  FillTagged(model, kSampleCapacity);
  model.SetSelectionLen(100);
  model.CopySelection();  // bytes 0..99
  model.SetSelectionLen(0);
  model.SetLocatorPos(1000);
  model.PasteAtLocator();
  EXPECT_EQ(model.GetValue(1000), Tag(1000));  // no selection: nothing pasted

  model.SetSelectionLen(-5);  // dragged leftwards still counts
  model.SetSelectionPos(50);
  model.PasteAtLocator();
  EXPECT_EQ(model.GetValue(1000), Tag(0));
  EXPECT_EQ(model.GetValue(1099), Tag(99));

  model.SetLocatorPos(kSampleCapacity - 10);
  model.PasteAtLocator();
  EXPECT_EQ(model.GetValue(kSampleCapacity - 1), Tag(9));
}

TEST(SampleEditModelTest, NegativeSelectionIsTurnedRound) {
  SampleEditModel model;
  model.SetSelectionPos(30);
  model.SetSelectionLen(-40);
  model.NormaliseSelection();
  EXPECT_EQ(model.SelectionPos(), 0);
  EXPECT_EQ(model.SelectionLen(), 40);
}

TEST(SampleEditModelTest, CropMovesTheRangeToTheStart) {
  SampleEditModel model;
  FillTagged(model, 20000);
  model.SetViewOrigin(3000);
  model.SetSelectionPos(100);
  model.SetSelectionLen(5000);
  model.CropToSelection();
  EXPECT_EQ(model.GetSampleSize(), 5000);
  EXPECT_EQ(model.ViewOrigin(), 0);
  EXPECT_EQ(model.SelectionPos(), 0);
  EXPECT_EQ(model.GetValue(0), Tag(3100));
  EXPECT_EQ(model.GetValue(4999), Tag(8099));
  EXPECT_EQ(model.GetValue(5000), 0);  // filled up to the old size
  EXPECT_EQ(model.GetValue(19999), 0);
  EXPECT_EQ(model.GetValue(20000), Tag(20000));
}

TEST(SampleEditModelTest, CropPastTheSampleKeepsOnlyWhatTheSampleHas) {
  SampleEditModel model;
  FillTagged(model, 1000);
  model.SetSelectionPos(900);
  model.SetSelectionLen(500);
  model.CropToSelection();
  EXPECT_EQ(model.GetSampleSize(), 100);
  EXPECT_EQ(model.GetValue(0), Tag(900));
}

TEST(SampleEditModelTest, FlipLowerHalfTable) {
  SampleEditModel model;
  const std::uint8_t in[] = {1, 64, 127, 0, 128, 200};
  const std::uint8_t out[] = {127, 64, 1, 0, 128, 200};
  std::copy(std::begin(in), std::end(in), model.Data().begin());
  model.SetSampleSize(6);
  model.FlipLowerHalf(true);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(model.GetValue(i), out[i]) << i;
  model.FlipLowerHalf(true);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(model.GetValue(i), in[i]) << i;
}

TEST(SampleEditModelTest, LinToULawTableAndOrder) {
  SampleEditModel model;
  const std::uint8_t in[] = {0, 64, 126, 127, 128, 129, 192, 255};
  const std::uint8_t out[] = {1, 17, 103, 128, 128, 153, 239, 255};
  std::copy(std::begin(in), std::end(in), model.Data().begin());
  model.SetSampleSize(8);
  model.LinToULaw();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(model.GetValue(i), out[i]) << int{in[i]};

  std::iota(model.Data().begin(), model.Data().begin() + 256, 0);
  model.SetSampleSize(256);
  model.LinToULaw();
  for (int i = 1; i < 256; ++i) ASSERT_LE(model.GetValue(i - 1), model.GetValue(i)) << i;
}

TEST(SampleEditModelTest, ULawToLinTable) {
  SampleEditModel model;
  const std::uint8_t in[] = {128, 255, 1};
  const std::uint8_t out[] = {128, 255, 0};
  std::copy(std::begin(in), std::end(in), model.Data().begin());
  model.SetSampleSize(3);
  model.ULawToLin();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(model.GetValue(i), out[i]) << int{in[i]};
}

TEST(SampleEditModelTest, OffsetsAccumulateAndClippedValuesStayClipped) {
  SampleEditModel model;
  const std::uint8_t in[] = {0, 100, 250, 255};
  std::copy(std::begin(in), std::end(in), model.Data().begin());
  model.SetSampleSize(4);
  model.AddOffset(model.Data(), 10);
  model.AddOffset(model.Data(), -10);
  EXPECT_EQ(model.GetValue(0), 0);
  EXPECT_EQ(model.GetValue(1), 100);
  EXPECT_EQ(model.GetValue(2), 245);  // was clipped at 255
  EXPECT_EQ(model.GetValue(3), 245);
  model.AddOffset(model.Data(), -255);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(model.GetValue(i), 0);
  model.AddOffset(model.Data(), 255);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(model.GetValue(i), 255);
}

TEST(SampleEditModelTest, OffsetOverTheSelectionOnly) {
  SampleEditModel model;
  FillTagged(model, 100);
  model.SetZoom(2);
  model.SetSelectionPos(5);
  model.SetSelectionLen(3);  // samples 10..15
  model.AddOffset(model.Data(), 1);
  EXPECT_EQ(model.GetValue(9), Tag(9));
  EXPECT_EQ(model.GetValue(10), Tag(10) + 1);
  EXPECT_EQ(model.GetValue(15), Tag(15) + 1);
  EXPECT_EQ(model.GetValue(16), Tag(16));
}

TEST(SampleEditModelTest, MinMaxReverseFixZero) {
  SampleEditModel model;
  EXPECT_EQ(model.MaxValue(), 0);
  EXPECT_EQ(model.MinValue(), 255);
  const std::uint8_t in[] = {5, 0, 200, 7};
  std::copy(std::begin(in), std::end(in), model.Data().begin());
  model.SetSampleSize(4);
  EXPECT_EQ(model.MaxValue(), 200);
  EXPECT_EQ(model.MinValue(), 0);
  model.Reverse();
  EXPECT_EQ(model.GetValue(0), 7);
  EXPECT_EQ(model.GetValue(3), 5);
  model.FixZero();
  EXPECT_EQ(model.GetValue(2), 128);
  EXPECT_EQ(model.GetValue(4), 0);  // past the sample
}

TEST(SampleEditModelTest, PointsFollowTheColumnsAndStayCentredPastTheCapacity) {
  SampleEditModel model;
  model.Data()[1000] = 255;
  model.Data()[1004] = 0;
  model.SetZoom(4);
  model.SetViewOrigin(1000);
  EXPECT_EQ(model.PointY(0, 101), 100 - 255 * 100 / 256);
  EXPECT_EQ(model.PointY(1, 101), 100);
  model.SetViewOrigin(kSampleCapacity - 4);
  EXPECT_EQ(model.PointY(1, 101), 50);
}

TEST(SampleEditModelTest, RawFilesLoadTheirStartAndFailuresChangeNothing) {
  TempFolder folder;
  std::vector<char> bytes(kSampleCapacity + 1000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 253);
  std::ofstream(folder / "big.bin", std::ios::binary).write(bytes.data(), bytes.size());

  SampleEditModel model;
  FillTagged(model, 10);
  EXPECT_FALSE(model.LoadRawFile(folder / "missing.bin", 0).loaded);
  EXPECT_FALSE(model.LoadRawFile(folder.Path(), 0).loaded);
  EXPECT_EQ(model.GetSampleSize(), 10);
  EXPECT_EQ(model.GetValue(7), Tag(7));

  const RawLoadResult big = model.LoadRawFile(folder / "big.bin", 0);
  EXPECT_TRUE(big.loaded);
  EXPECT_TRUE(big.truncated);
  EXPECT_EQ(model.GetSampleSize(), kSampleCapacity);
  EXPECT_EQ(model.GetValue(kSampleCapacity - 1), (kSampleCapacity - 1) % 253);

  // From an offset: the file's bytes after it; an offset past the end loads nothing.
  const RawLoadResult tail = model.LoadRawFile(folder / "big.bin", kSampleCapacity);
  EXPECT_FALSE(tail.truncated);
  EXPECT_EQ(model.GetSampleSize(), 1000);
  EXPECT_EQ(model.GetValue(0), kSampleCapacity % 253);
  EXPECT_EQ(model.GetValue(1000), 0);
  EXPECT_FALSE(model.LoadRawFile(folder / "big.bin", kSampleCapacity + 1000).loaded);
  EXPECT_EQ(model.GetSampleSize(), 1000);

  EXPECT_TRUE(model.SaveRawFile(folder / "out.bin"));
  EXPECT_EQ(std::filesystem::file_size(folder / "out.bin"), 1000u);
  EXPECT_FALSE(model.SaveRawFile(folder / "no-such-folder" / "out.bin"));
}

TEST(SampleEditMouseTest, DrawnValuesAndLocatorGrab) {
  EXPECT_EQ(SampleEditMouse::ValueAt(0, 100), 255);
  EXPECT_EQ(SampleEditMouse::ValueAt(98, 100), 0);
  EXPECT_EQ(SampleEditMouse::ValueAt(99, 100), 0);

  SampleEditModel model;
  model.SetSampleSize(1000);
  SampleEditMouse mouse;
  model.SetLocatorPos(50);
  mouse.Press(TankButton::kLeft, 54, 10, model, 200, 100);
  EXPECT_EQ(mouse.DragMode(), SampleEditMouse::kDragLocator);
  EXPECT_EQ(model.LocatorPos(), 54);
  const TankMouseOutcome moved = mouse.Move(true, false, 500, 10, model, 200, 100);
  EXPECT_TRUE(moved.locator_changed);
  EXPECT_EQ(model.LocatorPos(), 198);
  mouse.Release(TankButton::kLeft, 120, 10, model, 200, 100);
  EXPECT_EQ(model.LocatorPos(), 120);

  // A press elsewhere starts a selection; a leftward drag is turned round on release.
  mouse.Press(TankButton::kLeft, 80, 10, model, 200, 100);
  EXPECT_EQ(model.SelectionPos(), 80);
  const TankMouseOutcome released = mouse.Release(TankButton::kLeft, 30, 10, model, 200, 100);
  EXPECT_TRUE(released.selection_changed);
  EXPECT_EQ(model.SelectionPos(), 30);
  EXPECT_EQ(model.SelectionLen(), 50);

  // The right button draws at zoom 1 only, inside the sample only.
  mouse.Press(TankButton::kRight, 5, 0, model, 200, 100);
  EXPECT_EQ(model.GetValue(5), 255);
  model.SetZoom(2);
  mouse.Press(TankButton::kRight, 6, 0, model, 200, 100);
  EXPECT_EQ(model.GetValue(12), 0);
  EXPECT_EQ(model.GetValue(6), 0);
}

// Random parameters for every operation: with the address sanitizer, any read or write outside
// the buffers ends the test.
TEST(SampleEditModelTest, RandomOperationsStayInsideTheBuffers) {
  std::mt19937 random(20261210);
  auto any = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  SampleEditModel model;
  SampleEditMouse mouse;
  for (int step = 0; step < 4000; ++step) {
    const int edge = any(0, 3);
    model.SetSampleSize(edge == 0 ? kSampleCapacity : any(0, kSampleCapacity));
    model.SetZoom(any(-2, edge == 1 ? 100000 : 1000));
    model.SetViewOrigin(any(-10, kSampleCapacity + 1000));
    model.SetSelectionPos(any(-1000, 600000));
    model.SetSelectionLen(any(-600000, 600000));
    model.SetLocatorPos(any(-1000, 600000));
    model.SetSpectrumCenter(any(0, 1) == 1);
    switch (any(0, 13)) {
      case 0:
        model.CopySelection();
        break;
      case 1:
        model.CutSelection();
        break;
      case 2:
        model.MuteSelection();
        break;
      case 3:
        model.PasteAtLocator();
        break;
      case 4:
        model.CropToSelection();
        break;
      case 5:
        model.FlipLowerHalf(any(0, 1) == 1);
        break;
      case 6:
        model.AddOffset(model.Data(), any(-255, 255));
        break;
      case 7:
        model.LinToULaw();
        break;
      case 8:
        model.ULawToLin();
        break;
      case 9:
        model.Reverse();
        break;
      case 10:
        model.SetValue(static_cast<std::uint8_t>(any(0, 255)), any(-5, kSampleCapacity + 5));
        break;
      case 11:
        (void)model.PointY(any(-5, 2000), any(1, 600));
        break;
      case 12:
        mouse.Press(TankButton::kRight, any(-50, 2000), any(-5, 300), model, any(0, 2000),
                    any(0, 300));
        break;
      default:
        mouse.Move(any(0, 1) == 1, true, any(-50, 2000), any(-5, 300), model, any(0, 2000),
                   any(0, 300));
        break;
    }
    ASSERT_GE(model.GetSampleSize(), 0);
    ASSERT_LE(model.GetSampleSize(), kSampleCapacity);
    ASSERT_LE(model.Clip().size(), static_cast<std::size_t>(kSampleCapacity));
  }
}

}  // namespace
}  // namespace morvane
