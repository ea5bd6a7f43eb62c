// SPDX-License-Identifier: MIT
// torvix profile save and apply on the virtual camera.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "profiles/profile_input.h"

#include "tests/cli/cli_fixture.h"

namespace torvix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using Profile = CliOnSim;

TEST_F(Profile, ApplyRestoresAChangedCameraWritingOnlyWhatDiffers) {
  camera().SetRegister(0x02, 0x2b);
  const auto path = scratch / "cam.json";
  ASSERT_EQ(Run({"profile", "save", path.string()}).code, 0);

  camera().SetRegister(0x02, 0x29 | 0x40);  // AGC off, and a bit the panel does not own
  camera().SetRegister(0x57, 0x50);
  camera().SetRegister(0xa0, 0x00);
  rig().Log().Clear();
  const CliRun run = Run({"profile", "apply", path.string()});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_THAT(WrittenRegisters(), ElementsAre(0x02, 0x57, 0xa0));
  EXPECT_EQ(camera().Register(0x02), 0x6b);
  EXPECT_EQ(camera().Register(0x57), 0x3c);
  EXPECT_EQ(camera().Register(0xa0), 0x01);
  EXPECT_EQ(run.out,
            " 0 AgcControl          0x02 = 0x6b AGC On (was 0x69)\n"
            "16 Contrast            0x57 = 0x3c (was 0x50)\n"
            "28 VideoStandard       0xa0 = 0x01 PAL (was 0x00)\n");

  rig().Log().Clear();
  const CliRun again = Run({"profile", "apply", path.string()});
  EXPECT_EQ(again.code, 0);
  EXPECT_EQ(again.out, "");
  EXPECT_TRUE(WrittenRegisters().empty());
}

TEST_F(Profile, SaveToStdoutHoldsTheWritableSettings) {
  const CliRun run = Run({"profile", "save", "-"});
  EXPECT_EQ(run.code, 0);
  EXPECT_THAT(run.out, HasSubstr("\"Contrast\": \"0x3c\""));
  EXPECT_THAT(run.out, ::testing::Not(HasSubstr("Register52")));
}

TEST_F(Profile, DryRunPrintsTheChangesAndWritesNothing) {
  const auto path = scratch / "p.json";
  WriteFileBytes(path, "{\"settings\": {\"Contrast\": \"0x40\", \"WdrMode\": \"High\"}}");
  const CliRun run = Run({"profile", "apply", "--dry-run", path.string()});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "16 Contrast            0x57 = 0x40 (was 0x3c)\n");
  EXPECT_EQ(run.err, "Dry run: 1 setting(s) would change\n");
  EXPECT_TRUE(WrittenRegisters().empty());
}

TEST_F(Profile, AMalformedProfileChangesNothingAndNamesLineAndField) {
  const auto path = scratch / "bad.json";
  WriteFileBytes(
      path, "{\n  \"settings\": {\n    \"WdrMode\": \"OFF\",\n    \"Contrast\": 200\n  }\n}\n");
  const CliRun run = Run({"profile", "apply", path.string()});
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.err,
            "Error: " + path.string() + " line 4: Contrast value out of range (0x38-0x54)!\n");
  // Read first: a camera holding 200 would take the file as it is.
  EXPECT_TRUE(WrittenRegisters().empty());
  EXPECT_EQ(camera().Register(0x07), 0x03);
}

// A camera may hold values its controls never write; its profile must apply back to it, and
// only a change to such a value is refused.
TEST_F(Profile, ValuesOutsideTheirRangeAreWarnedOfSavedAndRefusedOnlyWhereTheyWouldChange) {
  camera().SetRegister(0x07, 0x05);  // WdrMode
  camera().SetRegister(0x57, 0x60);  // Contrast
  const auto path = scratch / "odd.json";
  const CliRun save = Run({"profile", "save", path.string()});
  EXPECT_EQ(save.code, 0);
  EXPECT_EQ(save.err,
            "Warning: WdrMode 0x05 is outside its range (0x00-0x03)\n"
            "Warning: Contrast 0x60 is outside its range (0x38-0x54)\n");
  const CliRun back = Run({"profile", "apply", path.string()});
  EXPECT_EQ(back.code, 0) << back.err;
  EXPECT_EQ(back.out, "");

  camera().SetRegister(0x57, 0x40);
  const CliRun other = Run({"profile", "apply", path.string()});
  EXPECT_EQ(other.code, 2);
  EXPECT_EQ(other.err,
            "Error: " + path.string() + " line 17: Contrast value out of range (0x38-0x54)!\n");
  EXPECT_TRUE(WrittenRegisters().empty());
}

// The camera's address, OSD mode and Push2White belong to one camera: saved and written only
// with --with-address.
TEST_F(Profile, TheCamerasOwnSettingsTravelOnlyWithWithAddress) {
  EXPECT_THAT(Run({"profile", "save", "-"}).out, ::testing::Not(HasSubstr("CameraAddress")));
  const std::string saved = Run({"profile", "save", "--with-address", "-"}).out;
  for (const char* name : {"CameraAddress", "PushToWhite", "OsdControl"}) {
    EXPECT_THAT(saved, HasSubstr(name));
  }
  const auto path = scratch / "p.json";
  WriteFileBytes(path,
                 "{\"settings\": {\"CameraAddress\": \"0x72\", \"Contrast\": \"0x40\", "
                 "\"OsdControl\": 1}}");
  const CliRun skipped = Run({"profile", "apply", path.string()});
  EXPECT_EQ(skipped.code, 0) << skipped.err;
  EXPECT_THAT(WrittenRegisters(), ElementsAre(0x57));
  EXPECT_EQ(skipped.err, "Left alone: " + path.string() +
                             " also sets CameraAddress, OsdControl (--with-address writes them)\n");
  rig().Log().Clear();
  const CliRun all = Run({"profile", "apply", "--with-address", path.string()});
  EXPECT_EQ(all.code, 0) << all.err;
  EXPECT_THAT(WrittenRegisters(), ElementsAre(0x31, 0x80));
}

TEST_F(Profile, AMissingFileIsAFileError) {
  const CliRun run = Run({"profile", "apply", (scratch / "none.json").string()});
  EXPECT_EQ(run.code, 1);
  EXPECT_THAT(run.err, HasSubstr("Error: cannot read "));
  EXPECT_EQ(rig().Log().Size(), 0u);
}

// Nothing but a plain file of at most 1 MiB, or standard input for "-", is read: /dev/zero would
// never end and a FIFO without a writer would never start.
TEST_F(Profile, OnlyAPlainFileOfAtMostOneMebibyteOrStandardInputIsRead) {
  const std::string small = "{\"settings\": {\"Contrast\": 64}}";
  const std::string large = small + std::string(kProfileSizeLimit, ' ');
  const std::string big = (scratch / "big.json").string();
  WriteFileBytes(big, large);
  struct Case {
    std::string path;
    std::string input;
    int code;
    std::string err;
  };
  std::vector<Case> cases = {
      {big, "", 1, "Error: " + big + " is larger than 1 MiB; a profile is a few kilobytes\n"},
      {"-", large, 1, "Error: standard input is larger than 1 MiB; a profile is a few kilobytes\n"},
      {"-", small, 0, ""},
  };
#if !defined(_WIN32)
  const std::string fifo = (scratch / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  cases.insert(cases.begin(),
               {{"/dev/zero", "", 1,
                 "Error: cannot read /dev/zero: it is a character device, not a profile file\n"},
                {fifo, "", 1,
                 "Error: cannot read " + fifo + ": it is a FIFO, not a profile file\n"}});
#endif
  for (const Case& c : cases) {
    const CliRun run = Run({"profile", "apply", c.path}, c.input);
    EXPECT_EQ(run.code, c.code) << c.path;
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_EQ(camera().Register(0x57), 0x40);
}

TEST_F(Profile, AnUnwritableSaveIsAFileError) {
  const CliRun run = Run({"profile", "save", (scratch / "no" / "p.json").string()});
  EXPECT_EQ(run.code, 1);
  EXPECT_THAT(run.err, HasSubstr("Error: cannot write "));
}

TEST_F(Profile, AWriteThatFailsStopsApplyAndSaysHowFarItGot) {
  const auto path = scratch / "p.json";
  WriteFileBytes(path, "{\"settings\": {\"Contrast\": 64, \"RedGain\": 1, \"VideoStandard\": 0}}");
  rig().Log().SetSink([this](const BusTransfer& t) {
    if (t.direction == Direction::kWrite && t.bytes == std::vector<uint8_t>{0x00, 0x30, 0x57}) {
      rig().SetCameraPresent(false);
    }
  });
  const CliRun run = Run({"profile", "apply", path.string()});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(camera().Register(0x42), 0x01);
  EXPECT_EQ(camera().Register(0xa0), 0x01);
  EXPECT_THAT(run.out, HasSubstr("RedGain"));
  EXPECT_THAT(run.err, HasSubstr("Error: stopped at Contrast; 1 setting(s) changed before it\n"));
}

}  // namespace
}  // namespace torvix::testing
