// The window-free parts of the download control: names, progress, versions, working copies.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "controls/download/core/download_names.h"
#include "controls/download/core/progress.h"
#include "controls/download/core/version_check.h"
#include "controls/download/core/working_copy.h"
#include "platform/base/testing/temp_drive.h"
#include "tools/samples/savedata_sample.h"
#include "tools/samples/version_sample.h"

namespace pakrel {
namespace {

TEST(DownloadNamesTest, EachDataTypeHasItsTemporaryAndWorkingCopyNames)
{
  const struct {
    int dataType;
    const char* temporary;
    const char* workingCopy;
    bool packed;
  } cases[] = {
      {1, "C:\\Windows\\Osc77Temp.tmp", "77Temp.Osc", true},
      {2, "C:\\Windows\\Ig177Temp.tmp", "77Temp.Ig1", true},
      {3, "C:\\Windows\\Ig277Temp.tmp", "77Temp.Ig2", true},
      {4, "C:\\Windows\\Scn77Temp.tmp", "77Temp.Scn", true},
      {5, "C:\\Windows\\Res77Temp.tmp", "77Temp.Res", false},
  };
  for (const auto& c : cases) {
    const auto kind = DownloadKindOf(c.dataType);
    ASSERT_TRUE(kind) << c.dataType;
    EXPECT_EQ(TemporaryDownloadPath(*kind, "C:\\Windows", 77), c.temporary);
    EXPECT_EQ(savedata::WorkingCopyName(kind->recording, 77), c.workingCopy);
    EXPECT_EQ(kind->recording.packed, c.packed) << c.dataType;
    EXPECT_EQ(NumberOfWorkingCopy(c.workingCopy), 77);
  }
  for (int bad : {0, -1, 6, 32767}) EXPECT_FALSE(DownloadKindOf(bad)) << bad;
  EXPECT_EQ(NumberOfWorkingCopy("Temp.Osc"), -1);
}

TEST(ProgressTest, PositionFollowsTheExpectedSizeAndStaysInItsRange)
{
  const struct {
    std::int64_t total, expected;
    int position;
  } cases[] = {
      {0, 4096, 0},     {1024, 4096, 2500}, {4095, 4096, 9997}, {4096, 4096, 10000},
      {9000, 4096, 10000},                   // more than announced: the bar stays full
      {1024, 0, 0},     {1024, -5, 0},       // no size announced: no division
  };
  for (const auto& c : cases) EXPECT_EQ(ProgressPosition(c.total, c.expected), c.position) << c.total << "/" << c.expected;
  EXPECT_EQ(ProgressBarWidth(303, 5000), 151);
  EXPECT_EQ(ProgressBarWidth(303, 20000), 303);
  EXPECT_EQ(ProgressBarWidth(303, -3), 0);
}

TEST(VersionNumberTest, VersionsCompareInHundredthsWithTheFloatFileSideLiftedToItsValue)
{
  const struct {
    double offered;
    float installed;  // as the version file is read
    bool newer;
  } cases[] = {
      {1.3, 1.3f, false},   {1.3f, 1.3f, false},  {1.25, 1.25f, false}, {1.15, 1.15f, false},
      {1.239, 1.23f, false}, {2.0, 1.99f, true},  {1.31, 1.3f, true},    {1.29, 1.3f, false},
      {0.01, 0.0f, true},   {0.0, 0.0f, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsNewerVersion(c.offered, c.installed), c.newer) << c.offered << " vs " << c.installed;
  EXPECT_EQ(VersionHundredths(1.3f), 130);
  EXPECT_EQ(VersionHundredths(std::nan("")), 0);
  EXPECT_EQ(VersionHundredths(1e300), std::numeric_limits<int>::max());
  EXPECT_TRUE(IsNewerVersion(1e300, -1e300));
}

TEST(VersionNumberTest, AVersionFileIsReadAsOneNumberAndAMissingOrEmptyFileIsZero)
{
  vetra::testing::TempDrive drive;
  vetra::samples::VersionOptions options;
  options.report = 1.30;
  options.editor = std::nullopt;
  ASSERT_TRUE(vetra::samples::WriteVersionSample(options, drive / "Vetra/Fenmark"));
  EXPECT_FLOAT_EQ(ReadVersionFile("c:\\Vetra\\Fenmark\\FenmarkVersion.Dat"), 1.3f);
  EXPECT_EQ(ReadVersionFile("c:\\Vetra\\Fenmark\\FenmarkVersion2.Dat"), 0.0f);
  drive.WriteFile("Vetra/Fenmark/ViewerVersion.Dat", "");
  EXPECT_EQ(ReadVersionFile("c:\\Vetra\\Fenmark\\ViewerVersion.Dat"), 0.0f);
  // Only the beginning of an over-long file is read.
  drive.WriteFile("Vetra/Fenmark/ViewerVersion.Dat", "2.5" + std::string(500, ' ') + "9");
  EXPECT_FLOAT_EQ(ReadVersionFile("c:\\Vetra\\Fenmark\\ViewerVersion.Dat"), 2.5f);
}

TEST(WorkingCopyTest, TheDownloadGoesAndAFailureLeavesNoWorkingCopy)
{
  vetra::testing::TempDrive drive;
  const std::string data = vetra::samples::SampleRecordingBytes(5000);
  const struct {
    int dataType;
    std::string downloaded;
    bool ok;
  } cases[] = {
      {1, vetra::samples::MakeSaveDataArchive(data), true},
      {4, vetra::samples::MakeSaveDataArchive(data, vetra::samples::ZipMethod::stored), true},
      {5, data, true},
      {2, "not an archive", false},
      {3, vetra::samples::MakeZipArchive({{{.name = "OTHER.DAT", .data = data}}}), false},
  };
  for (const auto& c : cases) {
    drive.WriteFile("Windows/Dl1Temp.tmp", c.downloaded);
    drive.WriteFile("Vetra/TempE/1Temp.X", "");
    const auto failed = MakeWorkingCopy(*DownloadKindOf(c.dataType), "C:\\Windows\\Dl1Temp.tmp", "1Temp.X");
    EXPECT_EQ(!failed, c.ok) << c.dataType;
    EXPECT_FALSE(std::filesystem::exists(drive / "Windows/Dl1Temp.tmp")) << c.dataType;
    if (c.ok) {
      EXPECT_EQ(drive.ReadFile("Vetra/TempE/1Temp.X"), data) << c.dataType;
    } else {
      EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/TempE/1Temp.X")) << c.dataType;
    }
  }
}

}  // namespace
}  // namespace pakrel
