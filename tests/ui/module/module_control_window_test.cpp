#include "ui/module/module_control_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

#include "ui/controls/control_test_support.h"
#include "ui/midi/midi_transport_window.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_fixture.h"
#include "ui/shell/about_box.h"
#include "ui/shell/color_value.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

using ModuleControlWindowTest = ModuleControlFixture;

TEST_F(ModuleControlWindowTest, AFirstStartShowsEveryControlAtItsInitialValue) {
  EXPECT_EQ(window_->objectName(), "Form8");
  EXPECT_EQ(window_->windowTitle(), "Control Modules");
  struct KnobCase {
    const char* name;
    const char* hint;
    int min, max, initial;
    const char* text;
  };
  for (const KnobCase& c : {
           KnobCase{"kvpotlab20", "MIDI Channel", 1, 16, 1, "1"},
           KnobCase{"kvpotlab21", "Gate /Trigger Duration", 0, 255, 12, "12"},
           KnobCase{"kvpotlab36", "Bank Pot Range", 0, 4, 4, "32"},
           KnobCase{"kvpotlab37", "Wave Pot Range  ", 0, 5, 5, "64"},
           KnobCase{"kvpotlab38", "", 0, 1, 0, "OFF"},
           KnobCase{"kvpotlab33", "Retrigg GATE for each MIDI notes", 0, 1, 0, "OFF"},
           KnobCase{"kvpotlab22", "Lowest MIDI keyboard note #", 0, 127, 24, "24"},
           KnobCase{"kvpotlab23", "Counter Reset Value", 1, 255, 16, "16"},
           KnobCase{"kvpotlab1", "MIDI Clock Divider", 0, 255, 24, "24"},
           KnobCase{"kvpotlab24", "Internal 8 Bits Counter Reset Value", 1, 255, 16, "16"},
           KnobCase{"kvpotlab41", "Sample Player Mode", 0, 1, 0, "OFF"},
           KnobCase{"kvpotlab39", "Map Samples to MIDI notes", 0, 1, 0, "OFF"},
       }) {
    ValueKnob* knob = Knob(c.name);
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->toolTip(), c.hint) << c.name;
    EXPECT_EQ(knob->Min(), c.min) << c.name;
    EXPECT_EQ(knob->Max(), c.max) << c.name;
    EXPECT_EQ(knob->State(), c.initial) << c.name;
    EXPECT_EQ(knob->text(), c.text) << c.name;
  }
  struct ListCase {
    const char* name;
    const char* hint;
    int count;
    const char* first;
    const char* last;
    const char* shown;
  };
  for (const ListCase& c : {
           ListCase{"ComboBox5", "MIDI CC assigned to the Bank Selector", 129, "----- none-------",
                    "Poly Operation", "----- none-------"},
           ListCase{"ComboBox4", "MIDI CC assigned to the Wave Selector", 129, "----- none-------",
                    "Poly Operation", "----- none-------"},
           ListCase{"ComboBox2", "BPM Presets", 7, "  1 Bpm ", " Div by N ", "  4 Bpm "},
           ListCase{"ComboBox3", "Assign MIDI Clock Counter to ...", 5, " Disabled   ", " Gate ",
                    " Disabled   "},
           ListCase{"ComboBox6", "Assign GATE IN to ...", 4, " Disabled   ", " Sample ",
                    " Disabled   "},
           ListCase{"ComboBox7", "Sample Map", 6, " 32 x 16k ", "  1 x 512k ", " 32 x 16k "},
       }) {
    QComboBox* list = List(c.name);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->toolTip(), c.hint) << c.name;
    EXPECT_EQ(list->count(), c.count) << c.name;
    EXPECT_EQ(list->itemText(0), c.first) << c.name;
    EXPECT_EQ(list->itemText(list->count() - 1), c.last) << c.name;
    EXPECT_EQ(list->currentText(), c.shown) << c.name;
  }
  EXPECT_FALSE(List("ComboBox7")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("PanelPlayer")->isHidden());
  EXPECT_FALSE(Find<QWidget>("PanelReset")->isHidden());
  auto* zero_cross = Find<QCheckBox>("CheckBox1");
  EXPECT_EQ(zero_cross->text(), "ZX Detector");
  EXPECT_FALSE(zero_cross->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("cbAdressZero")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("cbHandshakeTx")->isChecked());
  EXPECT_EQ(Find<QCheckBox>("cbHandshakeTx")->toolTip(),
            "Active MIDI handshake transmissions - Require 2 MIDI wires  (IN and OUT )");
  EXPECT_EQ(Find<QLabel>("lbFirmware")->text(), "00");
  for (int slot = 1; slot <= ModuleControlWindow::kSlotCount; ++slot) {
    QToolButton* button = window_->SlotButton(slot);
    EXPECT_EQ(button->text(), QString::number(slot));
    EXPECT_EQ(button->toolTip(), "Morvane-8 Selectors ");
    EXPECT_TRUE(button->font().bold());
    EXPECT_FALSE(button->isVisible()) << slot;
  }
  EXPECT_EQ(Find<QToolButton>("spdLoadParametreMRV8")->toolTip(), "Load Parameters File ");
  EXPECT_EQ(Find<QToolButton>("spdTXParametreMRV8")->toolTip(), "Send Parameters to MIDI");
  EXPECT_EQ(window_->MenuAction("SaveasSysex1")->shortcut(), QKeySequence("Ctrl+Y"));
  EXPECT_EQ(window_->MenuAction("LogScreen1")->shortcut(), QKeySequence("F4"));
  EXPECT_TRUE(window_->MenuAction("LogScreen1")->isChecked());
  EXPECT_FALSE(window_->MenuAction("WaveformRTDisplay1")->isChecked());

  MidiLogPane& log = window_->Log();
  EXPECT_EQ(log.objectName(), "Memo1");
  EXPECT_EQ(log.font().family(), "Helvetica");
  EXPECT_EQ(log.font().pointSize(), 8);
  EXPECT_EQ(log.LineColor(), 0x00FFFF00u);  // aqua
  EXPECT_EQ(log.BackColor(), 0x00800000u);  // navy
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                             "MORVANE-8 MIDI Editor V2.3", AboutBox::CreditLine().toStdString(),
                             "-----------------------------", " > Devices:", ""}));
  EXPECT_TRUE(driver_.sent.empty());
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(ModuleControlWindowTest, EachKnobSendsItsCommandOnTheChannelShownAndWritesItsImageByte) {
  ValueKnob* channel = Knob("kvpotlab20");
  Up(channel);
  Up(channel);
  EXPECT_EQ(channel->State(), 3);
  EXPECT_TRUE(driver_.sent.empty()) << "the channel itself sends nothing";
  EXPECT_EQ(ImageByte(0, 0), 2);

  struct Case {
    const char* name;
    bool up;
    int command;
    int value;  // what travels
    int byte;
    int stored;  // what the image keeps
  };
  for (const Case& c : {
           Case{"kvpotlab21", true, 11, 13, 4, 13},
           Case{"kvpotlab36", false, 9, 0xF0, 7, 3},
           Case{"kvpotlab37", false, 10, 0xF8, 8, 4},
           Case{"kvpotlab22", true, 3, 25, 3, 25},
           Case{"kvpotlab23", true, 13, 17, 5, 17},
           Case{"kvpotlab24", true, 14, 17, 6, 17},
           Case{"kvpotlab1", true, 12, 25, 9, 25},
       }) {
    driver_.sent.clear();
    c.up ? Up(Knob(c.name)) : Down(Knob(c.name));
    EXPECT_EQ(driver_.sent, std::vector<Bytes>{CommandBytes(2, c.command, c.value)}) << c.name;
    EXPECT_EQ(ImageByte(0, c.byte), c.stored) << c.name;
  }
  EXPECT_EQ(Knob("kvpotlab36")->text(), "16");
  EXPECT_EQ(Knob("kvpotlab37")->text(), "32");
  EXPECT_EQ(List("ComboBox2")->currentText(), " Div by N ") << "divider 25";
  driver_.sent.clear();
  Down(Knob("kvpotlab1"));
  EXPECT_EQ(List("ComboBox2")->currentText(), "  4 Bpm ") << "divider 24";

  // Note Ref 127 travels and is kept as 7F.
  for (int i = 0; i < 110; ++i) Up(Knob("kvpotlab22"));
  EXPECT_EQ(ImageByte(0, 3), 127);

  driver_.sent.clear();
  Choose(List("ComboBox5"), 33);  // controller 32
  Choose(List("ComboBox4"), 0);   // none
  EXPECT_EQ(driver_.sent, (std::vector<Bytes>{CommandBytes(2, 2, 32), CommandBytes(2, 1, 255)}));
  EXPECT_EQ(ImageByte(0, 2), 32);
  EXPECT_EQ(ImageByte(0, 1), 255);
  EXPECT_EQ(window_->BankController(), 32);
  EXPECT_EQ(window_->WaveController(), 255);

  driver_.sent.clear();
  QTest::mouseClick(Find<QCheckBox>("CheckBox1"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(driver_.sent, std::vector<Bytes>{CommandBytes(2, 5, 0x28)});
  driver_.sent.clear();
  QTest::mouseClick(Find<QCheckBox>("cbHandshakeTx"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(driver_.sent, std::vector<Bytes>{CommandBytes(2, 7, 0x02)});
  EXPECT_EQ(ImageByte(0, 15), 0x02);
  EXPECT_FALSE(window_->HandshakeOn());
}

TEST_F(ModuleControlWindowTest, ListsAndSwitchesFollowTheirRules) {
  // " 32 Bpm " gives the divider 3.
  Choose(List("ComboBox2"), 5);
  EXPECT_EQ(Knob("kvpotlab1")->State(), 3);
  EXPECT_EQ(driver_.sent, std::vector<Bytes>{CommandBytes(0, 12, 3)});
  EXPECT_EQ(ImageByte(0, 9), 3);

  // A gate input other than " Sample " sends Config1, then turns "Player Mode" off and sends
  // Config2, even when it was off.
  driver_.sent.clear();
  Choose(List("ComboBox6"), 1);
  EXPECT_EQ(driver_.sent, (std::vector<Bytes>{CommandBytes(0, 6, 0x20), CommandBytes(0, 15, 0)}));

  // " Sample " shows the player panel; "Player Mode" ON hides the reset panel.
  driver_.sent.clear();
  Choose(List("ComboBox6"), 3);
  EXPECT_EQ(SentCommands(), std::vector<int>{6});
  EXPECT_FALSE(Find<QWidget>("PanelPlayer")->isHidden());
  Up(Knob("kvpotlab41"));
  EXPECT_EQ(Knob("kvpotlab41")->text(), "ON");
  EXPECT_TRUE(List("ComboBox7")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("PanelReset")->isHidden());
  Choose(List("ComboBox7"), 5);
  Up(Knob("kvpotlab39"));
  EXPECT_EQ(driver_.sent, (std::vector<Bytes>{CommandBytes(0, 15, 0x02), CommandBytes(0, 15, 0xFA),
                                              CommandBytes(0, 15, 0xFE)}));
  EXPECT_EQ(ImageByte(0, 11), 0xFE);

  // The switch colours: "Player Mode" yellow on red, "MIDI Notes " lime on teal, OFF aqua on black.
  EXPECT_EQ(Knob("kvpotlab41")->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(Knob("kvpotlab41")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
  EXPECT_EQ(Knob("kvpotlab39")->palette().color(QPalette::Window), QColor(0, 128, 128));
  EXPECT_EQ(Knob("kvpotlab38")->palette().color(QPalette::Window), QColor(0, 0, 0));
  EXPECT_EQ(Knob("kvpotlab38")->palette().color(QPalette::WindowText), QColor(0, 255, 255));
  EXPECT_EQ(Find<QWidget>("kvpotlab41Panel")->palette().color(QPalette::Window), QColor(255, 0, 0));

  // " Gate " for the clock counter disables the gate list and sets it to " Disabled   ".
  driver_.sent.clear();
  Choose(List("ComboBox3"), 4);
  EXPECT_FALSE(List("ComboBox6")->isEnabled());
  EXPECT_EQ(List("ComboBox6")->currentText(), " Disabled   ");
  EXPECT_EQ(driver_.sent, std::vector<Bytes>{CommandBytes(0, 6, 0x01)});
  EXPECT_EQ(ImageByte(0, 10), 0x01);

  // "MIDI 2 CV Mode" ON sends 80 whatever the lists showed, and disables both lists.
  driver_.sent.clear();
  Up(Knob("kvpotlab38"));
  EXPECT_EQ(driver_.sent, std::vector<Bytes>{CommandBytes(0, 6, 0x80)});
  EXPECT_FALSE(List("ComboBox3")->isEnabled());
  EXPECT_EQ(List("ComboBox3")->currentText(), " Disabled   ");
  driver_.sent.clear();
  Down(Knob("kvpotlab38"));
  EXPECT_TRUE(List("ComboBox3")->isEnabled());
  EXPECT_TRUE(List("ComboBox6")->isEnabled());
  EXPECT_EQ(driver_.sent, std::vector<Bytes>{CommandBytes(0, 6, 0x00)});
}

TEST_F(ModuleControlWindowTest, ModePresetsSendTheirCommandsInOrder) {
  struct Case {
    const char* entry;
    std::vector<Bytes> sent;
    const char* gate;
    const char* counter;
  };
  const std::vector<Bytes> quantizer = {CommandBytes(0, 6, 0), CommandBytes(0, 15, 0),
                                        CommandBytes(0, 6, 0)};
  for (const Case& c : {
           Case{"CVQuantizer1", quantizer, " Disabled   ", " Disabled   "},
           Case{"WavetableOsc1", quantizer, " Disabled   ", " Disabled   "},
           Case{"Sequencer256GateReset1",
                {CommandBytes(0, 6, 0x40), CommandBytes(0, 15, 0), CommandBytes(0, 6, 0x40)},
                " Sample ",
                " Disabled   "},
           Case{"Sequencer256MIDIclock1",
                {CommandBytes(0, 6, 0x01), CommandBytes(0, 15, 0), CommandBytes(0, 6, 0x01)},
                " Disabled   ",
                " Gate "},
           Case{"SamplePlayer1",
                {CommandBytes(0, 6, 0x40), CommandBytes(0, 15, 0x02), CommandBytes(0, 6, 0x40)},
                " Sample ",
                " Disabled   "},
           // The lists are set after the first command: it still carries the former ones.
           Case{"SamplePlayerMIDIMap1",
                {CommandBytes(0, 6, 0x40), CommandBytes(0, 15, 0x06), CommandBytes(0, 6, 0x40)},
                " Sample ",
                " Disabled   "},
           Case{"MIDItoCVGate1", {CommandBytes(0, 6, 0x80)}, " Disabled   ", " Disabled   "},
       }) {
    driver_.sent.clear();
    Trigger(c.entry);
    EXPECT_EQ(driver_.sent, c.sent) << c.entry;
    EXPECT_EQ(List("ComboBox6")->currentText(), c.gate) << c.entry;
    EXPECT_EQ(List("ComboBox3")->currentText(), c.counter) << c.entry;
  }
  EXPECT_EQ(Knob("kvpotlab38")->text(), "ON");
}

TEST_F(ModuleControlWindowTest, SendToMidiSendsElevenOrTwelveCommandsWithAWaitAfterEach) {
  const auto send_with_firmware = [this](int firmware) {
    ParameterImage image = app_->parameters().Image(0);
    image = StoreImage(window_->CurrentControls(), image);
    image[kImageFirmware] = static_cast<std::uint8_t>(firmware);
    image[kImageFlags] = 0x03;
    app_->parameters().SetImage(0, image);
    window_->ApplyImage(0);
    driver_.sent.clear();
    waiter_.waits.clear();
    Trigger("SendtoMIDI1");
    return SentCommands();
  };
  EXPECT_EQ(send_with_firmware(46), (std::vector<int>{1, 2, 3, 9, 10, 13, 14, 11, 12, 15, 6}));
  EXPECT_EQ(waiter_.waits, std::vector<int>(11, 50));
  EXPECT_EQ(send_with_firmware(47), (std::vector<int>{1, 2, 3, 9, 10, 13, 14, 11, 12, 15, 6, 7}));
  EXPECT_EQ(window_->Log().Lines().back(), " > Send Parameters Chan 1");
}

TEST_F(ModuleControlWindowTest, SlotButtonsSelectTheirImageAndShowItsCaptionInYellow) {
  ParameterImage image{};
  image[kImageChannel] = 8;
  image[kImageTrigger] = 99;
  image[kImageDivider] = 48;
  image[kImageFirmware] = 47;
  image[kImageFlags] = 0x03;  // as the boxes are now: nothing to send
  app_->parameters().SetImage(2, image);
  window_->ShowSlotButton(2, true);
  window_->ShowSlotButton(3, true);
  EXPECT_EQ(window_->SelectedModule(), 0) << "none pressed yet";

  QApplication::processEvents();  // the toolbar lays its buttons out anew
  QToolButton* third = window_->SlotButton(3);
  ASSERT_TRUE(third->isVisible());
  EXPECT_FALSE(window_->SlotButton(4)->isVisible());
  QTest::mouseClick(third, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(driver_.sent.empty());
  EXPECT_EQ(window_->SelectedModule(), 2);
  EXPECT_EQ(Knob("kvpotlab20")->State(), 9);
  EXPECT_EQ(Knob("kvpotlab21")->State(), 99);
  EXPECT_EQ(List("ComboBox2")->currentText(), "  2 Bpm ");
  EXPECT_EQ(Find<QLabel>("lbFirmware")->text(), "47");
  EXPECT_EQ(third->palette().color(QPalette::ButtonText), QColor(Qt::yellow));
  EXPECT_EQ(window_->SlotButton(2)->palette().color(QPalette::ButtonText), QColor(Qt::black));
  EXPECT_FALSE(third->autoRaise());
  EXPECT_TRUE(window_->SlotButton(2)->autoRaise());

  // Changes go into the selected image now; once its button is hidden, into image 0 again.
  Up(Knob("kvpotlab21"));
  EXPECT_EQ(ImageByte(2, kImageTrigger), 100);
  window_->ShowSlotButton(3, false);
  Up(Knob("kvpotlab21"));
  EXPECT_EQ(ImageByte(0, kImageTrigger), 101);
  EXPECT_EQ(ImageByte(2, kImageTrigger), 100);

  // A module without flags leaves both boxes disabled and unchecked, which they send.
  image[kImageFirmware] = 45;
  app_->parameters().SetImage(1, image);
  driver_.sent.clear();
  window_->PressSlot(2);
  EXPECT_FALSE(Find<QCheckBox>("cbHandshakeTx")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("cbHandshakeTx")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("cbAdressZero")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("cbAdressZero")->isChecked());
  EXPECT_EQ(driver_.sent, (std::vector<Bytes>{CommandBytes(8, 7, 0x02), CommandBytes(8, 7, 0x00)}));
}

TEST_F(ModuleControlWindowTest, AParameterReplySetsTheControlsButNotTheChannel) {
  ParameterReplyFields fields;
  fields.channel_index = 6;
  fields.firmware_revision = 47;
  fields.note_ref = 36;
  fields.wave_controller = 255;
  fields.bank_controller = 4;
  fields.bank_range_mask = 0xC0;
  fields.wave_range_mask = 0x33;  // no mask: index 0
  fields.config1 = 0x14;          // counter to the wave, gate input to the wave
  fields.config2 = 0x7D;
  fields.clock_divider = 6;
  fields.gate_time = 200;
  fields.clock_counter_reset = 32;
  fields.internal_counter_reset = 1;
  fields.flags = 0x01;
  const auto message = BuildParameterReply(fields);
  const std::optional<ParameterReply> reply = DecodeParameterReply(message);
  ASSERT_TRUE(reply.has_value());
  window_->ApplyParameterReply(*reply);
  EXPECT_EQ(window_->Channel(), 1);
  EXPECT_EQ(Knob("kvpotlab22")->State(), 36);
  EXPECT_EQ(window_->WaveController(), 255);
  EXPECT_EQ(window_->BankController(), 4);
  EXPECT_EQ(Knob("kvpotlab36")->text(), "4");
  EXPECT_EQ(Knob("kvpotlab37")->text(), "2");
  EXPECT_EQ(List("ComboBox3")->currentText(), " Wave ");
  EXPECT_EQ(List("ComboBox6")->currentText(), " Wave ");
  EXPECT_EQ(List("ComboBox2")->currentText(), " 16 Bpm ");
  EXPECT_EQ(Knob("kvpotlab21")->State(), 200);
  EXPECT_EQ(Knob("kvpotlab23")->State(), 32);
  EXPECT_EQ(Knob("kvpotlab24")->State(), 1);
  EXPECT_EQ(List("ComboBox7")->currentText(), "  2 x 256k ");
  EXPECT_EQ(Knob("kvpotlab33")->text(), "ON");
  EXPECT_EQ(Find<QLabel>("lbFirmware")->text(), "47");
  EXPECT_TRUE(window_->HandshakeOn());
  EXPECT_EQ(driver_.sent, std::vector<Bytes>{CommandBytes(0, 7, 0x01)}) << "recall went off";

  // MIDI-to-CV mode leaves both lists disabled; an old firmware disables the boxes as they are.
  fields.config1 = 0x80;
  fields.firmware_revision = 45;
  window_->ApplyParameterReply(*DecodeParameterReply(BuildParameterReply(fields)));
  EXPECT_EQ(Knob("kvpotlab38")->text(), "ON");
  EXPECT_FALSE(List("ComboBox3")->isEnabled());
  EXPECT_FALSE(List("ComboBox6")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("cbHandshakeTx")->isEnabled());
  EXPECT_FALSE(window_->HandshakeOn());
  EXPECT_TRUE(Find<QCheckBox>("cbHandshakeTx")->isChecked());
}

TEST_F(ModuleControlWindowTest, StoreThenApplyGivesEveryControlBack) {
  Up(Knob("kvpotlab20"));
  Choose(List("ComboBox5"), 1);
  Choose(List("ComboBox4"), 2);
  Choose(List("ComboBox6"), 3);
  Up(Knob("kvpotlab41"));
  Choose(List("ComboBox7"), 4);
  Up(Knob("kvpotlab33"));
  Down(Knob("kvpotlab36"));
  Choose(List("ComboBox2"), 6);
  const ModuleControls before = window_->CurrentControls();
  window_->StoreImage(4);
  Trigger("MIDItoCVGate1");
  Down(Knob("kvpotlab20"));
  window_->ApplyImage(4);
  const ModuleControls after = window_->CurrentControls();
  const ParameterImage stored_before = StoreImage(before, {});
  const ParameterImage stored_after = StoreImage(after, {});
  EXPECT_TRUE(std::equal(stored_before.begin(), stored_before.begin() + 12, stored_after.begin()));
  // No module was ever read (firmware 00): the boxes end disabled and unchecked.
  EXPECT_FALSE(Find<QCheckBox>("cbHandshakeTx")->isEnabled());
  EXPECT_FALSE(after.handshake || after.flash_recall);
  EXPECT_EQ(after.gate, GateInputAssignment::kSample);
  EXPECT_TRUE(after.player_mode);
  EXPECT_TRUE(Find<QWidget>("PanelReset")->isHidden());
}

TEST_F(ModuleControlWindowTest, WithNoOutputOpenAKnobDragReportsThePortErrorOnce) {
  app_->midi_transport_window()->CloseMidiPorts();
  ValueKnob* trigger = Knob("kvpotlab21");
  const QPoint start(trigger->width() / 2, trigger->height() / 2);
  QTest::mousePress(trigger, Qt::LeftButton, {}, start);
  for (int step = 1; step <= 10; ++step) {
    testing::MoveWithButtons(trigger, start - QPoint(0, step * 4), Qt::LeftButton);
  }
  QTest::mouseRelease(trigger, Qt::LeftButton, {}, start - QPoint(0, 40));
  EXPECT_GT(trigger->State(), 14) << "the knob keeps its new value";
  EXPECT_EQ(ImageByte(0, kImageTrigger), trigger->State());
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].second, "MIDI Output device not open");
  // The next action hears of it again.
  Up(trigger);
  EXPECT_EQ(reporter_.messages.size(), 2u);
  waiter_.waits.clear();
  Trigger("SendtoMIDI1");
  EXPECT_EQ(reporter_.messages.size(), 3u) << "one box for the whole send";
  EXPECT_TRUE(waiter_.waits.empty()) << "the send ends at its first error";
}

TEST_F(ModuleControlWindowTest, TheLogPaneClearsShowsAndHidesAndLogErrorReopensThePorts) {
  MidiLogPane& log = window_->Log();
  const std::size_t outputs_opened = driver_.opened_outputs.size();
  window_->LogError(" > ERROR - Time Out !!! ");
  EXPECT_EQ(log.Lines().back(), "");
  EXPECT_EQ(log.Lines()[log.Lines().size() - 2], " > ERROR - Time Out !!! ");
  EXPECT_EQ(driver_.opened_outputs.size(), outputs_opened + 1);
  EXPECT_EQ(app_->midi_transport_window()->midi_output().State(), MidiOutputState::kOpen);

  QTest::mouseDClick(log.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(log.Lines().empty());
  log.AddLine("a line");
  Trigger("ClearLog1");
  EXPECT_TRUE(log.Lines().empty());

  Trigger("LogScreen1");
  EXPECT_FALSE(log.isVisible());
  EXPECT_FALSE(window_->MenuAction("LogScreen1")->isChecked());
  EXPECT_LT(window_->height(), ModuleControlWindow::kHeightWithLog);
  Trigger("LogScreen1");
  EXPECT_TRUE(log.isVisible());
  EXPECT_TRUE(window_->MenuAction("LogScreen1")->isChecked());
  EXPECT_EQ(window_->height(), ModuleControlWindow::kHeightWithLog);

  // The About command leaves its three lines, whatever was there.
  log.AddLine("older");
  app_->main_window()->MenuAction("mnuAbout")->trigger();
  EXPECT_EQ(log.Lines().size(), 3u);
  EXPECT_EQ(log.Lines()[0], "MORVANE-8 MIDI Editor");
}

TEST_F(ModuleControlWindowTest, TheMainWindowsEntryShowsAndHidesItWithItsCheckMark) {
  QAction* entry = app_->main_window()->MenuAction("mnuModuleControl");
  ASSERT_TRUE(entry->isEnabled());
  window_->close();
  EXPECT_FALSE(entry->isChecked());
  entry->trigger();
  EXPECT_TRUE(entry->isChecked());
  EXPECT_TRUE(window_->isVisible());
  entry->trigger();
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(ModuleControlWindowTest, WithSendControllersTheEditorsWaveformIsSelectedOnTheModule) {
  Up(Knob("kvpotlab20"));         // channel 2
  Choose(List("ComboBox5"), 1);   // bank: controller 0
  Choose(List("ComboBox4"), 33);  // wave: controller 32
  WaveformEditorWindow* editor = app_->waveform_editor();
  driver_.sent.clear();
  QTest::mouseClick(editor->BankSelector(), Qt::RightButton, {}, QPoint(3, 3));
  EXPECT_TRUE(driver_.sent.empty()) << "not while the option is off";
  Trigger("SendMIDIControlers1");
  QTest::mouseClick(editor->WaveSelector(), Qt::RightButton, {}, QPoint(3, 3));
  EXPECT_EQ(driver_.sent, (std::vector<Bytes>{{0xB1, 0, 1}, {0xB1, 32, 1}}));
}

TEST_F(ModuleControlWindowTest, SettingsComeBackAtTheNextStart) {
  Up(Knob("kvpotlab20"));
  Choose(List("ComboBox5"), 10);
  Choose(List("ComboBox6"), 3);
  Up(Knob("kvpotlab39"));
  Down(Knob("kvpotlab37"));
  Trigger("SendMIDIControlers1");
  Trigger("LogScreen1");
  window_->Log().SetColors(0x00112233, 0x00445566);
  const ModuleControls before = window_->CurrentControls();
  app_->main_window()->close();  // every window writes its values
  Create();
  const ModuleControls after = window_->CurrentControls();
  EXPECT_EQ(StoreImage(after, {}), StoreImage(before, {}));
  EXPECT_TRUE(window_->SendControllersChecked());
  EXPECT_FALSE(window_->SendBufferChecked());
  EXPECT_FALSE(window_->MenuAction("LogScreen1")->isChecked());
  EXPECT_EQ(window_->Log().LineColor(), 0x00112233u);
  EXPECT_EQ(window_->Log().BackColor(), 0x00445566u);
  EXPECT_TRUE(driver_.sent.empty()) << "reading the settings sends nothing";
  EXPECT_TRUE(reporter_.messages.empty());
}

}  // namespace
}  // namespace morvane
