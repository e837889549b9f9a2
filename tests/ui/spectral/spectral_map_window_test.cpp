#include "ui/spectral/spectral_map_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <array>
#include <fstream>
#include <string>

#include "ui/controls/click_panel.h"
#include "ui/controls/control_test_support.h"
#include "ui/controls/toggle_panel.h"
#include "ui/controls/wave_grid.h"
#include "ui/spectral/spectral_map_view.h"
#include "ui/spectral/spectral_test_app.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

class SpectralMapWindowTest : public SpectralTestApp {
 protected:
  SpectralMapWindowTest() {
    map_ = app_.spectral_map();
    map_->move(0, 0);
    app_.main_window()->MenuAction("mnuSpectralMap")->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(map_));
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = map_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  ValueKnob* Knob(const char* name) { return Find<ValueKnob>(name); }
  SpectralMapView* View() { return map_->View(); }
  QColor Pixel(int x, int y) { return View()->Image().pixelColor(x, y); }
  // The centre of a cell, in the view.
  QPoint CellCentre(int column, int row) {
    return {column * (View()->Thickness() + 1), row * 129 + 64};
  }
  int TopHeight() { return Find<QWidget>("pnlTop")->height(); }
  // Clicks whatever control of the window lies at `at` (window coordinates).
  void ClickAt(QPoint at, Qt::MouseButton button) {
    QWidget* hit = map_->childAt(at);
    ASSERT_NE(hit, nullptr);
    QTest::mouseClick(hit, button, {}, hit->mapFrom(map_, at));
  }

  SpectralMapWindow* map_ = nullptr;
};

TEST_F(SpectralMapWindowTest, FormatsLayTheSlotOutAndTheWindowFits) {
  EXPECT_EQ(Knob("kvpotlab2")->State(), 3);
  EXPECT_EQ(Knob("kvpotlab2")->text(), "8 x 256");
  EXPECT_EQ(View()->width(), 512);
  EXPECT_EQ(map_->centralWidget()->height(), TopHeight() + 8 * 129 - 1);

  TurnKnob(Knob("kvpotlab2"), 0);
  EXPECT_EQ(Knob("kvpotlab2")->text(), "1 x 2048");
  EXPECT_EQ(View()->height(), 128);
  EXPECT_EQ(View()->width(), 4096);
  // Wider than the screen: the window stops 10 pixels short of its right edge and keeps room for
  // the scroll bar.
  const int screen_width = map_->screen()->availableGeometry().width();
  EXPECT_EQ(map_->width(),
            screen_width - (map_->x() - map_->screen()->availableGeometry().x()) - 10);
  EXPECT_EQ(map_->centralWidget()->height(), TopHeight() + 128 + 16);

  TurnKnob(Knob("kvpotlab2"), 5);
  EXPECT_EQ(Knob("kvpotlab2")->text(), "32 x 64");
  // Eight rows visible: waveforms 0 to 511 without scrolling.
  auto* area = Find<QScrollArea>("MapArea");
  EXPECT_EQ(area->verticalScrollBar()->value(), 0);
  EXPECT_GE(area->viewport()->height(), 8 * 129 - 1);
  EXPECT_LT(area->viewport()->height(), 9 * 129);
  TurnKnob(Knob("kvpotlab4"), 2);
  EXPECT_EQ(map_->centralWidget()->height(), TopHeight() + 2 * 129 - 1);
  TurnKnob(Knob("kvpotlab1"), 4);
  EXPECT_EQ(View()->width(), 64 * 5);
}

TEST_F(SpectralMapWindowTest, AClickOpensTheWaveformInTheEditor) {
  WavetableStore& store = app_.wavetable();
  std::ranges::fill(store.Wave(522), 200);
  QTest::mouseClick(View(), Qt::LeftButton, {}, CellCentre(10, 2));
  WaveformEditorWindow* editor = app_.waveform_editor();
  EXPECT_EQ(editor->BankSelector()->State(), 8);
  EXPECT_EQ(editor->WaveSelector()->State(), 10);
  EXPECT_EQ(editor->WorkingCopy()[0], 200);
  EXPECT_EQ(app_.main_window()->Grid()->Selection(), QRect(10, 8, 1, 1));
  // Other buttons open nothing.
  QTest::mouseClick(View(), Qt::MiddleButton, {}, CellCentre(3, 0));
  EXPECT_EQ(editor->WaveSelector()->State(), 10);
}

TEST_F(SpectralMapWindowTest, TheZeroLineIsBlackAndMarkersTintTheirColumns) {
  WavetableStore& store = app_.wavetable();
  for (int n = 0; n < 256; ++n) store.Wave(1)[n] = n < 128 ? 255 : 0;
  store.SetMarker(1, kMarkerScale);
  store.SetMarker(2, kMarkerIrregularScale);
  store.SetMarker(3, kMarkerMark);
  app_.main_window()->SpectralMapRefresh();
  EXPECT_EQ(Pixel(0, 127), QColor(0, 0, 0));  // waveform 0: the zero line
  EXPECT_TRUE(std::ranges::all_of(store.Phase(0), [](std::uint8_t b) { return b == 128; }));
  const QColor scale = Pixel(2, 127);  // harmonic 1 of the square, marker 2: greenish
  EXPECT_GT(scale.green(), scale.red());
  EXPECT_GT(scale.green(), scale.blue());
  EXPECT_EQ(Pixel(4, 127), QColor(24, 10, 0));  // marker 3 at level 0: reddish
  EXPECT_EQ(Pixel(6, 127), QColor(24, 24, 0));  // marker 1: yellowish
  QTest::mouseClick(Find<TogglePanel>("pnlLevel"), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(Find<TogglePanel>("pnlLevel")->text(), "ANGLE");
  EXPECT_EQ(Pixel(0, 127), QColor(128, 128, 128));  // phase 128 of the zero line
}

TEST_F(SpectralMapWindowTest, ADraggedRangeIsDrawnSelected) {
  map_->ComputeAllSpectra(true);
  QTest::mousePress(View(), Qt::LeftButton, {}, CellCentre(0, 0));
  testing::MoveWithButtons(View(), CellCentre(2, 1), Qt::LeftButton);
  EXPECT_EQ(Pixel(2, 127), QColor(10, 10, 24));        // level 0 drawn selected
  EXPECT_EQ(Pixel(4, 129 + 127), QColor(10, 10, 24));  // column 2 of the second row
  EXPECT_EQ(Pixel(6, 127), QColor(0, 0, 0));           // column 3: outside
  QTest::mouseRelease(View(), Qt::LeftButton, {}, CellCentre(2, 1));
  EXPECT_EQ(app_.waveform_editor()->WaveSelector()->State(), 2);
  EXPECT_EQ(app_.waveform_editor()->BankSelector()->State(), 4);  // waveform 258
}

TEST_F(SpectralMapWindowTest, WindowKindRecomputesAllAndAngleOnlyRedraws) {
  WavetableStore& store = app_.wavetable();
  for (int k = 0; k < kWaveCount; ++k) std::ranges::fill(store.Amplitude(k), 90);
  QTest::mouseClick(Find<TogglePanel>("pnlLevel"), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(store.Amplitude(2047)[5], 90) << "no transform for a redraw";
  QMenu* menu = map_->findChild<QMenu*>("WindowKindMenu");
  menu->actions()[13]->trigger();
  EXPECT_EQ(map_->WindowKind(), 13);
  EXPECT_EQ(Find<ClickPanel>("pnlWindow")->text(), "KAISER 1");
  for (int k : {0, 1024, 2047}) EXPECT_EQ(store.Amplitude(k)[5], 0) << k;
}

TEST_F(SpectralMapWindowTest, TheMainWindowRefreshesTheMapOnItsChanges) {
  WavetableStore& store = app_.wavetable();
  QTabBar* tabs = app_.main_window()->findChild<QTabBar*>("TabControl1");
  store.SetCurrentSlot(1);
  store.Phase(9)[0] = 3;
  store.SetCurrentSlot(0);
  tabs->setCurrentIndex(1);  // shown: the new slot's spectra are computed
  EXPECT_EQ(store.Phase(9)[0], 128);
  map_->hide();
  store.SetCurrentSlot(2);
  store.Phase(9)[0] = 3;
  store.SetCurrentSlot(1);
  tabs->setCurrentIndex(2);  // hidden: nothing computed
  EXPECT_EQ(store.Phase(9)[0], 3);
  // Loading a file refreshes the spectra whether the map is shown or not.
  const auto file = home_.root() / "table.bin";
  std::string ramps(kSlotBytes, '\0');
  for (std::size_t i = 0; i < ramps.size(); ++i) ramps[i] = static_cast<char>(i % 256);
  std::ofstream(file, std::ios::binary) << ramps;
  dialogs_.answers = {QString::fromStdString(file.string())};
  app_.main_window()->MenuAction("mnuLoad")->trigger();
  EXPECT_GT(store.Amplitude(9)[0], 0);
}

// How many pixels of `colour` a widget shows.
int CountPixels(QWidget* widget, QColor colour) {
  const QImage image = widget->grab().toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
  }
  return count;
}

TEST_F(SpectralMapWindowTest, TheTopPanelShowsItsPanelsInTheirOwnColours) {
  auto* source = Find<TogglePanel>("pnlLevel");
  auto* window = Find<ClickPanel>("pnlWindow");
  const QColor lime(0, 255, 0);
  const QColor fuchsia(255, 0, 255);
  struct Case {
    QWidget* panel;
    QColor back;
    QColor text;
  };
  const auto check = [](const Case& look) {
    EXPECT_EQ(testing::PixelAt(*look.panel, QPoint(1, 1)), look.back)
        << look.panel->objectName().toStdString();
    EXPECT_GT(CountPixels(look.panel, look.text), 0) << look.panel->objectName().toStdString();
  };
  check({source, QColor(0, 128, 0), lime});  // "LEVEL"
  check({window, QColor(0, 64, 0), lime});
  QTest::mouseClick(source, Qt::LeftButton, {}, QPoint(3, 3));
  check({source, QColor(128, 0, 128), fuchsia});  // "ANGLE"
  EXPECT_EQ(CountPixels(source, lime), 0);
}

TEST_F(SpectralMapWindowTest, TheTopPanelHoldsItsCaptionsAndKeepsItsControlsInPlace) {
  const std::array<const char*, 5> names = {"kvpotlab1", "kvpotlab2", "kvpotlab4", "pnlLevel",
                                            "pnlWindow"};
  std::array<QRect, 5> places;
  for (std::size_t i = 0; i < names.size(); ++i) places[i] = Find<QWidget>(names[i])->geometry();
  map_->ChooseWindowKind(11);  // "BARLT/HANN", the longest name
  for (int format : {4, 5, 0}) {
    TurnKnob(Knob("kvpotlab2"), format);
    // The map itself keeps its width rule; the window is as wide as the panel at least.
    EXPECT_EQ(View()->width(), MapImageWidth(format, 1));
    for (std::size_t i = 0; i < names.size(); ++i) {
      auto* control = Find<QLabel>(names[i]);
      EXPECT_EQ(control->geometry(), places[i]) << names[i] << " at format " << format;
      EXPECT_GE(control->width(), control->fontMetrics().horizontalAdvance(control->text()))
          << control->text().toStdString();
      EXPECT_LE(control->mapTo(map_, QPoint(control->width(), 0)).x(), map_->width());
    }
  }
  // Stepping the format down by clicks at one place keeps hitting the format knob.
  TurnKnob(Knob("kvpotlab2"), 5);
  const QPoint at = Knob("kvpotlab2")->mapTo(map_, Knob("kvpotlab2")->rect().center());
  ClickAt(at, Qt::LeftButton);
  ClickAt(at, Qt::LeftButton);
  EXPECT_EQ(Knob("kvpotlab2")->State(), 3);
}

TEST_F(SpectralMapWindowTest, TheViewMenuEntryIsTickedWhileTheMapIsShown) {
  QAction* entry = app_.main_window()->MenuAction("mnuSpectralMap");
  EXPECT_TRUE(entry->isCheckable());
  EXPECT_TRUE(entry->isChecked());
  entry->trigger();  // chosen again while shown: the map stays, ticked
  EXPECT_TRUE(map_->isVisible());
  EXPECT_TRUE(entry->isChecked());
  map_->close();
  EXPECT_FALSE(entry->isChecked());
  entry->trigger();
  EXPECT_TRUE(map_->isVisible());
  EXPECT_TRUE(entry->isChecked());
  map_->hide();
  EXPECT_FALSE(entry->isChecked());
}

// The map's scroll bars look as a plain scroll bar of the same size and position does.
TEST_F(SpectralMapWindowTest, TheScrollBarsLookLikeEveryOtherScrollBar) {
  auto* area = Find<QScrollArea>("MapArea");
  const auto check = [](QScrollBar* bar) {
    ASSERT_TRUE(bar->isVisible());
    QScrollBar plain(bar->orientation());
    plain.setRange(bar->minimum(), bar->maximum());
    plain.setPageStep(bar->pageStep());
    plain.setValue(bar->value());
    plain.resize(bar->size());
    EXPECT_EQ(bar->grab().toImage().convertToFormat(QImage::Format_RGB32),
              plain.grab().toImage().convertToFormat(QImage::Format_RGB32))
        << bar->orientation();
  };
  TurnKnob(Knob("kvpotlab2"), 5);
  check(area->verticalScrollBar());
  TurnKnob(Knob("kvpotlab2"), 0);
  check(area->horizontalScrollBar());
}

}  // namespace
}  // namespace morvane
