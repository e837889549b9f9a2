#include "core/settings/settings_file_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace morvane {
namespace {

using namespace std::string_literals;

TEST(SettingsFileFormatTest, WritesOneReadableLinePerValueAfterAHeader) {
  SettingsValues values;
  values.Set("PX1", 120);
  values.Set("ColorBack", std::int32_t{-2147483633});
  values.Set("TempPath", "C:\\tmp \"x\"\n"s);
  EXPECT_EQ(FormatSettingsText(values),
            "# Morvane-8 editor settings\n"
            "PX1 = 120\n"
            "ColorBack = -2147483633\n"
            "TempPath = \"C:\\\\tmp \\\"x\\\"\\n\"\n");
}

TEST(SettingsFileFormatTest, EveryIntegerAndAwkwardStringReadsBackUnchanged) {
  const std::string strings[] = {
      "",
      "  leading and trailing blanks  ",
      "/home/me/My Waves/bank one.bin",
      "quote \" backslash \\ end\\",
      "\\n is not a newline but \n is",
      "cr\r lf\n tab\t",
      "# not a comment = not a value",
      "\"",
      "Größe – 波形 ✓",
      "nul\0byte\x01\x7f\xff"s,
  };
  const std::int32_t integers[] = {0, 1, -1, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max()};
  SettingsValues values;
  for (std::size_t i = 0; i < std::size(strings); ++i)
    values.Set("S" + std::to_string(i), strings[i]);
  for (std::size_t i = 0; i < std::size(integers); ++i)
    values.Set("I" + std::to_string(i), integers[i]);

  SettingsParseResult parsed = ParseSettingsText(FormatSettingsText(values));
  ASSERT_TRUE(parsed.values) << parsed.error;
  ASSERT_EQ(parsed.values->Entries().size(), values.Entries().size());
  for (const SettingsValues::Entry& entry : values.Entries()) {
    const SettingsValue* read = parsed.values->Find(entry.name);
    ASSERT_NE(read, nullptr) << entry.name;
    EXPECT_EQ(*read, entry.value) << entry.name;
  }
}

TEST(SettingsFileFormatTest, AcceptsCommentsBlankLinesLooseBlanksAndWindowsLineEnds) {
  SettingsParseResult parsed = ParseSettingsText(
      "# header\r\n"
      "\r\n"
      "   \t\n"
      "  # indented comment\n"
      "\tZoomWT=12  \r\n"
      "TempPath\t =   \"a b\"\t\n"
      "Neg = -0\n"
      "Last = 7");  // no final newline
  ASSERT_TRUE(parsed.values) << parsed.error;
  EXPECT_EQ(parsed.values->Entries().size(), 4u);
  EXPECT_EQ(*parsed.values->Find("ZoomWT"), SettingsValue(12));
  EXPECT_EQ(*parsed.values->Find("TempPath"), SettingsValue("a b"s));
  EXPECT_EQ(*parsed.values->Find("Neg"), SettingsValue(0));
  EXPECT_EQ(*parsed.values->Find("Last"), SettingsValue(7));
}

TEST(SettingsFileFormatTest, AnyMalformedLineMakesTheFileCorruptAndNamesTheLine) {
  struct Case {
    std::string line;
    std::string error;
  };
  const Case cases[] = {
      {"PX1 123", "expected '=' after \"PX1\""},
      {"PX1 =", "expected a value"},
      {"= 5", "expected a value name"},
      {"P X1 = 5", "expected '=' after \"P\""},
      {"1PX = 5", "expected a value name"},
      {"Größe = 5", "expected a value name"},
      {"PX1 = 2147483648", "integer out of range"},
      {"PX1 = -2147483649", "integer out of range"},
      {"PX1 = 99999999999999999999999", "integer out of range"},
      {"PX1 = -", "expected digits"},
      {"PX1 = +5", "expected an integer or a quoted string"},
      {"PX1 = 0x10", "unexpected text after the value of \"PX1\""},
      {"PX1 = 1.5", "unexpected text after the value of \"PX1\""},
      {"PX1 = 1 2", "unexpected text after the value of \"PX1\""},
      {"PX1 = true", "expected an integer or a quoted string"},
      {"S = \"abc", "unterminated string"},
      {"S = \"abc\\\"", "unterminated string"},
      {"S = \"abc\\", "unterminated string"},
      {"S = \"a\\qb\"", "bad escape in string"},
      {"S = \"a\" x", "unexpected text after the value of \"S\""},
      {"px2 = 3", "value \"px2\" is given twice"},
  };
  for (const Case& test : cases) {
    SettingsParseResult parsed = ParseSettingsText("# header\nPX2 = 1\n" + test.line + "\nZ = 1\n");
    EXPECT_FALSE(parsed.values) << test.line;
    EXPECT_EQ(parsed.error, "line 3: " + test.error) << test.line;
  }
}

TEST(SettingsValuesTest, NamesCompareWithoutLetterCaseAndAReplacementKeepsItsPlace) {
  SettingsValues values;
  values.Set("ColorIrScaleBackWT", 5);
  values.Set("ZoomWT", 9);
  values.Set("COLORIRSCALEBACKWT", "text"s);

  ASSERT_EQ(values.Entries().size(), 2u);
  EXPECT_EQ(values.Entries()[0].name, "COLORIRSCALEBACKWT");
  EXPECT_EQ(*values.Find("ColorIRScaleBackWT"), SettingsValue("text"s));
  EXPECT_EQ(values.Find("ColorIRScaleBack"), nullptr);
  EXPECT_EQ(values.Find("ColorIRScaleBackWTX"), nullptr);
}

TEST(SettingsValuesTest, OnlyPlainAsciiWordsAreNames) {
  for (const char* name : {"PX1", "ZoomWT", "_x", "a_1"})
    EXPECT_TRUE(IsValidSettingsName(name)) << name;
  for (const char* name : {"", "1PX", "P X", "P=X", "P\"X", "Größe", "PX1\n"}) {
    EXPECT_FALSE(IsValidSettingsName(name)) << name;
  }
}

}  // namespace
}  // namespace morvane
