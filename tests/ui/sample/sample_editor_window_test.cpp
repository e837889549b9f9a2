#include "ui/sample/sample_editor_window.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "platform/audio/audio_device_list.h"
#include "platform/audio/wave_player.h"
#include "platform/midi/event_fd_notifier.h"
#include "platform/user_folders.h"
#include "platform/wavefile/wave_conversion.h"
#include "support/fake_audio_devices.h"
#include "support/recording_reporter.h"
#include "support/scripted_color_dialogs.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "support/virtual_waiter.h"
#include "ui/controls/control_test_support.h"
#include "ui/controls/sample_edit.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/settings/options_color_swatch.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
constexpr double kPi = 3.14159265358979323846;

// An audio output the test drives: it keeps what it was asked to play and reports the news the
// test posts, through the same descriptor a real output wakes.
class ScriptedWavePlayer : public WavePlayer {
 public:
  void Start(std::span<const std::uint8_t> wave, int rate, int device) override {
    if (failure) throw AudioDeviceError(*failure);
    played.emplace_back(wave.begin(), wave.end());
    rates.push_back(rate);
    devices.push_back(device);
    playing = true;
  }
  void Stop() override {
    ++stops;
    playing = false;
  }
  void SetLooping(bool on) override { looping = on; }
  bool Playing() const override { return playing; }
  int NotifyFd() const override { return notifier_.fd(); }
  PlayerNews TakeNews() override {
    notifier_.Drain();
    return std::exchange(pending_, {});
  }
  void PostPosition(std::int64_t position, bool stopped = false) {
    PlayerNews news;
    news.position = position;
    news.stopped = stopped;
    Post(news);
  }
  void Post(const PlayerNews& news) {
    pending_ = news;
    notifier_.Wake();
  }

  std::vector<std::vector<std::uint8_t>> played;
  std::vector<int> rates;
  std::vector<int> devices;
  std::optional<std::string> failure;
  bool playing = false;
  bool looping = false;
  int stops = 0;

 private:
  EventFdNotifier notifier_;
  PlayerNews pending_;
};

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, std::size_t count, int modulo) {
  std::ofstream out(file, std::ios::binary);
  for (std::size_t i = 0; i < count; ++i) out.put(static_cast<char>(i % modulo));
}

void WriteStereoTone(const fs::path& file, int rate, double seconds) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
  const auto frames = static_cast<std::size_t>(rate * seconds);
  std::vector<float> samples(frames * 2);
  for (std::size_t f = 0; f < frames; ++f) {
    samples[2 * f] = samples[2 * f + 1] =
        static_cast<float>(0.8 * std::sin(2.0 * kPi * 220.0 * f / rate) *
                           std::exp(-2.0 * static_cast<double>(f) / rate));
  }
  sf_writef_float(out, samples.data(), static_cast<sf_count_t>(frames));
  sf_close(out);
}

AppServices TestServices(ScriptedColorDialogs& colors, FakeAudioDevices& audio,
                         VirtualWaiter& waiter, WavePlayer* player) {
  AppServices services;
  services.color_dialogs = &colors;
  services.audio_devices = &audio;
  services.waiter = &waiter;
  services.wave_player = player;
  return services;
}

class SampleEditorWindowTest : public ::testing::Test {
 protected:
  SampleEditorWindowTest() {
    app_.CreateWindows();
    window_ = app_.sample_editor();
    window_->resize(900, 400);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_));
    UseTempFolder(home_.root() / "temp");
  }

  // Chooses the temp folder in the options dialog as a user does.
  void UseTempFolder(const fs::path& folder) {
    fs::create_directories(folder);
    dialogs_.answers = {QString::fromStdString((folder / "any.bin").string())};
    app_.options_dialog()->findChild<QAbstractButton*>("btnTempPath")->click();
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = window_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  ValueKnob* Knob(const char* name) { return Find<ValueKnob>(name); }
  SampleEdit* View() { return window_->View(); }
  QString Label(const char* name) { return Find<QLabel>(name)->text(); }
  void Trigger(const char* entry) {
    QAction* action = window_->MenuAction(entry);
    ASSERT_NE(action, nullptr) << entry;
    action->trigger();
  }
  void TurnKnob(ValueKnob* knob, int v) { testing::TurnKnob(knob, v); }
  void Load(const fs::path& file) {
    dialogs_.answers = {QString::fromStdString(file.string())};
    Trigger("mnuLoad");
  }
  void Save(const fs::path& file, int filter) {
    dialogs_.answers = {QString::fromStdString(file.string())};
    dialogs_.chosen_filter = filter;
    Trigger("mnuSave");
    dialogs_.chosen_filter = 0;
  }
  fs::path Data(const char* name) const { return home_.root() / name; }
  void Grab(const char* name) {
    const fs::path folder = fs::path(MORVANE_TEST_DATA).parent_path().parent_path() / "build";
    window_->grab().save(QString::fromStdString((folder / name).string()));
  }

  TempHome home_;
  RecordingReporter reporter_;
  ScriptedFileDialogs dialogs_;
  ScriptedColorDialogs colors_;
  FakeAudioDevices audio_;
  VirtualWaiter waiter_;
  ScriptedWavePlayer player_;
  AppContext app_{std::make_unique<WavetableStore>(),
                  std::make_unique<SettingsStore>(SettingsFilePath()), reporter_, dialogs_,
                  TestServices(colors_, audio_, waiter_, &player_)};
  SampleEditorWindow* window_ = nullptr;
};

TEST_F(SampleEditorWindowTest, StartsAsTheSampleEditorWithItsControls) {
  EXPECT_EQ(window_->windowTitle(), "8 Bits Sample Editor");
  EXPECT_EQ(window_->objectName(), "Form16");
  EXPECT_EQ(Knob("kvpotlab7")->toolTip(), "Sample Size");
  EXPECT_EQ(Knob("kvpotlab1")->toolTip(), "Zoom Factor ");
  EXPECT_EQ(Knob("kvpotlab10")->Min(), -255);
  EXPECT_EQ(Label("Label12"), "...");
  EXPECT_FALSE(Find<QToolButton>("btnPlay")->isEnabled());
  EXPECT_EQ(Find<QToolButton>("btnLoop")->toolTip(), "Loop /One shot play ");
  EXPECT_EQ(View()->Max(), kSampleCapacity);
  EXPECT_TRUE(View()->SpectrumCenter());
  EXPECT_EQ(View()->GradientNbOfColors(), 254);
  EXPECT_EQ(window_->MenuAction("mnuLoop")->text(), "Loop            ");
  EXPECT_EQ(window_->MenuAction("mnuPlay")->shortcut(), QKeySequence(Qt::Key_Space));
  EXPECT_EQ(window_->MenuAction("mnuLinToULaw")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
  EXPECT_FALSE(window_->MenuAction("mnuUndo")->isEnabled());
}

TEST_F(SampleEditorWindowTest, TheOptionsWaveColoursReachTheView) {
  const EditorLook look = app_.options_dialog()->Look(kWaveView);
  EXPECT_EQ(View()->Color(), look.colors[kEditorBack]);
  EXPECT_EQ(View()->LineColor(), look.colors[kEditorLines]);
  EXPECT_EQ(View()->Axes2Color(), look.colors[kEditorMinMax]);
  EXPECT_EQ(View()->SelectionColor(), look.colors[kEditorSelection]);
  colors_.answers = {0x00112233u, 0x00445566u};
  for (const char* swatch : {"pnlColorLine", "pnlColorWaveMinmax"}) {
    auto* target = app_.options_dialog()->findChild<ColorSwatch*>(swatch);
    ASSERT_NE(target, nullptr) << swatch;
    QTest::mouseClick(target, Qt::LeftButton, {},
                      QPoint(target->width() / 2, target->height() / 2));
  }
  EXPECT_EQ(View()->LineColor(), 0x00112233u);
  EXPECT_EQ(View()->Axes2Color(), 0x00445566u);
}

TEST_F(SampleEditorWindowTest, RawLoadFitsTheSampleAndShowsItsSize) {
  WriteBytes(Data("hundred.bin"), 100000, 251);
  Load(Data("hundred.bin"));
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(View()->GetSampleSize(), 100000);
  EXPECT_EQ(Knob("kvpotlab7")->text(), "97Ko");
  EXPECT_EQ(View()->Zoom(), 100000 / (View()->width() - 1) + 1);
  EXPECT_EQ(Knob("kvpotlab1")->State(), View()->Zoom());
  EXPECT_EQ(Knob("kvpotlab2")->Max(), 100000);
  EXPECT_EQ(Label("Label12"), "hundred.bin");
  EXPECT_EQ(Knob("kvpotlab8")->State(), 250);
  EXPECT_TRUE(Find<QToolButton>("btnPlay")->isEnabled());
  // The playback copy went to the temp folder.
  EXPECT_EQ(fs::file_size(home_.root() / "temp" / "convert.raw"), 100000u);

  TurnKnob(Knob("kvpotlab7"), 3);
  EXPECT_EQ(Knob("kvpotlab7")->text(), "3kB");
  EXPECT_EQ(View()->GetSampleSize(), 3072);
  EXPECT_EQ(View()->GetValue(5000), 5000 % 251);  // the bytes are kept
}

TEST_F(SampleEditorWindowTest, BadRawFilesChangeNothingAndLongOnesLoadTheirStart) {
  WriteBytes(Data("small.bin"), 1000, 7);
  Load(Data("small.bin"));
  for (const fs::path& bad : {Data("missing.bin"), home_.root()}) {
    reporter_.messages.clear();
    Load(bad);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0],
              std::make_pair(QString("File Error"), QString("Read File Error - Abort Loading")));
    EXPECT_EQ(View()->GetSampleSize(), 1000);
    EXPECT_EQ(Label("Label12"), "small.bin");
  }
  WriteBytes(Data("huge.bin"), kSampleCapacity + 4096, 253);
  Load(Data("huge.bin"));
  EXPECT_EQ(View()->GetSampleSize(), kSampleCapacity);
  EXPECT_EQ(View()->GetValue(kSampleCapacity - 1), (kSampleCapacity - 1) % 253);
  EXPECT_EQ(Label("lbSize"), "First 512Ko");
}

// A new sample brings the locator inside it: where it stood when the sample reaches that far,
// else on its last byte; "Val" shows the new sample's byte there.
TEST_F(SampleEditorWindowTest, ALoadKeepsTheLocatorInsideTheNewSample) {
  struct Case {
    int locator;
    int new_size;
    int expected;
  };
  const Case cases[] = {{84, 8, 7}, {3, 8, 3}, {0, 8, 0}};
  for (const Case& c : cases) {
    WriteBytes(Data("before.bin"), 100, 256);
    Load(Data("before.bin"));
    Trigger("mnuMinimun");
    TurnKnob(Knob("kvpotlab4"), c.locator);
    ASSERT_EQ(View()->LocatorPos(), c.locator);
    WriteBytes(Data("after.bin"), static_cast<std::size_t>(c.new_size), 5);  // 0 1 2 3 4 0 ..
    Load(Data("after.bin"));
    ASSERT_EQ(View()->GetSampleSize(), c.new_size);
    EXPECT_EQ(Knob("kvpotlab4")->State(), c.expected) << c.locator;
    EXPECT_EQ(View()->LocatorPos(), c.expected / View()->Zoom()) << c.locator;
    EXPECT_EQ(Knob("kvpotlab3")->State(), c.expected % 5) << c.locator;
  }
}

// The caption over "Size" changes with what came in; the knobs beside it stay where they are.
TEST_F(SampleEditorWindowTest, TheSizeCaptionNeverMovesTheKnobRow) {
  const char* const knobs[] = {"kvpotlab7", "kvpotlab1", "kvpotlab2",  "kvpotlab4", "kvpotlab3",
                               "kvpotlab5", "kvpotlab6", "kvpotlab10", "kvpotlab8", "kvpotlab9"};
  const auto places = [&] {
    QApplication::processEvents();
    std::vector<int> left_edges;
    for (const char* name : knobs) left_edges.push_back(Knob(name)->mapTo(window_, QPoint()).x());
    return left_edges;
  };
  WriteBytes(Data("small.bin"), 1000, 7);
  Load(Data("small.bin"));
  ASSERT_EQ(Label("lbSize"), "Size");
  const std::vector<int> first = places();
  WriteBytes(Data("huge.bin"), kSampleCapacity + 10, 253);
  Load(Data("huge.bin"));
  ASSERT_EQ(Label("lbSize"), "First 512Ko");
  EXPECT_EQ(places(), first);
  Trigger("mnuCopyToWavetable");
  ASSERT_EQ(Label("lbSize"), "New Sample");
  EXPECT_EQ(places(), first);
  // And the caption is still read whole.
  auto* caption = Find<QLabel>("lbSize");
  EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
}

TEST_F(SampleEditorWindowTest, WaveImportConvertsAndBadWavesAreAborted) {
  WriteStereoTone(Data("tone.wav"), 44100, 1.0);
  Load(Data("tone.wav"));
  ASSERT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(View()->GetSampleSize(), 22050);
  EXPECT_EQ(Label("Label12"), "tone.wav");
  EXPECT_EQ(Knob("kvpotlab7")->text(), "21Ko");
  EXPECT_TRUE(fs::exists(home_.root() / "temp" / "convert.wav"));
  Grab("sample_editor_wav.png");
  // Zoomed in, a selection dragged with the mouse: the knobs show it in samples.
  TurnKnob(Knob("kvpotlab1"), 4);
  TurnKnob(Knob("kvpotlab2"), 2000);
  QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(100, 40));
  QTest::mouseMove(View(), QPoint(400, 40));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(400, 40));
  EXPECT_EQ(Knob("kvpotlab5")->State(), 2000 + 100 * 4);
  EXPECT_EQ(Knob("kvpotlab6")->State(), 300 * 4);
  Grab("sample_editor_zoom_selection.png");

  const std::string before(reinterpret_cast<const char*>(View()->Data().data()), 22050);
  std::ofstream(Data("broken.wav"), std::ios::binary) << ReadFile(Data("tone.wav")).substr(0, 5000);
  std::ofstream(Data("words.wav"), std::ios::binary) << "no wave in here";
  std::ofstream(Data("empty.wav"), std::ios::binary);
  for (const char* bad : {"broken.wav", "words.wav", "empty.wav", "missing.wav"}) {
    reporter_.messages.clear();
    Load(Data(bad));
    ASSERT_EQ(reporter_.messages.size(), 1u) << bad;
    EXPECT_EQ(reporter_.messages[0],
              std::make_pair(QString("Error PCM"), QString("Conversion aborted!")));
    EXPECT_EQ(reporter_.icons[0], QMessageBox::Critical);
    EXPECT_EQ(View()->GetSampleSize(), 22050) << bad;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(View()->Data().data()), 22050), before);
  }

  // 30 s at 22 050 Hz is more than the buffer holds: its start, and the readout says so.
  WriteStereoTone(Data("long.wav"), 22050, 30.0);
  reporter_.messages.clear();
  Load(Data("long.wav"));
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(View()->GetSampleSize(), kSampleCapacity);
  EXPECT_EQ(Label("lbSize"), "First 512Ko");
}

TEST_F(SampleEditorWindowTest, WaveExportWritesTheEditsShownAndFailedSavesKeepTheOldFile) {
  WriteBytes(Data("ramp.bin"), 2000, 256);
  Load(Data("ramp.bin"));
  Trigger("mnuReverse");  // an edit after the load, without playing
  Save(Data("out"), 2);
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(Label("Label12"), "out.wav");
  const WaveReadResult exported = ReadWaveAsUnsigned8(Data("out.wav"), 22050, kSampleCapacity);
  ASSERT_EQ(exported.samples.size(), 2000u);
  EXPECT_EQ(exported.samples[0], 1999 % 256);
  EXPECT_EQ(exported.samples[1999], 0);

  Save(Data("out.raw"), 1);
  EXPECT_EQ(fs::file_size(Data("out.bin")), 2000u);
  Save(home_.root() / "no-folder" / "x.bin", 1);
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0],
            std::make_pair(QString("File Error"), QString("Write File Error - Abort Saving")));
  EXPECT_EQ(Label("Label12"), "out.bin");
}

TEST_F(SampleEditorWindowTest, KnobsAndMenusFollowTheSample) {
  WriteBytes(Data("k.bin"), 20000, 256);
  Load(Data("k.bin"));
  // Select All twice clears the selection again.
  Trigger("mnuSelectAll");
  EXPECT_EQ(Knob("kvpotlab6")->State(), 20000);
  EXPECT_GT(View()->SelectionLen(), 0);
  Trigger("mnuSelectAll");
  EXPECT_EQ(Knob("kvpotlab6")->State(), 0);
  EXPECT_EQ(View()->SelectionLen(), 0);

  // "Offset" 0 -> 10 -> 0 over the whole sample: clipped bytes end at 245.
  TurnKnob(Knob("kvpotlab10"), 10);
  EXPECT_EQ(View()->GetValue(255), 255);
  EXPECT_EQ(View()->GetValue(3), 13);
  TurnKnob(Knob("kvpotlab10"), 0);
  EXPECT_EQ(View()->GetValue(255), 245);
  EXPECT_EQ(View()->GetValue(3), 3);

  // Crop to 5000 samples at zoom 1.
  Trigger("mnuMinimun");
  View()->SetViewOrigin(0);
  View()->SetSelectionPos(100);
  View()->SetSelectionLen(5000);
  Trigger("mnuCrop");
  EXPECT_EQ(View()->GetSampleSize(), 5000);
  EXPECT_EQ(Knob("kvpotlab7")->text(), "4kB");
  EXPECT_EQ(Knob("kvpotlab2")->Max(), 5000);
  EXPECT_EQ(Knob("kvpotlab6")->Max(), 5000);
  EXPECT_EQ(View()->GetValue(0), 100);

  // Go to End on 1000 samples at zoom 2: column 500, the byte just past the sample in "Val".
  View()->Data()[1000] = 77;
  TurnKnob(Knob("kvpotlab7"), 1);
  View()->SetSampleSize(1000);
  TurnKnob(Knob("kvpotlab1"), 2);
  Trigger("mnuGoToEnd");
  EXPECT_EQ(View()->LocatorPos(), 500);
  EXPECT_EQ(Knob("kvpotlab3")->State(), 77);
  Trigger("mnuBackward");
  EXPECT_EQ(Knob("kvpotlab4")->State(), 998);
  EXPECT_EQ(View()->LocatorPos(), 499);
}

TEST_F(SampleEditorWindowTest, CopyToWavetableWritesWholeWaveformsFromTheCurrentOne) {
  WriteBytes(Data("thousand.bin"), 1000, 256);
  Load(Data("thousand.bin"));
  WaveformEditorWindow* editor = app_.waveform_editor();
  editor->BankSelector()->SetState(2);
  editor->WaveSelector()->SetState(10);
  Trigger("mnuCopyToWavetable");
  WavetableStore& store = app_.wavetable();
  const int k = 2 * 64 + 10;
  EXPECT_EQ(store.Wave(k)[5], 5);
  EXPECT_EQ(store.Wave(k + 2)[255], 255);
  EXPECT_EQ(store.Wave(k + 3)[0], 128);  // 1000 bytes: three whole waveforms
  EXPECT_EQ(Label("lbSize"), "New Sample");
  EXPECT_EQ(editor->WorkingCopy()[7], 7);
}

TEST_F(SampleEditorWindowTest, PlayTogglesAndThePositionMovesTheLocator) {
  WriteBytes(Data("p.bin"), 8000, 256);
  Load(Data("p.bin"));
  QToolButton* play = Find<QToolButton>("btnPlay");
  play->click();
  ASSERT_EQ(player_.played.size(), 1u);
  EXPECT_EQ(player_.played[0].size(), 8000u);
  EXPECT_EQ(player_.rates[0], 22050);
  EXPECT_TRUE(window_->Playing());
  play->click();  // the second press stops
  EXPECT_FALSE(window_->Playing());
  EXPECT_FALSE(player_.playing);

  // With "Follow Locator" unchecked, zoom 4 and "Ox" 1000, position 1400 puts the locator at
  // column 100 and "Loc  " at 1400.
  TurnKnob(Knob("kvpotlab1"), 4);
  TurnKnob(Knob("kvpotlab2"), 1000);
  play->click();
  player_.PostPosition(1400);
  QTest::qWait(50);
  EXPECT_EQ(View()->LocatorPos(), 100);
  EXPECT_EQ(Knob("kvpotlab4")->State(), 1400);
  window_->MenuAction("mnuFollowLocator")->setChecked(true);
  player_.PostPosition(3000);
  QTest::qWait(50);
  EXPECT_EQ(View()->ViewOrigin(), 3000);
  EXPECT_EQ(Knob("kvpotlab2")->State(), 3000);

  // A one-shot play that ran out: the flag clears, the next Play starts from the start.
  player_.PostPosition(8000, true);
  QTest::qWait(50);
  EXPECT_FALSE(window_->Playing());
  play->click();
  EXPECT_TRUE(window_->Playing());
  EXPECT_EQ(player_.played.size(), 3u);

  // A device that went away while playing: one message, the flag cleared.
  PlayerNews gone;
  gone.failed = true;
  gone.failure = "The audio device stopped playing";
  player_.Post(gone);
  QTest::qWait(50);
  EXPECT_FALSE(window_->Playing());
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].first, "Hardware error");
}

TEST_F(SampleEditorWindowTest, NoAudioDeviceIsToldOnceAndAnUnwritableTempFolderToo) {
  WriteBytes(Data("n.bin"), 500, 256);
  Load(Data("n.bin"));
  player_.failure = "No Audio device found ";
  window_->btnPlayClick();
  window_->btnPlayClick();
  EXPECT_FALSE(window_->Playing());
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].first, "Hardware error");
  EXPECT_EQ(reporter_.icons[0], QMessageBox::Critical);

  // A temp folder that is no folder: told once, and the play still has its sample.
  player_.failure.reset();
  reporter_.messages.clear();
  std::ofstream(home_.root() / "not-a-folder") << "x";
  dialogs_.answers = {QString::fromStdString((home_.root() / "not-a-folder" / "x").string())};
  app_.options_dialog()->findChild<QAbstractButton*>("btnTempPath")->click();
  window_->btnPlayClick();
  EXPECT_TRUE(window_->Playing());
  window_->btnPlayClick();
  window_->btnPlayClick();
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].first, "File Error");
  EXPECT_EQ(player_.played.back().size(), 500u);
}

// The box names the missing output once; a reason of the player's that says more follows it.
TEST_F(SampleEditorWindowTest, TheHardwareErrorBoxNamesTheMissingDeviceOnce) {
  WriteBytes(Data("h.bin"), 500, 256);
  Load(Data("h.bin"));
  struct Case {
    const char* reason;
    const char* text;
  };
  const Case cases[] = {
      {"No Audio device found ", "No Audio device found "},
      {"", "No Audio device found "},
      {"Device or resource busy", "No Audio device found \nDevice or resource busy"},
  };
  for (const Case& c : cases) {
    player_.failure.reset();  // a play that works, so that the next failure is told again
    window_->btnPlayClick();
    window_->btnPlayClick();
    reporter_.messages.clear();
    player_.failure = c.reason;
    window_->btnPlayClick();
    ASSERT_EQ(reporter_.messages.size(), 1u) << c.reason;
    EXPECT_EQ(reporter_.messages[0].first, "Hardware error");
    EXPECT_EQ(reporter_.messages[0].second.toStdString(), c.text);
  }
}

TEST_F(SampleEditorWindowTest, LoopButtonsGoTogether) {
  auto* main_loop = app_.main_window()->findChild<QToolButton*>("btnLooping");
  QToolButton* loop = Find<QToolButton>("btnLoop");
  main_loop->click();
  EXPECT_TRUE(loop->isChecked());
  EXPECT_TRUE(player_.looping);
  loop->click();
  EXPECT_FALSE(main_loop->isChecked());
  EXPECT_FALSE(player_.looping);
}

TEST_F(SampleEditorWindowTest, MainWindowSelectionIsCopiedToTheSample) {
  WavetableStore& store = app_.wavetable();
  for (int k = 0; k < kWaveCount; ++k)
    std::fill(store.Wave(k).begin(), store.Wave(k).end(), k % 256);
  MainWindow* main = app_.main_window();
  main->Grid()->SetSelection(QRect(QPoint(3, 5), QPoint(4, 6)));
  main->CopyToSample();
  EXPECT_EQ(View()->GetSampleSize(), 1024);
  const int expected[] = {5 * 64 + 3, 5 * 64 + 4, 6 * 64 + 3, 6 * 64 + 4};
  for (int w = 0; w < 4; ++w) EXPECT_EQ(View()->GetValue(w * 256 + 9), expected[w] % 256);

  TurnKnob(Knob("kvpotlab7"), 3);
  main->Grid()->SetSelection(QRect(7, 1, 1, 1));
  main->CopyToSample();
  EXPECT_EQ(View()->GetSampleSize(), 3072);
  EXPECT_EQ(View()->GetValue(3071), 71);
  EXPECT_TRUE(player_.played.empty());

  // AutoPlay plays what was copied; without "Copy to Sample" nothing is copied or played.
  auto* copy = main->findChild<QCheckBox*>("CheckBox2");
  auto* auto_play = main->findChild<QCheckBox*>("CheckBox1");
  auto_play->setChecked(true);
  main->CopyToSample();
  ASSERT_EQ(player_.played.size(), 1u);
  EXPECT_EQ(player_.played[0].size(), 3072u);
  copy->setChecked(false);
  EXPECT_FALSE(auto_play->isEnabled());
  main->Grid()->SetSelection(QRect(0, 0, 1, 1));
  main->CopyToSample();
  EXPECT_EQ(View()->GetValue(0), 71);
  EXPECT_EQ(player_.played.size(), 1u);
}

}  // namespace
}  // namespace morvane
