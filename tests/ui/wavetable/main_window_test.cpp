#include "ui/wavetable/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolTip>
#include <fstream>

#include "core/wavetable/main_window_settings.h"
#include "platform/user_folders.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/control_test_support.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window_fixture.h"
#include "ui/wavetable/slot_name_label.h"

namespace morvane {
namespace {

class MainWindowTest : public testing::MainWindowFixture {
 protected:
  ValueKnob* ZoomKnob() { return window_->findChild<ValueKnob*>("kvpotzoom"); }
  QTabBar* Tabs() { return window_->findChild<QTabBar*>("TabControl1"); }
  QString NameLabel() { return Text("Label1"); }
};

TEST_F(MainWindowTest, ZoomStaysWithinItsLimitsAndMinimunReturnsToTheFormerWidth) {
  window_->MenuAction("mnuAutoSize")->setChecked(false);
  for (int step = 39; step <= 130; ++step) Trigger("mnuZoomIn");
  EXPECT_EQ(window_->CellWidth(), 128);
  EXPECT_EQ(ZoomKnob()->State(), 128);
  EXPECT_EQ(window_->Grid()->CellWidth(), 128);
  EXPECT_EQ(window_->Grid()->CellHeight(), 96);

  // A drag far down the knob asks for less than the minimum.
  ValueKnob* knob = ZoomKnob();
  const QPoint start(knob->width() / 2, 2);
  QTest::mousePress(knob, Qt::LeftButton, {}, start);
  testing::MoveWithButtons(knob, start + QPoint(0, 400), Qt::LeftButton);
  QTest::mouseRelease(knob, Qt::LeftButton, {}, start + QPoint(0, 400));
  EXPECT_EQ(window_->CellWidth(), 12);
  EXPECT_EQ(window_->Grid()->CellHeight(), 9);

  window_->ZoomKey('+');
  window_->ZoomKey('+');
  EXPECT_EQ(window_->CellWidth(), 14);
  window_->ZoomKey('-');
  EXPECT_EQ(window_->CellWidth(), 13);

  const QSize before = window_->size();
  window_->ZoomKey('0');
  EXPECT_TRUE(window_->MenuAction("mnuMinimun")->isChecked());
  EXPECT_EQ(window_->CellWidth(), 12);
  EXPECT_EQ(ZoomKnob()->State(), 12);
  window_->ZoomKey('0');
  EXPECT_FALSE(window_->MenuAction("mnuMinimun")->isChecked());
  EXPECT_EQ(window_->CellWidth(), 13);
  EXPECT_EQ(ZoomKnob()->State(), 13);
  EXPECT_EQ(window_->size(), before) << "without AutoSize the window size comes back";

  window_->ZoomKey('/');
  EXPECT_TRUE(window_->AutoSizeChecked());
}

TEST_F(MainWindowTest, AutoSizeFitsAllColumnsWithinTheScreen) {
  ASSERT_TRUE(window_->AutoSizeChecked());
  const QRect screen = window_->screen()->geometry();
  auto* area = window_->findChild<QScrollArea*>("GridArea");
  for (int step = 39; step > 11; --step) window_->ZoomKey('-');
  for (int width : {13, 14, 20}) {
    while (window_->CellWidth() < width) window_->ZoomKey('+');
    QApplication::processEvents();
    const int wanted = (width + 2) * 64 - 60;
    if (wanted <= screen.width() - window_->x()) {
      EXPECT_EQ(window_->width(), wanted) << width;
      EXPECT_GE(area->viewport()->width(), window_->Grid()->width()) << "all 64 columns show";
    } else {
      EXPECT_EQ(window_->width(), screen.width() - window_->x() - 10) << width;
    }
  }
}

TEST_F(MainWindowTest, SharedShortcutsGoToTheFirstEntryInMenuOrder) {
  EXPECT_EQ(window_->MenuAction("mnuReverse")->shortcut(), QKeySequence("Ctrl+R"));
  EXPECT_TRUE(window_->MenuAction("mnuFindRamp")->shortcut().isEmpty());
  EXPECT_TRUE(window_->MenuAction("mnuFindRamp")->text().endsWith("\tCtrl+R"));
  EXPECT_EQ(window_->MenuAction("mnuFindScales")->shortcut(), QKeySequence("Ctrl+F3"));
  EXPECT_TRUE(window_->MenuAction("mnuScalesWindow")->shortcut().isEmpty());
  // Every other shortcut belongs to exactly one entry.
  QSet<QString> seen;
  for (QAction* action : window_->findChildren<QAction*>()) {
    if (action->shortcut().isEmpty()) continue;
    EXPECT_FALSE(seen.contains(action->shortcut().toString()))
        << action->objectName().toStdString();
    seen.insert(action->shortcut().toString());
  }
}

TEST_F(MainWindowTest, SelectAllAlternatesAndSelectBankSelectsRows) {
  WaveGrid* grid = window_->Grid();
  Trigger("mnuSelectAll");
  EXPECT_EQ(grid->Selection(), QRect(QPoint(0, 0), QPoint(63, 31)));
  Trigger("mnuSelectAll");
  EXPECT_EQ(grid->Selection(), QRect(0, 0, 1, 1));

  Trigger("mnuSelectBank");
  EXPECT_TRUE(grid->RowSelect());
  QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(10, 4).center());
  EXPECT_EQ(grid->Selection(), QRect(QPoint(0, 4), QPoint(63, 4)));
}

TEST_F(MainWindowTest, ATabShowsItsSlotAndItsName) {
  EXPECT_EQ(NameLabel(), "") << "empty until a slot is named";
  app_.options_dialog()->SetSlotPath(2, "/music/tables/pads.bin");
  app_.wavetable().SetCurrentSlot(2);
  app_.wavetable().SetSample(0, 0, 1);
  app_.wavetable().SetCurrentSlot(0);
  Tabs()->setCurrentIndex(2);
  EXPECT_EQ(app_.wavetable().CurrentSlot(), 2);
  EXPECT_EQ(NameLabel(), "pads.bin");
  EXPECT_EQ(app_.wavetable().Wave(0)[0], 1);
  Tabs()->setCurrentIndex(0);
  EXPECT_EQ(NameLabel(), "New");
}

// At the window's design size the slot's name is in view after the other tools: whole when it
// fits, else keeping its end, with the whole name in its hint.
TEST_F(MainWindowTest, TheSlotNameIsReadableAtTheDesignSize) {
  const MainWindowSettings design;
  window_->resize(design.width, design.height);
  auto* toolbar = window_->findChild<QToolBar*>("ToolBar1");
  auto* label = window_->findChild<SlotNameLabel*>("Label1");
  ASSERT_NE(label, nullptr);
  struct Case {
    const char* path;
    const char* name;  // what the label holds
    bool fits;
  };
  const Case cases[] = {
      {"/music/tables/pads.bin", "pads.bin", true},
      {"New", "New", true},
      {"MIDI Wavetable - Channel 12", "MIDI Wavetable - Channel 12", false},
      {"/music/the_long_evening_pads_for_the_second_set.bin",
       "the_long_evening_pads_for_the_second_set.bin", false},
  };
  for (const Case& c : cases) {
    app_.options_dialog()->SetSlotPath(1, c.path);
    Tabs()->setCurrentIndex(0);
    Tabs()->setCurrentIndex(1);
    QApplication::processEvents();
    ASSERT_EQ(NameLabel(), c.name);
    ASSERT_TRUE(label->isVisible()) << c.path;
    EXPECT_TRUE(toolbar->rect().contains(label->geometry())) << c.path;
    EXPECT_FALSE(toolbar->findChild<QWidget*>("qt_toolbar_ext_button")->isVisible()) << c.path;
    const QString shown = label->ShownText();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());
    if (c.fits) {
      EXPECT_EQ(shown.toStdString(), c.name);
    } else {
      EXPECT_TRUE(shown.startsWith(QChar(0x2026))) << shown.toStdString();
      EXPECT_TRUE(NameLabel().endsWith(shown.mid(1))) << shown.toStdString();
      EXPECT_GE(shown.size(), 8) << "enough of the name to read";
      QHelpEvent hint(QEvent::ToolTip, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
      QApplication::sendEvent(label, &hint);
      EXPECT_EQ(QToolTip::text().toStdString(), c.name);
    }
    // The name is drawn: dark text on the toolbar's light face.
    const QImage drawn = label->grab().toImage();
    int ink = 0;
    for (int y = 0; y < drawn.height(); ++y) {
      for (int x = 0; x < drawn.width(); ++x) ink += QColor(drawn.pixel(x, y)).lightness() < 100;
    }
    EXPECT_GT(ink, 20) << c.path;
  }
}

TEST_F(MainWindowTest, AClickedCellBecomesTheEditorsWaveform) {
  app_.wavetable().SetSample(7 * 64 + 9, 0, 3);
  WaveGrid* grid = window_->Grid();
  QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(9, 7).center());
  WaveformEditorWindow* editor = app_.waveform_editor();
  EXPECT_EQ(editor->BankSelector()->State(), 7);
  EXPECT_EQ(editor->WaveSelector()->State(), 9);
  EXPECT_EQ(editor->WorkingCopy()[0], 3);
}

TEST_F(MainWindowTest, AutoloadFillsTheSlotsFromTheirPathsAndSkipsThoseWithoutAFile) {
  const std::filesystem::path table = home_.root() / "t.bin";
  std::ofstream(table, std::ios::binary) << std::string(kSlotBytes, '\x33');
  app_.options_dialog()->SetSlotPath(1, QString::fromStdString(table.string()));
  app_.options_dialog()->SetSlotPath(3, QString::fromStdString(table.string()));
  Tabs()->setCurrentIndex(5);
  window_->Autoload();
  EXPECT_TRUE(reporter_.messages.empty()) << "\"New\" loads nothing and says nothing";
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  EXPECT_EQ(app_.wavetable().CurrentSlot(), 0);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    app_.wavetable().SetCurrentSlot(slot);
    EXPECT_EQ(app_.wavetable().Wave(2047)[255], (slot == 1 || slot == 3) ? 0x33 : kZeroLine)
        << slot;
  }
}

TEST(MainWindowPlaceTest, APlaceOffEveryScreenOpensAtTheDesignPlace) {
  TempHome home;
  {
    SettingsStore settings(SettingsFilePath());
    SettingsWriter writer = settings.OpenForWriting();
    MainWindowSettings stored;
    stored.left = 40000;
    stored.top = -30000;
    WriteMainWindowSettings(writer, stored);
    ASSERT_TRUE(writer.Close());
  }
  RecordingReporter reporter;
  ScriptedFileDialogs dialogs;
  AppContext app(std::make_unique<WavetableStore>(),
                 std::make_unique<SettingsStore>(SettingsFilePath()), reporter, dialogs);
  app.CreateWindows();
  EXPECT_EQ(app.main_window()->pos(), QPoint(238, 443));
}

}  // namespace
}  // namespace morvane
