#include <QCheckBox>
#include <QLabel>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/module/module_controls.h"
#include "support/file_size_limit.h"
#include "ui/module/module_control_fixture.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

class ParameterFilesTest : public ModuleControlFixture {
 protected:
  ParameterFilesTest() { fs::create_directories(folder_); }
  QString In(const char* name) { return QString::fromStdString((folder_ / name).string()); }
  void Answer(const QString& name) { dialogs_.answers.push_back(name); }
  std::string Image(int image) {
    const ParameterImage& bytes = app_->parameters().Image(image);
    return std::string(bytes.begin(), bytes.end());
  }
  void ExpectFileError(const char* text) {
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].first, "File Error");
    EXPECT_EQ(reporter_.messages[0].second, text);
    EXPECT_EQ(reporter_.icons[0], QMessageBox::Critical);
    reporter_.messages.clear();
    reporter_.icons.clear();
  }

  fs::path folder_ = home_.root() / "files";
};

TEST_F(ParameterFilesTest, SaveThenLoadGivesTheImageBackAndSetsEveryControl) {
  ParameterImage image{2, 10, 11, 40, 77, 5, 6, 1, 2, 96, 0x24, 0x3D, 0xAA, 0xBB, 47, 0x01};
  app_->parameters().SetImage(0, image);
  Answer(In("setup.txt"));
  Trigger("Save1");
  ASSERT_EQ(dialogs_.requests.size(), 1u);
  EXPECT_EQ(dialogs_.requests[0].title, "Save Morvane-8 Parameter File");
  EXPECT_EQ(dialogs_.requests[0].filter_index, 2);
  EXPECT_TRUE(dialogs_.requests[0].filter.contains("Morvane-8 config fles (mrv)|*.mrv"));
  EXPECT_TRUE(dialogs_.requests[0].initial_name.isEmpty());
  EXPECT_EQ(ReadFile(folder_ / "setup.mrv"), Image(0)) << "bytes 12 and 13 included";
  EXPECT_FALSE(fs::exists(folder_ / "setup.txt"));

  app_->parameters().SetImage(0, {});
  driver_.sent.clear();
  Answer(In("setup.mrv"));
  Trigger("Load1");
  EXPECT_EQ(dialogs_.requests[1].title, "Open Morvane-8 Parameter File");
  EXPECT_EQ(dialogs_.requests[1].filter_index, 2);
  EXPECT_TRUE(dialogs_.requests[1].filter.contains("Morvane-8 config file (mrv)|*.mrv"));
  EXPECT_EQ(Image(0), std::string(image.begin(), image.end()));
  // Every control took the loaded values; only the handshake box, which changed, sent.
  EXPECT_EQ(Knob("kvpotlab20")->State(), 3);
  EXPECT_EQ(List("ComboBox4")->currentIndex(), 11);
  EXPECT_EQ(List("ComboBox5")->currentIndex(), 12);
  EXPECT_EQ(Knob("kvpotlab22")->State(), 40);
  EXPECT_EQ(Knob("kvpotlab21")->State(), 77);
  EXPECT_EQ(Knob("kvpotlab23")->State(), 5);
  EXPECT_EQ(Knob("kvpotlab24")->State(), 6);
  EXPECT_EQ(Knob("kvpotlab36")->text(), "4");
  EXPECT_EQ(Knob("kvpotlab37")->text(), "8");
  EXPECT_EQ(Knob("kvpotlab1")->State(), 96);
  EXPECT_EQ(List("ComboBox2")->currentText(), "  1 Bpm ");
  EXPECT_EQ(List("ComboBox3")->currentText(), " Wave ");
  EXPECT_EQ(List("ComboBox6")->currentText(), " Bank ");
  EXPECT_EQ(Knob("kvpotlab33")->text(), "ON");
  EXPECT_EQ(Knob("kvpotlab39")->text(), "ON");
  EXPECT_EQ(Knob("kvpotlab41")->text(), "OFF");
  EXPECT_EQ(List("ComboBox7")->currentText(), "  4 x 128k ");
  EXPECT_EQ(Find<QLabel>("lbFirmware")->text(), "47");
  EXPECT_TRUE(Find<QCheckBox>("cbHandshakeTx")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("cbAdressZero")->isChecked());
  EXPECT_EQ(driver_.sent, std::vector<Bytes>{CommandBytes(2, 7, 0x01)});
  EXPECT_EQ(Image(0), std::string(image.begin(), image.end())) << "applying left it as loaded";
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(ParameterFilesTest, BadFilesAreRefusedWithTheirMessageAndChangeNothing) {
  const ParameterImage image{1, 2, 3, 4, 5, 6, 7, 1, 1, 10, 0, 0, 13, 14, 47, 3};
  app_->parameters().SetImage(0, image);
  window_->ApplyImage(0);
  WriteFile(folder_ / "empty.mrv", "");
  fs::create_directory(folder_ / "folder.mrv");
  for (const char* name : {"empty.mrv", "missing.mrv", "folder.mrv"}) {
    Answer(In(name));
    Trigger("Load1");
    ExpectFileError("Read File Error - Abort Loading");
    EXPECT_EQ(Image(0), std::string(image.begin(), image.end())) << name;
    EXPECT_EQ(Knob("kvpotlab20")->State(), 2) << name;
  }

  // A short file replaces only the bytes it holds.
  WriteFile(folder_ / "short.mrv", std::string("\x05\x7F", 2));
  Answer(In("short.mrv"));
  Trigger("Load1");
  EXPECT_TRUE(reporter_.messages.empty());
  ParameterImage expected = image;
  expected[0] = 5;
  expected[1] = 0x7F;
  EXPECT_EQ(Image(0), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(Knob("kvpotlab20")->State(), 6);

  // A cancelled dialog does nothing at all.
  Trigger("Load1");
  Trigger("Save1");
  Trigger("SaveasSysex1");
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(ParameterFilesTest, FailedSavesKeepThePreviousFiles) {
  Answer(In("keep"));
  Trigger("Save1");
  const std::string good = ReadFile(folder_ / "keep.mrv");
  ASSERT_EQ(good.size(), 16u);
  Up(Knob("kvpotlab21"));
  Answer(In("keep"));
  {
    FileSizeLimit limit(8);
    ASSERT_TRUE(limit.Applied());
    Trigger("Save1");
  }
  ExpectFileError("Write File Error - Abort Saving");
  EXPECT_EQ(ReadFile(folder_ / "keep.mrv"), good);
  Answer(In("no such folder/x"));
  Trigger("Save1");
  ExpectFileError("Write File Error - Abort Saving");

  Answer(In("setup"));
  Trigger("SaveasSysex1");
  const std::string first = ReadFile(folder_ / "setup.syx");
  ASSERT_EQ(first.size(), 96u);
  Up(Knob("kvpotlab21"));
  Answer(In("setup"));
  {
    FileSizeLimit limit(8);
    ASSERT_TRUE(limit.Applied());
    Trigger("SaveasSysex1");
  }
  ExpectFileError("Write File Error - Abort Saving");
  EXPECT_EQ(ReadFile(folder_ / "setup.syx"), first);
  EXPECT_FALSE(fs::exists(folder_ / "setup.BAK")) << "the only good copy stays where it was";
}

TEST_F(ParameterFilesTest, SaveAsSysexWrites96BytesAndKeepsTheFormerFileAsBak) {
  Answer(In("setup"));
  Trigger("SaveasSysex1");
  ASSERT_EQ(dialogs_.requests.size(), 1u);
  EXPECT_EQ(dialogs_.requests[0].title, "Save Sysex Parameters");
  EXPECT_EQ(dialogs_.requests[0].filter_index, 4);
  EXPECT_TRUE(dialogs_.requests[0].filter.contains("Sysex Files|*.syx"));
  const std::string first = ReadFile(folder_ / "setup.syx");
  ASSERT_EQ(first.size(), 96u);
  EXPECT_EQ(first.substr(0, 8), std::string("\xF0\x70\x7C\x00\x01\x0F\x0F\xF7", 8));
  EXPECT_EQ(first.substr(88), std::string("\xF0\x70\x7C\x00\x07\x00\x03\xF7", 8));
  const auto sysex = BuildParameterSysex(window_->CurrentControls());
  EXPECT_EQ(first, std::string(sysex.begin(), sysex.end()));

  Up(Knob("kvpotlab20"));
  Answer(In("setup"));
  Trigger("SaveasSysex1");
  EXPECT_EQ(ReadFile(folder_ / "setup.BAK"), first);
  EXPECT_EQ(ReadFile(folder_ / "setup.syx")[3], '\x01') << "now on channel 2";

  Answer(In("setup.bin"));
  Trigger("SaveasSysex1");
  EXPECT_EQ(ReadFile(folder_ / "setup.bin").size(), 96u);
  EXPECT_TRUE(reporter_.messages.empty());
}

}  // namespace
}  // namespace morvane
