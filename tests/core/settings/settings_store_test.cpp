#include "core/settings/settings_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() : file_(folder_ / "Tandrel" / "MRV8_V2.conf"), store_(file_) {
    store_.SetProblemHandler([this](const std::string& line) { problems_.push_back(line); });
  }

  fs::path BadFile() const { return fs::path(file_) += ".bad"; }

  TempFolder folder_;
  fs::path file_;
  SettingsStore store_;
  std::vector<std::string> problems_;
};

TEST_F(SettingsStoreTest, EveryKindReadsBackAndBooleansAreIntegers) {
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteInteger("PX1", -40);
    writer.WriteInteger("ColorBack", std::numeric_limits<std::int32_t>::min());
    writer.WriteBoolean("EN16", true);
    writer.WriteBoolean("RELOAD", false);
    writer.WriteInteger("EN4", 5);
    writer.WriteString("TempPath", "/home/me/Wave Tables/ünï \"q\"\\\n\t\r"s);
    writer.WriteString("LabPath1", "");
    writer.WriteColor("ColorAxes", 0x8000000Fu);  // the system's button face
    writer.WriteColor("ColorLine", 0x00FFEEDDu);
    EXPECT_TRUE(writer.Close());
  }
  SettingsReader reader = store_.OpenForReading();
  ASSERT_TRUE(reader.Exists());
  std::uint32_t axes = 0, line = 0;
  EXPECT_TRUE(reader.ReadColor("ColorAxes", axes));
  EXPECT_TRUE(reader.ReadColor("ColorLine", line));
  EXPECT_EQ(axes, 0x8000000Fu);
  EXPECT_EQ(line, 0x00FFEEDDu);
  std::int32_t px = 0, color = 0, en16 = 0, reload = -1;
  bool en4 = false, en16_flag = false;
  std::string temp_path, lab_path = "initial";
  EXPECT_TRUE(reader.ReadInteger("PX1", px));
  EXPECT_TRUE(reader.ReadInteger("ColorBack", color));
  EXPECT_TRUE(reader.ReadInteger("EN16", en16));
  EXPECT_TRUE(reader.ReadBoolean("EN16", en16_flag));
  EXPECT_TRUE(reader.ReadInteger("RELOAD", reload));
  EXPECT_TRUE(reader.ReadBoolean("EN4", en4));
  EXPECT_TRUE(reader.ReadString("TempPath", temp_path));
  EXPECT_TRUE(reader.ReadString("LabPath1", lab_path));
  EXPECT_FALSE(reader.Failed());
  EXPECT_EQ(px, -40);
  EXPECT_EQ(color, std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(en16, 1);
  EXPECT_TRUE(en16_flag);
  EXPECT_EQ(reload, 0);
  EXPECT_TRUE(en4);
  EXPECT_EQ(temp_path, "/home/me/Wave Tables/ünï \"q\"\\\n\t\r");
  EXPECT_EQ(lab_path, "");
  EXPECT_TRUE(problems_.empty());
}

TEST_F(SettingsStoreTest, NamesAreTheSameInAnyLetterCase) {
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteInteger("ColorIrScaleBackWT", 0x123456);
    writer.WriteInteger("zoomwt", 8);
  }
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteInteger("ZoomWT", 14);  // replaces the value stored as "zoomwt"
  }
  SettingsReader reader = store_.OpenForReading();
  std::int32_t color = 0, zoom = 0;
  EXPECT_TRUE(reader.ReadInteger("ColorIRScaleBackWT", color));
  EXPECT_TRUE(reader.ReadInteger("ZOOMWT", zoom));
  EXPECT_EQ(color, 0x123456);
  EXPECT_EQ(zoom, 14);
  std::string text = ReadBytes(file_);
  EXPECT_EQ(text.find("zoomwt"), std::string::npos) << text;
  EXPECT_NE(text.find("ZoomWT = 14\n"), std::string::npos) << text;
}

// A window reads its values in its own order and applies each as soon as it is read.
struct MainWindowLike {
  std::int32_t px = -1, py = -1, zoom = -1, color = -1;
  bool auto_size = false;

  void Read(SettingsReader& reader) {
    reader.ReadInteger("PX1", px);
    reader.ReadInteger("PY1", py);
    reader.ReadInteger("ZoomWT", zoom);
    reader.ReadBoolean("AutoSizeWT", auto_size);
    reader.ReadInteger("ColorBackWT", color);
  }
};

TEST_F(SettingsStoreTest, AMissingValueStopsThePassAtThatValue) {
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteInteger("PX1", 10);
    writer.WriteInteger("PY1", 20);
    writer.WriteBoolean("AutoSizeWT", true);
    writer.WriteInteger("ColorBackWT", 99);
  }
  SettingsReader reader = store_.OpenForReading();
  MainWindowLike window;
  window.Read(reader);

  EXPECT_EQ(window.px, 10);
  EXPECT_EQ(window.py, 20);
  EXPECT_EQ(window.zoom, -1);
  EXPECT_FALSE(window.auto_size);  // stored, but after the failing value
  EXPECT_EQ(window.color, -1);
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(reader.Error(), "Settings value \"ZoomWT\" is missing");

  // Another window's pass is not affected.
  SettingsReader next = store_.OpenForReading();
  bool auto_size = false;
  EXPECT_TRUE(next.ReadBoolean("AutoSizeWT", auto_size));
  EXPECT_TRUE(auto_size);
}

TEST_F(SettingsStoreTest, AValueOfTheOtherKindFailsTheReadAndStopsThePass) {
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteString("Text", "12");
    writer.WriteInteger("Number", 12);
    writer.WriteInteger("After", 3);
  }
  struct Case {
    std::string_view name;
    char read_as;  // 'i' integer, 'b' boolean, 's' string
    std::string error;
  };
  const Case cases[] = {
      {"Text", 'i', "Settings value \"Text\" is not an integer"},
      {"Text", 'b', "Settings value \"Text\" is not a boolean"},
      {"NUMBER", 's', "Settings value \"NUMBER\" is not a string"},
  };
  for (const Case& test : cases) {
    SettingsReader reader = store_.OpenForReading();
    std::int32_t number = -7, after = -7;
    bool flag = true;
    std::string text = "initial";
    bool read = test.read_as == 'i'   ? reader.ReadInteger(test.name, number)
                : test.read_as == 'b' ? reader.ReadBoolean(test.name, flag)
                                      : reader.ReadString(test.name, text);
    EXPECT_FALSE(read) << test.error;
    EXPECT_EQ(number, -7);
    EXPECT_TRUE(flag);
    EXPECT_EQ(text, "initial");
    EXPECT_EQ(reader.Error(), test.error);
    EXPECT_FALSE(reader.ReadInteger("After", after)) << "the pass must stop at the first failure";
    EXPECT_EQ(after, -7);
    EXPECT_EQ(reader.Error(), test.error) << "the first failure is the one told";
  }
}

// A value newer than the settings file is simply not there yet: the pass reads on. Everything
// else about it follows the rules of the other values.
TEST_F(SettingsStoreTest, AnOptionalValueMayBeMissingWithoutFailingThePass) {
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteString("Text", "kept");
    writer.WriteInteger("Number", 12);
  }
  SettingsReader reader = store_.OpenForReading();
  std::string text = "initial";
  EXPECT_FALSE(reader.ReadStringIfPresent("Absent", text));
  EXPECT_EQ(text, "initial");
  EXPECT_FALSE(reader.Failed());
  EXPECT_TRUE(reader.ReadStringIfPresent("TEXT", text));
  EXPECT_EQ(text, "kept");
  std::int32_t number = 0;
  EXPECT_TRUE(reader.ReadInteger("Number", number)) << "the pass went on";

  EXPECT_FALSE(reader.ReadStringIfPresent("Number", text));
  EXPECT_EQ(reader.Error(), "Settings value \"Number\" is not a string");
  text = "initial";
  EXPECT_FALSE(reader.ReadStringIfPresent("Text", text)) << "after a failure nothing is read";
  EXPECT_EQ(text, "initial");
}

TEST_F(SettingsStoreTest, NoFileIsAFirstRunTheReadingDoesNotCreate) {
  SettingsReader reader = store_.OpenForReading();
  EXPECT_FALSE(reader.Exists());
  std::int32_t zoom = 33;
  EXPECT_FALSE(reader.ReadInteger("ZoomWT", zoom));
  EXPECT_EQ(zoom, 33);
  EXPECT_FALSE(reader.Failed()) << "a first run is not an error";
  EXPECT_TRUE(reader.Error().empty());
  EXPECT_TRUE(problems_.empty());
  EXPECT_FALSE(fs::exists(file_.parent_path()));
}

TEST_F(SettingsStoreTest, EachPassReadsTheFileAnew) {
  SettingsReader before = store_.OpenForReading();
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteInteger("PX3", 1);
  }
  EXPECT_FALSE(before.Exists());
  std::int32_t px = 0;
  EXPECT_TRUE(store_.OpenForReading().ReadInteger("PX3", px));
  EXPECT_EQ(px, 1);
}

TEST_F(SettingsStoreTest, AWriterKeepsTheValuesItDoesNotWrite) {
  {
    SettingsWriter main_window = store_.OpenForWriting();
    main_window.WriteInteger("ZoomWT", 12);
    main_window.WriteInteger("ColorBackWT", 5);
  }
  {
    SettingsWriter options = store_.OpenForWriting();
    options.WriteString("TempPath", "/tmp/x");
    options.WriteInteger("ColorBackWT", 6);  // as the main window does from the swatches
  }
  SettingsReader reader = store_.OpenForReading();
  std::int32_t zoom = 0, color = 0;
  std::string temp_path;
  EXPECT_TRUE(reader.ReadInteger("ZoomWT", zoom));
  EXPECT_TRUE(reader.ReadInteger("ColorBackWT", color));
  EXPECT_TRUE(reader.ReadString("TempPath", temp_path));
  EXPECT_EQ(zoom, 12);
  EXPECT_EQ(color, 6);
  EXPECT_EQ(temp_path, "/tmp/x");
}

TEST_F(SettingsStoreTest, CloseWritesOnceAndTheDestructorClosesAnOpenPass) {
  SettingsWriter writer = store_.OpenForWriting();
  writer.WriteInteger("PX9", 1);
  EXPECT_TRUE(writer.Close());
  writer.WriteInteger("PX9", 2);  // after Close: ignored
  EXPECT_TRUE(writer.Close());
  std::int32_t px = 0;
  EXPECT_TRUE(store_.OpenForReading().ReadInteger("PX9", px));
  EXPECT_EQ(px, 1);

  {
    SettingsWriter unclosed = store_.OpenForWriting();
    unclosed.WriteInteger("PY9", 7);
    SettingsWriter moved = std::move(unclosed);  // only the new owner writes, once
  }
  std::int32_t py = 0;
  EXPECT_TRUE(store_.OpenForReading().ReadInteger("PY9", py));
  EXPECT_EQ(py, 7);
  EXPECT_EQ(FolderListing(file_.parent_path()), std::vector<std::string>{"MRV8_V2.conf"});
}

TEST_F(SettingsStoreTest, AnInvalidNameMakesThePassWriteNothing) {
  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteInteger("PX1", 1);
  }
  std::string before = ReadBytes(file_);
  SettingsWriter writer = store_.OpenForWriting();
  writer.WriteInteger("PX1", 2);
  writer.WriteString("Bad Name", "x");
  EXPECT_FALSE(writer.Close());
  EXPECT_EQ(ReadBytes(file_), before);
}

// ---- corrupt and unreadable files ----

TEST_F(SettingsStoreTest, ACorruptFileIsToldOnceSetAsideAndReadAsAFirstRun) {
  const std::string corrupt = "PX1 = 10\nZoomWT = \"unterminated\n\xff\x00 binary junk"s;
  fs::create_directories(file_.parent_path());
  WriteBytes(file_, corrupt);
  WriteBytes(BadFile(), "older bad file");

  SettingsReader reader = store_.OpenForReading();
  EXPECT_FALSE(reader.Exists());
  std::int32_t px = -1;
  EXPECT_FALSE(reader.ReadInteger("PX1", px));
  EXPECT_EQ(px, -1);
  ASSERT_EQ(problems_.size(), 1u);
  EXPECT_EQ(problems_[0],
            "Settings file \"" + file_.string() +
                "\" is corrupt (line 2: unterminated string); it was set aside as \"" +
                BadFile().string() + "\" and settings start from defaults.");
  EXPECT_EQ(ReadBytes(BadFile()), corrupt);
  EXPECT_FALSE(fs::exists(file_));

  {
    SettingsWriter writer = store_.OpenForWriting();
    writer.WriteInteger("PX1", 11);
    EXPECT_TRUE(writer.Close());
  }
  EXPECT_TRUE(store_.OpenForReading().ReadInteger("PX1", px));
  EXPECT_EQ(px, 11);

  // A second corrupt file in the same run is set aside again but not told again.
  WriteBytes(file_, "garbage");
  EXPECT_FALSE(store_.OpenForReading().Exists());
  EXPECT_EQ(problems_.size(), 1u);
  EXPECT_EQ(ReadBytes(BadFile()), "garbage");
}

TEST_F(SettingsStoreTest, AFolderInPlaceOfTheFileIsSetAsideAndAWriterStartsEmpty) {
  fs::create_directories(file_ / "inside");
  WriteBytes(BadFile(), "older bad file");  // a file cannot take a folder's place: it is replaced

  SettingsWriter writer = store_.OpenForWriting();
  writer.WriteInteger("PX4", 3);
  EXPECT_TRUE(writer.Close());

  ASSERT_EQ(problems_.size(), 1u);
  EXPECT_NE(problems_[0].find("cannot be read (it is not a regular file); it was set aside"),
            std::string::npos)
      << problems_[0];
  EXPECT_TRUE(fs::is_directory(BadFile() / "inside"));
  std::int32_t px = 0;
  EXPECT_TRUE(store_.OpenForReading().ReadInteger("PX4", px));
  EXPECT_EQ(px, 3);
}

TEST_F(SettingsStoreTest, AFileThatCannotBeSetAsideIsNeverOverwritten) {
  const std::string corrupt = "not a settings line\n";
  fs::create_directories(BadFile() / "kept");  // a folder with contents stands at <file>.bad
  WriteBytes(file_, corrupt);

  SettingsReader reader = store_.OpenForReading();
  EXPECT_FALSE(reader.Exists());
  ASSERT_EQ(problems_.size(), 1u);
  EXPECT_NE(problems_[0].find("is corrupt (line 1: expected '=' after \"not\") and could not be "
                              "set aside as \"" +
                              BadFile().string() + "\""),
            std::string::npos)
      << problems_[0];
  EXPECT_NE(problems_[0].find("will not be saved."), std::string::npos) << problems_[0];

  SettingsWriter writer = store_.OpenForWriting();
  writer.WriteInteger("PX1", 1);
  EXPECT_FALSE(writer.Close());
  EXPECT_EQ(ReadBytes(file_), corrupt);
  EXPECT_TRUE(fs::is_directory(BadFile() / "kept"));
  EXPECT_EQ(problems_.size(), 1u);
}

TEST(SettingsStoreProblemTest, AProblemMetBeforeAHandlerIsSetIsToldWhenItIs) {
  TempFolder folder;
  WriteBytes(folder / "s.conf", "junk");
  SettingsStore store(folder / "s.conf");
  EXPECT_FALSE(store.OpenForReading().Exists());

  std::vector<std::string> problems;
  store.SetProblemHandler([&problems](const std::string& line) { problems.push_back(line); });
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("s.conf.bad"), std::string::npos);
  store.SetProblemHandler([&problems](const std::string& line) { problems.push_back(line); });
  EXPECT_EQ(problems.size(), 1u);
}

}  // namespace
}  // namespace morvane
