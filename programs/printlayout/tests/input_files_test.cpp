#include <gtest/gtest.h>

#include <string_view>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "programs/printlayout/input_files.h"
#include "tools/samples/printlayout_sample.h"

namespace tolvex {
namespace {

using vetra::Cp949;

TEST(LineFiles, SplitLikeTheReader)
{
  using namespace std::string_view_literals;
  struct Case {
    std::string_view bytes;
    int maxLines;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\nb\r\n", 10, {"a", "b"}},
      {"a\nb\n", 10, {"a", "b"}},                  // LF alone gives the same texts
      {"a\r\nlast", 10, {"a", "last"}},             // a last line without LF counts
      {"a\r\n\r\nc", 10, {"a", "", "c"}},           // an empty line keeps its slot
      {"ab\rjunk\ncd", 10, {"ab", "cd"}},           // bytes after a CR are dropped
      {"1\n2\n3\n4", 2, {"1", "2"}},                 // at most maxLines
      {"AB\0CD\r\nEF"sv, 10, {"AB", "EF"}},         // a slot is text: it ends at its first NUL
      {"\0x\nlast\0"sv, 10, {"", "last"}},
      {"", 10, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.bytes, c.maxLines), c.lines) << c.bytes;
}

TEST(LineFiles, OverlongLineKeepsItsBeginningAndTheNextLine)
{
  const std::string bytes = std::string(5000, 'x') + "\r\nnext\r\n";
  const auto lines = SplitLines(bytes, 10);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), kLineBufferBytes - 1);
  EXPECT_EQ(lines[1], "next");
}

TEST(CarInfo, PiecesKeepDoubleByteCharactersWhole)
{
  const std::string syllable = Cp949("가");
  std::string thirty;
  for (int i = 0; i < 30; ++i) thirty += syllable;
  const std::string letterThenHangul = "A" + thirty;
  struct Case {
    std::string text;
    std::vector<std::size_t> sizes;
  } cases[] = {
      {thirty, {24, 24, 12}},
      {letterThenHangul, {23, 24, 14}},  // the first window holds 23 high bytes: 23-byte piece
      {std::string(48, 'a'), {24, 24, 0}},
      {std::string(300, 'a'), {24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 12}},
      {"", {0}},
  };
  for (const auto& c : cases) {
    std::vector<std::size_t> sizes;
    for (const auto& piece : CarInfoPieces(c.text)) sizes.push_back(piece.size());
    EXPECT_EQ(sizes, c.sizes) << vetra::Utf8(c.text);
  }
}

TEST(MarkerName, JoinsTheVehicleLinesAndBlanksUnsafeCharacters)
{
  EXPECT_EQ(MarkerFileName({Cp949("12가3456"), "KMH", "2004", "SONATA"}), Cp949("12가3456KMH-SONATA-2004"));
  EXPECT_EQ(MarkerFileName({"a/b*c", "\"<>|", "d:\\e", "f"}), "a b c    -f-d  e");
  EXPECT_EQ(MarkerFileName({}), "--");
  // A lead byte before a byte that cannot trail it is no character: the separator after it is
  // blanked all the same, and a lead byte at the very end stays.
  EXPECT_EQ(MarkerFileName({"\xc5/x", "", "", "\xb0\\"}), "\xc5 x-\xb0 -");
  EXPECT_EQ(MarkerFileName({"\xc5:", "\xc5", "", ""}), "\xc5 \xc5--");
}

class InputFiles : public ::testing::Test {
protected:
  vetra::testing::TempDrive drive;
  std::filesystem::path temp = drive / "Vetra/Fenmark/Temp";
  ReportTexts Read()
  {
    ReportTexts texts;
    ReadCarFile(texts);
    ReadCustomerInfo(texts);
    ReadShopInfo(texts);
    ReadCarInfoText(texts);
    return texts;
  }
};

TEST_F(InputFiles, SampleFilesFillTheSlots)
{
  for (const bool lfOnly : {false, true}) {
    vetra::samples::PrintLayoutOptions options;
    options.lfOnly = lfOnly;
    ASSERT_TRUE(vetra::samples::WritePrintLayoutSample(options, temp));
    const ReportTexts texts = Read();
    EXPECT_FALSE(texts.shop[0].empty());
    EXPECT_FALSE(texts.customer[0].empty());
    EXPECT_EQ(texts.customerFolder, "c:\\Vetra\\" + texts.customer[0] + "\\");
    EXPECT_FALSE(texts.markerFileName.empty());
    EXPECT_GT(texts.carInfoLines, 0);
    for (const auto& line : texts.shop) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  }
}

TEST_F(InputFiles, MissingFilesLeaveEverythingEmpty)
{
  const ReportTexts texts = Read();
  EXPECT_EQ(texts.shop, ReportTexts{}.shop);
  EXPECT_EQ(texts.customer, ReportTexts{}.customer);
  EXPECT_EQ(texts.carInfoLines, 0);
  EXPECT_EQ(texts.customerFolder, "");
  EXPECT_EQ(texts.markerFileName, "");
}

// A vehicle file found by fuzzing: its third line holds a lead byte before '/', which once kept
// the '/' in the marker name and so put the marker into another folder.
TEST_F(InputFiles, AVehicleFileNeverLeadsTheMarkerOutOfItsFolder)
{
  static const char kCarFile[] =
      "\xc7\xd1\xba\xfb\xc0\xda\xb5\xbf\xc2\xf7\xc1\xba\xb0\xbd\xc3\x20\xb0\xad\xb3\xb2\xb1\xb8\x20"
      "\xc5\xd7\xc7\xec\xb6\xf5\xb7\xce\x20\x31\x32\x33\x0d\x0a\xc7\xd1\xba\xfb\xba\xf4\xb5\xf9"
      "\x20\x31\xc3\x66\x1b\xd1\xba\xfe\x0d\x0a\xad\xbf\xef\xc6\xaf\xba\xb0\xbd\xc3\x20\xb0\xad"
      "\xb3\xb2\xb8\xb1\x20\xc5\x2f\x13\xc7\xb6\xf5\xb7\xce\x20\x38\x37\x37\x0d\x0a\xc7\xd1\xba"
      "\xfb\x30\x32\x2d\x35\x35\x35\x2d\x31\x32\x30\x30\x0d\x0a\x30\x32\x2d\x01\x00\x00\x00\x31"
      "\x32\x30\x31\x0d\x0a";
  drive.WriteFile("Vetra/Fenmark/Temp/car.dat", std::string_view(kCarFile, sizeof kCarFile - 1));
  const ReportTexts texts = Read();
  ASSERT_FALSE(texts.markerFileName.empty());
  EXPECT_EQ(texts.markerFileName.find_first_of("\\/:*\"<>|"), std::string::npos) << texts.markerFileName;
}

TEST_F(InputFiles, CustomerFileFallsBackToCustomAndOtherMakeHidesTheWorkshop)
{
  vetra::samples::PrintLayoutOptions options;
  options.customerAsCustom = true;
  options.otherMake = true;
  ASSERT_TRUE(vetra::samples::WritePrintLayoutSample(options, temp));
  const ReportTexts texts = Read();
  EXPECT_FALSE(texts.customer[0].empty());
  EXPECT_EQ(texts.shop, ReportTexts{}.shop);
}

TEST_F(InputFiles, EmptyFilesGiveOneEmptyPieceAndAFolderWithoutName)
{
  drive.WriteFile("Vetra/Fenmark/Temp/carinfo.txt", "");
  drive.WriteFile("Vetra/Fenmark/Temp/customsava.dat", "");
  const ReportTexts texts = Read();
  EXPECT_EQ(texts.carInfoLines, 1);
  EXPECT_EQ(texts.carInfo[0], "");
  EXPECT_EQ(texts.customerFolder, "c:\\Vetra\\\\");
}

TEST_F(InputFiles, LongVehicleTextPrintsTenOfItsPieces)
{
  drive.WriteFile("Vetra/Fenmark/Temp/carinfo.txt", std::string(150, 'a') + "\r\n" + std::string(150, 'b') + "\r\n");
  const ReportTexts texts = Read();
  EXPECT_EQ(texts.carInfoLines, 10);
  EXPECT_EQ(texts.carInfo[12], std::string(12, 'b'));
  EXPECT_EQ(texts.carInfo[6], std::string(6, 'a') + std::string(18, 'b'));
}

}  // namespace
}  // namespace tolvex
