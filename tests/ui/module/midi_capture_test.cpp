#include <QCheckBox>
#include <QElapsedTimer>
#include <algorithm>

#include "ui/controls/sample_tank.h"
#include "ui/controls/toggle_panel.h"
#include "ui/midi/midi_transport_window.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_fixture.h"
#include "ui/settings/options_dialog.h"
#include "ui/waveform/waveform_editor_window.h"

namespace morvane {
namespace {

class MidiCaptureTest : public ModuleControlFixture {
 protected:
  MidiCaptureTest() {
    editor_ = app_->waveform_editor();
    view_ = editor_->View();
  }

  // A message as the driver's thread hands it over.
  void Receive(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    ASSERT_NE(driver_.sink, nullptr);
    driver_.sink->OnShortMessage(0, status | data1 << 8 | data2 << 16);
  }
  void Play(int channel_index, std::uint8_t key) {
    Receive(static_cast<std::uint8_t>(0x90 | channel_index), key, 100);
    Receive(static_cast<std::uint8_t>(0x80 | channel_index), key, 64);
  }
  // Lets the window thread handle what was received, as its event loop does.
  void Settle() {
    QElapsedTimer timer;
    timer.start();
    do {
      QTest::qWait(5);
    } while (Input().GetEventCount() > 0 && timer.elapsed() < 2000);
    QTest::qWait(5);
  }
  MidiInput& Input() { return app_->midi_transport_window()->midi_input(); }
  void Record(bool on) {
    auto* rec = editor_->findChild<TogglePanel*>("pnlRec");
    ASSERT_NE(rec, nullptr);
    if (rec->On() != on) QTest::mouseClick(rec, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(editor_->Recording(), on);
  }
  void Select(int start, int length) {
    view_->SetSelectionPos(start);
    view_->SetSelectionLen(length);
    view_->SetLocatorPos(start);
  }
  std::uint8_t Sample(int index) { return editor_->WorkingCopy()[static_cast<std::size_t>(index)]; }

  WaveformEditorWindow* editor_ = nullptr;
  SampleTank* view_ = nullptr;
};

TEST_F(MidiCaptureTest, NotesReleasedOnTheModulesChannelStepThroughTheSelection) {
  Record(true);
  Select(10, 4);
  for (std::uint8_t key : {60, 61, 62, 63, 64}) Play(0, key);
  Play(5, 100);  // another channel: taken, nothing written
  Settle();
  EXPECT_EQ(Input().GetEventCount(), 0) << "every event is taken while recording";
  EXPECT_EQ(Sample(10), 128);  // the fifth note wrapped back to the start
  EXPECT_EQ(Sample(11), 122);
  EXPECT_EQ(Sample(12), 124);
  EXPECT_EQ(Sample(13), 126);
  EXPECT_EQ(Sample(14), 128);
  EXPECT_EQ(view_->LocatorPos(), 11);
  EXPECT_EQ(Knob("kvpotlab20")->State(), 1);
  EXPECT_EQ(editor_->findChild<ValueKnob*>("kvpotlab43")->State(), 11);
  EXPECT_TRUE(driver_.sent.empty());
}

TEST_F(MidiCaptureTest, TheBankControllerWritesItsValueAndTheCheckBoxesChooseWhatCounts) {
  Up(Knob("kvpotlab20"));        // channel 2
  Choose(List("ComboBox5"), 8);  // controller 7
  Record(true);
  Select(0, 0);  // no selection: every value after the first goes to the start
  Receive(0xB1, 7, 127);
  Receive(0xB1, 8, 50);  // another controller
  Receive(0x81, 30, 0);
  Settle();
  EXPECT_EQ(Sample(0), 60);
  EXPECT_EQ(view_->LocatorPos(), 0);

  QCheckBox* controllers = app_->options_dialog()->findChild<QCheckBox*>("CheckBox8");
  QCheckBox* notes = app_->options_dialog()->findChild<QCheckBox*>("CheckBox6");
  ASSERT_NE(controllers, nullptr);
  ASSERT_NE(notes, nullptr);
  controllers->setChecked(false);
  Receive(0xB1, 7, 10);
  Settle();
  EXPECT_EQ(Sample(0), 60);
  controllers->setChecked(true);
  notes->setChecked(false);
  Receive(0x81, 30, 0);
  Receive(0xB1, 7, 127);
  Settle();
  EXPECT_EQ(Sample(0), 254);
}

TEST_F(MidiCaptureTest, WhileNotRecordingNothingIsWrittenAndTheEventsStayQueued) {
  Record(false);
  Select(10, 4);
  for (std::uint8_t key : {60, 61}) Play(0, key);
  QTest::qWait(50);
  EXPECT_EQ(Input().GetEventCount(), 4);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(Sample(i), 128) << i;
  EXPECT_EQ(view_->LocatorPos(), 10);
}

// A keyboard played while not recording fills the input queue: one overflow line however long
// it goes on, and a recording started afterwards writes every note played for it, not the old ones.
TEST_F(MidiCaptureTest, AfterAnOverflowARecordingWritesOnlyTheNotesPlayedForIt) {
  Record(false);
  Select(0, 256);
  for (int i = 0; i < 2100; ++i) Play(0, 10);  // 4200 events, 104 of them dropped
  Settle();
  EXPECT_EQ(Input().GetEventCount(), 4096);
  const auto overflow_lines = [&] {
    const std::vector<std::string> lines = app_->midi_log().Lines();
    return std::count(lines.begin(), lines.end(), "MIDI Overflow !!!  ");
  };
  EXPECT_EQ(overflow_lines(), 1);

  Record(true);
  for (std::uint8_t key : {60, 61, 62}) Play(0, key);
  Settle();
  EXPECT_EQ(Input().GetEventCount(), 0);
  EXPECT_EQ(Sample(0), 120);
  EXPECT_EQ(Sample(1), 122);
  EXPECT_EQ(Sample(2), 124);
  EXPECT_EQ(Sample(3), 128) << "nothing queued before REC was written";
  EXPECT_EQ(view_->LocatorPos(), 3);
  EXPECT_EQ(overflow_lines(), 1);
}

}  // namespace
}  // namespace morvane
