// LUT tables, print-layout input texts, version files and the programs' command line.
#include <gtest/gtest.h>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "tools/samples/lut_sample.h"
#include "tools/samples/printlayout_sample.h"
#include "tools/samples/sample_command_line.h"
#include "tools/samples/tests/read_bytes.h"
#include "tools/samples/version_sample.h"

namespace vetra::samples {
namespace {

using testing::FileBytes;
using vetra::testing::ReadWholeFile;
using vetra::testing::TempDrive;

TEST(LutSample, TablesHold256DoublesUnderTheirNumber) {
  TempDrive drive;
  ASSERT_TRUE(WriteLutSample({.number = 3}, drive / "Data/LUT"));
  ASSERT_TRUE(WriteLutSample({.number = 123, .kind = LutKind::Linear, .low = -20, .high = 235}, drive / "Data/LUT"));
  const FileBytes coolant(drive / "Data/LUT/Lut03.DAT");
  const FileBytes linear(drive / "Data/LUT/Lut123.DAT");
  ASSERT_EQ(coolant.Size(), 2048u);
  ASSERT_EQ(linear.Size(), 2048u);
  // A coolant sensor reads hotter at lower voltage: the table falls from 150 C to -40 C.
  EXPECT_DOUBLE_EQ(coolant.F64(0), 150.0);
  EXPECT_DOUBLE_EQ(coolant.F64(8 * 255), -40.0);
  for (int k = 1; k < 256; ++k) EXPECT_LE(coolant.F64(8 * k), coolant.F64(8 * (k - 1))) << k;
  EXPECT_NEAR(coolant.F64(8 * 22), 87.0, 2.0);  // 0.52 V, the warm engine of the road-test sample
  EXPECT_DOUBLE_EQ(linear.F64(0), -20.0);
  EXPECT_DOUBLE_EQ(linear.F64(8 * 255), 235.0);
  EXPECT_DOUBLE_EQ(linear.F64(8 * 1), -19.0);
}

std::vector<std::string> LinesOf(const std::string& text, const char* end) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t next = text.find(end, at);
    if (next == std::string::npos) break;
    lines.push_back(text.substr(at, next - at));
    at = next + std::string_view(end).size();
  }
  return lines;
}

TEST(PrintLayoutSample, WritesTheFourTextsInCodePage949) {
  TempDrive drive;
  ASSERT_TRUE(WritePrintLayoutSample({}, drive / "Vetra/Fenmark/Temp"));
  const auto read = [&](const char* name) { return ReadWholeFile(drive / "Vetra/Fenmark/Temp" / name); };
  const auto car = LinesOf(read("car.dat"), "\r\n");
  const auto customer = LinesOf(read("customsava.dat"), "\r\n");
  const auto shop = LinesOf(read("shopinfo.dat"), "\r\n");
  ASSERT_EQ(car.size(), 4u);
  ASSERT_EQ(customer.size(), 10u);
  ASSERT_EQ(shop.size(), 5u);
  EXPECT_EQ(Utf8(customer[2]), "김민준");
  EXPECT_EQ(customer[7], "45230");
  EXPECT_EQ(Utf8(shop[0]), "한빛자동차정비");
  EXPECT_FALSE(read("carinfo.txt").empty());
  EXPECT_EQ(read("carinfo.txt").find('\n'), read("carinfo.txt").find("\r\n") + 1);
}

TEST(PrintLayoutSample, VariantsForTheReadersEdgeCases) {
  TempDrive drive;
  const auto folder = drive / "Temp";
  ASSERT_TRUE(WritePrintLayoutSample({.car = false, .customerAsCustom = true, .otherMake = true, .lfOnly = true,
                                      .carInfoLines = {"A가나다"}},
                                     folder));
  EXPECT_FALSE(std::filesystem::exists(folder / "car.dat"));
  EXPECT_FALSE(std::filesystem::exists(folder / "customsava.dat"));
  EXPECT_EQ(LinesOf(ReadWholeFile(folder / "custom"), "\n").size(), 10u);
  EXPECT_EQ(LinesOf(ReadWholeFile(folder / "shopinfo.dat"), "\n").front(), Cp949("기타차종"));
  EXPECT_EQ(ReadWholeFile(folder / "carinfo.txt"), Cp949("A가나다") + "\n");
}

TEST(VersionSample, OneDecimalNumberPerFile) {
  TempDrive drive;
  ASSERT_TRUE(WriteVersionSample({.report = 1.3, .editor = std::nullopt, .viewer = 2.0}, drive / "Vetra/Fenmark"));
  EXPECT_EQ(ReadWholeFile(drive / "Vetra/Fenmark/FenmarkVersion.Dat"), "1.30\r\n");
  EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/Fenmark/FenmarkVersion2.Dat"));
  EXPECT_EQ(ReadWholeFile(drive / "Vetra/Fenmark/ViewerVersion.Dat"), "2.00\r\n");
}

TEST(SampleCommandLine, AcceptsGoodArgumentsAndRefusesBadOnes) {
  struct Case {
    std::vector<const char*> args;
    bool ok;
    int count;
    bool flag;
  };
  const Case cases[] = {
      {{"out.bin"}, true, 5, false},
      {{"--count", "9", "--flag", "out.bin"}, true, 9, true},
      {{"--count", "11", "out.bin"}, false, 5, false},
      {{"--count", "x", "out.bin"}, false, 5, false},
      {{"--count"}, false, 5, false},
      {{"--unknown", "out.bin"}, false, 5, false},
      {{"a", "b"}, false, 5, false},
      {{}, false, 5, false},
  };
  for (const auto& c : cases) {
    int count = 5;
    bool flag = false;
    CommandLine cl("make-test", "test", "OUTPUT");
    cl.Add({"count", "N", "1..10", IntIn(count, 1, 10)});
    cl.Add({"flag", "", "a switch", Switch(flag)});
    std::vector<char*> argv = {const_cast<char*>("make-test")};
    for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
    ::testing::internal::CaptureStderr();
    const bool ok = cl.Parse(static_cast<int>(argv.size()), argv.data());
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(ok, c.ok) << c.args.size();
    if (!ok) {
      EXPECT_NE(printed.find("usage: make-test"), std::string::npos);
    } else {
      EXPECT_EQ(cl.Output(), "out.bin");
      EXPECT_EQ(count, c.count);
      EXPECT_EQ(flag, c.flag);
    }
  }
}

}  // namespace
}  // namespace vetra::samples
