// SPDX-License-Identifier: MIT
// Profiles: what save writes reads back the same, and a faulty file is refused as a whole with
// the line and the field at fault.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "profiles/json_key_lines.h"
#include "profiles/profile_file.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

TEST(ProfileFile, ASavedProfileReadsBackAsEveryWritableSettingInTableOrder) {
  CameraBlock block = DefaultCameraBlock();
  for (int i = 0; i < kSettingCount; ++i) block.SettingsShadow[i] = static_cast<uint8_t>(0x40 + i);
  block.SettingsShadow[WdrMode] = 0x02;
  block.SettingsShadow[BlcSize] = 0x1b;
  block.SettingsShadow[LlsMode] = 0x07;
  block.SettingsShadow[SharpnessOff] = 0x01;
  block.SettingsShadow[OsdControl] = 0x00;
  block.SettingsShadow[VideoStandard] = 0x00;
  block.SettingsShadow[DayNightMode] = 0x01;
  block.SettingsShadow[ZoomFactor] = 0x03;
  block.SettingsShadow[PushToWhite] = 0x02;
  block.SettingsShadow[WhiteBalanceControl] = 0xf9;
  block.SettingsShadow[Contrast] = 0x50;
  block.SettingsShadow[ColorGain] = 0x2c;
  block.SettingsShadow[AexReference] = 0x78;
  block.SettingsShadow[SharpnessLevel] = 0x38;
  block.SettingsShadow[AgcGainMax] = 0x80;
  block.SettingsShadow[DayNightLevel] = 0x60;

  // CameraAddress, OsdControl and PushToWhite only when asked for.
  for (const bool withHeldBack : {true, false}) {
    std::vector<ProfileEntry> entries;
    std::string error;
    ASSERT_TRUE(ParseProfile(ProfileText(block, withHeldBack), "p.json", entries, error)) << error;
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(kSettingCount - (withHeldBack ? 1 : 4)));
    CameraBlock other = DefaultCameraBlock();
    int previous = -1;
    for (const ProfileEntry& entry : entries) {
      EXPECT_GT(entry.id, previous);
      previous = entry.id;
      EXPECT_NE(entry.id, Register52);
      EXPECT_TRUE(withHeldBack || !HeldBackSetting(entry.id)) << entry.id;
      // Applied to any camera, the saved bits come back.
      const uint8_t applied = ApplyRequest(other.SettingsShadow[entry.id], entry.request);
      const uint8_t mask = entry.request.mask;
      EXPECT_EQ(applied & mask, block.SettingsShadow[entry.id] & mask) << entry.id;
    }
  }
}

TEST(ProfileFile, EntriesComeInTableOrderWhateverTheFileOrder) {
  const std::string text =
      "{\"settings\": {\"VideoStandard\": \"NTSC\", \"Contrast\": 64, \"0x02\": \"AGC On\"}}";
  std::vector<ProfileEntry> entries;
  std::string error;
  ASSERT_TRUE(ParseProfile(text, "p.json", entries, error)) << error;
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].id, AgcControl);
  EXPECT_EQ(entries[1].id, Contrast);
  EXPECT_EQ(entries[1].request.value, 64);
  EXPECT_EQ(entries[2].id, VideoStandard);
  EXPECT_EQ(entries[2].request.value, 0);
}

struct Faulty {
  const char* name;
  const char* text;
  const char* error;
};

class FaultyProfile : public ::testing::TestWithParam<Faulty> {};

TEST_P(FaultyProfile, IsRefusedWholeWithItsLineAndField) {
  std::vector<ProfileEntry> entries;
  std::string error;
  EXPECT_FALSE(ParseProfile(GetParam().text, "cam.json", entries, error));
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaultyProfile,
    ::testing::Values(
        // A register value outside the range is read (a camera may hold it); no register
        // holds this one.
        Faulty{"OutOfRange",
               "{\n  \"settings\": {\n    \"WdrMode\": \"High\",\n    \"Contrast\": \"0x160\"\n  "
               "}\n}\n",
               "Error: cam.json line 4: Contrast value out of range (0x38-0x54)!"},
        Faulty{"IntegerOutOfRange", "{\"settings\": {\n\"RedGain\": 300}}",
               "Error: cam.json line 2: RedGain value out of range (0x00-0xff)!"},
        Faulty{"UnknownSetting", "{\"settings\": {\n\"Contrast\": 60,\n\"Gamma\": 1}}",
               "Error: cam.json line 3: unknown setting 'Gamma'"},
        Faulty{"ReadOnly", "{\"settings\": {\n\"Register52\": 64}}",
               "Error: cam.json line 2: Register52 is read-only"},
        Faulty{"WrongType", "{\"settings\": {\n\n\"Contrast\": [60]}}",
               "Error: cam.json line 3: Contrast: the value must be a number or a text"},
        Faulty{"Fraction", "{\"settings\": {\"Contrast\": 60.5}}",
               "Error: cam.json line 1: Contrast: the value must be a number or a text"},
        Faulty{"Twice", "{\"settings\": {\n\"Contrast\": 60,\n\"0x57\": 61}}",
               "Error: cam.json line 3: Contrast is given twice (first on line 2)"},
        Faulty{"SameKeyTwice", "{\"settings\": {\n\"Contrast\": 60,\n\"Contrast\": 60}}",
               "Error: cam.json line 3: Contrast is given twice (first on line 2)"},
        Faulty{"Syntax", "{\n\"settings\": {\n\"Contrast\": 60\n\"WdrMode\": 2}}",
               "Error: cam.json line 4: syntax error while parsing object - unexpected string "
               "literal; expected '}' (after field 'Contrast')"},
        Faulty{"Empty", "",
               "Error: cam.json line 1: syntax error while parsing value - "
               "unexpected end of input; expected '[', '{', or a literal"},
        Faulty{"NoSettings", "{\"torvix-profile\": 1}",
               "Error: cam.json line 1: no \"settings\" object"},
        Faulty{"NotAnObject", "[1, 2]",
               "Error: cam.json line 1: a profile is a JSON object with a \"settings\" object"},
        Faulty{"SettingsNotAnObject", "{\n\"settings\": 5}",
               "Error: cam.json line 2: \"settings\" must be an object of NAME: VALUE"},
        Faulty{"WrongVersion", "{\"settings\": {},\n \"torvix-profile\": 2}",
               "Error: cam.json line 2: torvix-profile must be 1"},
        Faulty{"SettingsTwice", "{\"settings\": {},\n \"settings\": {\"Contrast\": 60}}",
               "Error: cam.json line 2: settings is given twice (first on line 1)"},
        Faulty{"UnknownField", "{\"settings\": {},\n \"camera\": \"x\"}",
               "Error: cam.json line 2: unknown field 'camera'"},
        // A value is the whole string: nothing after a zero byte is dropped, and the message
        // shows the byte as the file wrote it.
        Faulty{"ZeroByteInValue", "{\"settings\": {\n\"Contrast\": \"0x40\\u0000junk\"}}",
               "Error: cam.json line 2: Contrast value '0x40\\u0000junk' is not a number "
               "(0x38-0x54)"},
        Faulty{"ZeroByteInName", "{\"settings\": {\n\"Contrast\\u0000\": 60}}",
               "Error: cam.json line 2: unknown setting 'Contrast\\u0000'"},
        // Names are compared as the JSON means them, not as they are spelt.
        Faulty{"EscapedTwice", "{\"settings\": {\n\"Contr\\u0061st\": 60,\n\"Contrast\": 60}}",
               "Error: cam.json line 3: Contrast is given twice (first on line 2)"},
        Faulty{"EscapedFieldTwice", "{\"settings\": {},\n\n \"setting\\u0073\": {}}",
               "Error: cam.json line 3: settings is given twice (first on line 1)"},
        // Numbers beyond every type's range, wherever they stand.
        Faulty{"HugeValue", "{\"settings\": {\n  \"Contrast\": 1e400\n}}",
               "Error: cam.json line 2: Contrast: number overflow parsing '1e400'"},
        Faulty{"HugeVersion", "{\n\"torvix-profile\": [-1e999], \"settings\": {}}",
               "Error: cam.json line 2: torvix-profile: number overflow parsing '-1e999'"},
        Faulty{"HugeUnknownField", "{\"settings\": {},\n\"x\": {\"y\": 1, \"z\": 2e308}}",
               "Error: cam.json line 2: z: number overflow parsing '2e308'"}),
    CaseName());

TEST(JsonKeyLines, KeysKeepTheirDepthAndLineAreDecodedAndIgnoreStringsThatAreValues) {
  const std::string text = "{\"a\": \"x:\",\n \"b\": {\"c\\\"d\": 1,\n\n \"\\u0065\"\n : [\"f\"]}}";
  nlohmann::json document;
  std::vector<JsonKeyLine> keys;
  JsonFault fault;
  ASSERT_TRUE(ReadJsonWithKeyLines(text, document, keys, fault)) << fault.what;
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].key, "a");
  EXPECT_EQ(keys[0].depth, 1);
  EXPECT_EQ(keys[1].key, "b");
  EXPECT_EQ(keys[1].line, 2);
  EXPECT_EQ(keys[2].key, "c\"d");
  EXPECT_EQ(keys[2].depth, 2);
  EXPECT_EQ(keys[3].key, "e");
  EXPECT_EQ(keys[3].line, 4);
}

}  // namespace
}  // namespace torvix::testing

namespace torvix::testing {
namespace {

// Every way a hand-edited profile can be cut short or mistyped by one character is either read
// or refused whole with a line to look at; nothing in between, nothing that crashes.
TEST(ProfileFile, EveryCutAndEveryOneCharacterSlipIsReadOrRefusedWithALine) {
  const std::string good =
      "{\n  \"torvix-profile\": 1,\n  \"settings\": {\n    \"WdrMode\": \"High\",\n"
      "    \"Contrast\": 60,\n    \"0xa0\": \"PAL\"\n  }\n}\n";
  std::vector<std::string> variants;
  for (std::size_t cut = 0; cut < good.size(); ++cut) variants.push_back(good.substr(0, cut));
  for (std::size_t at = 0; at < good.size(); ++at) {
    for (char slip : {'"', '{', '}', '[', ',', ':', '\\', '\n', '0', 'x'}) {
      std::string text = good;
      text[at] = slip;
      variants.push_back(text);
    }
  }
  for (const std::string& text : variants) {
    std::vector<ProfileEntry> entries;
    std::string error;
    if (ParseProfile(text, "cam.json", entries, error)) {
      EXPECT_LE(entries.size(), 3u) << text;
      continue;
    }
    EXPECT_TRUE(entries.empty()) << text;
    EXPECT_EQ(error.rfind("Error: cam.json line ", 0), 0u) << text << "\n" << error;
  }
}

}  // namespace
}  // namespace torvix::testing
