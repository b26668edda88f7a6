// The table generator refuses sources that would make the tables differ from their review.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/base/testing/temp_drive.h"

namespace quarnel {
namespace {

constexpr const char* kTextGenerator = QUARNEL_TEXT_GENERATOR;
constexpr const char* kTextDataDir = QUARNEL_TEXT_DATA_DIR;

struct Edit {
  const char* what;
  const char* from;  // a line of the reviewed state-text source
  const char* to;    // its damaged form; nullptr removes the line
};

class Generator : public ::testing::Test {
 protected:
  // Runs the generator over the reviewed unit texts and a copy of the state-text source with
  // one line replaced; true when it accepts the source and writes its output.
  bool Accepts(const Edit& edit) {
    std::string source = vetra::testing::ReadWholeFile(std::string(kTextDataDir) + "/state_texts.txt");
    const std::string from = std::string(edit.from) + "\n";
    const auto at = source.find(from);
    EXPECT_NE(at, std::string::npos) << edit.from;
    source.replace(at, from.size(), edit.to ? std::string(edit.to) + "\n" : std::string{});
    drive_.WriteFile("state_texts.txt", source);
    const std::string output = (drive_ / "out.cpp").string();
    const std::string command = std::string(kTextGenerator) + " " + kTextDataDir + "/unit_texts.txt " +
                                (drive_ / "state_texts.txt").string() + " " + output + " 2>/dev/null";
    const bool accepted = std::system(command.c_str()) == 0;
    return accepted && !vetra::testing::ReadWholeFile(output).empty();
  }

  vetra::testing::TempDrive drive_;
};

TEST_F(Generator, AcceptsTheReviewedSource) {
  EXPECT_TRUE(Accepts({"unchanged", "3 (15, 3): \" LOW\" \" HIGH\"", "3 (15, 3): \" LOW\" \" HIGH\""}));
}

const Edit kDamagedSources[] = {
    {"row count", "3 (15, 3): \" LOW\" \" HIGH\"", "3 (15, 4): \" LOW\" \" HIGH\""},
    {"row width", "3 (15, 3): \" LOW\" \" HIGH\"", "3 (17, 3): \" LOW\" \" HIGH\""},
    {"text too wide", "3 (15, 3): \" LOW\" \" HIGH\"", "3 (15, 3): \" LOW\" \" HIGH123456\""},
    {"not code page 949", "3 (15, 3): \" LOW\" \" HIGH\"", "3 (15, 3): \" LOW\" \" \xF0\x9F\x98\x80\""},
    {"missing table", "3 (15, 3): \" LOW\" \" HIGH\"", nullptr},
    {"id given twice", "3 (15, 3): \" LOW\" \" HIGH\"", "3, 4 (15, 3): \" LOW\" \" HIGH\""},
    {"unassigned id", "3 (15, 3): \" LOW\" \" HIGH\"", "3, 250 (15, 3): \" LOW\" \" HIGH\""},
    {"alias of nothing", "605 = 505", "605 = 250"},
    {"number row missing", "integer 44 \"%3d\": 0 199, 32 107, 64 79, 96 63, 128 48, 160 37, 192 24, 224 6, 255 -38",
     "integer 44 \"%3d\": 0 199, 32 107, 64 79, 96 63, 128 48, 160 37, 192 24, 224 6"},
    {"number row given twice", "real 45 \"%2.2f\": 0-10 0.00, 32 27.00, 64 67.00, 90-255 99.00",
     "real 45 \"%2.2f\": 0-10 0.00, 10 1.00, 32 27.00, 64 67.00, 90-255 99.00"},
};

class DamagedSource : public Generator, public ::testing::WithParamInterface<Edit> {};

TEST_P(DamagedSource, IsRefused) { EXPECT_FALSE(Accepts(GetParam())) << GetParam().what; }

INSTANTIATE_TEST_SUITE_P(Generator, DamagedSource, ::testing::ValuesIn(kDamagedSources));

}  // namespace
}  // namespace quarnel
