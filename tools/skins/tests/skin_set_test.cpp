#include "tools/skins/skin_set.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "common/dib/dib.h"
#include "platform/base/drive.h"
#include "platform/base/text.h"
#include "platform/base/testing/temp_drive.h"
#include "tools/skins/bmp_file.h"
#include "tools/skins/catalogue.h"
#include "tools/skins/cursor_file.h"
#include "tools/skins/logo_jpeg.h"

namespace vetra::skins {
namespace {

// Reads a file in one go (the set is some megabytes, read several times over).
std::string ReadFile(const std::filesystem::path& path)
{
  std::ifstream in(path, std::ios::binary);
  std::string bytes;
  if (!in.seekg(0, std::ios::end)) return bytes;
  bytes.resize(static_cast<std::size_t>(in.tellg()));
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return in ? bytes : std::string();
}

std::optional<gdi::Bitmap32> ReadPicture(std::string_view windowsPath) { return DecodeBmp24(ReadFile(MapPath(windowsPath))); }

// One drawn set shared by the checks of the set.
class SkinSet : public ::testing::Test {
protected:
  static void SetUpTestSuite()
  {
    s_drive = std::make_unique<testing::TempDrive>();
    s_result = WriteSkinSet();
  }
  static void TearDownTestSuite() { s_drive.reset(); }

  static std::unique_ptr<testing::TempDrive> s_drive;
  static SkinSetResult s_result;
};
std::unique_ptr<testing::TempDrive> SkinSet::s_drive;
SkinSetResult SkinSet::s_result;

TEST_F(SkinSet, EveryCataloguedPictureIsAValidBmpOfItsSize)
{
  EXPECT_TRUE(s_result.ok);
  EXPECT_TRUE(s_result.failures.empty());
  for (const Picture& picture : AllPictures()) {
    SCOPED_TRACE(picture.windowsPath);
    const auto decoded = ReadPicture(picture.windowsPath);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Width(), picture.entry->width);
    EXPECT_EQ(decoded->Height(), picture.entry->height);
  }
  for (const ResourceBitmap& bitmap : ResourceBitmaps()) {
    SCOPED_TRACE(ResourceBitmapPath(bitmap));
    const auto decoded = ReadPicture(ResourceBitmapPath(bitmap));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Width(), bitmap.width);
    EXPECT_EQ(decoded->Height(), bitmap.height);
  }
}

// The screens load their pictures with the skin picture class; what it draws is what was drawn.
TEST_F(SkinSet, SkinPictureClassLoadsEveryPictureAndDrawsItBack)
{
  for (const Picture& picture : AllPictures()) {
    CDib dib;
    ASSERT_EQ(dib.Open(picture.windowsPath.c_str()), 1) << picture.windowsPath << ": " << Utf8(dib.m_message);
    EXPECT_EQ(dib.m_width, picture.entry->width) << picture.windowsPath;
    EXPECT_EQ(dib.m_height, picture.entry->height) << picture.windowsPath;
  }
  for (std::string_view path : {"C:\\Vetra\\Fenmark\\Img\\Morvit\\top_image.bmp", "C:\\Vetra\\Fenmark\\Img\\ign\\menu_dis07.bmp",
                                "C:\\Vetra\\Fenmark\\Img\\SaveData\\interface.bmp"}) {
    SCOPED_TRACE(path);
    const auto drawn = ReadPicture(path);
    ASSERT_TRUE(drawn.has_value());
    CDib dib;
    ASSERT_EQ(dib.Open(std::string(path).c_str()), 1);
    win::CDC dc;
    dc.CreateCompatibleDC(nullptr);
    win::CBitmap bitmap;
    bitmap.CreateBitmap(drawn->Width(), drawn->Height(), 1, 32, nullptr);
    dc.SelectObject(&bitmap);
    dib.DrawUnscaled(0, 0, drawn->Width(), drawn->Height(), &dc);
    EXPECT_EQ(*bitmap.Pixels(), *drawn);
  }
}

// The screens open their pictures by these paths, spelt as each screen spells them.
TEST_F(SkinSet, LandsWhereTheScreensLook)
{
  const struct {
    std::string_view path;
    int width, height;
  } cases[] = {
      {"C:\\Vetra\\Fenmark\\Img\\Scope\\top_image.bmp", 1017, 109},
      {"C:\\Vetra\\Fenmark\\Img\\scope\\ms_rarrow2.bmp", 24, 30},
      {"C:\\Vetra\\Fenmark\\Img\\Ign\\menu_o02.bmp", 88, 34},
      {"C:\\Vetra\\Fenmark\\Img\\ign\\wave_buttondis09.bmp", 45, 38},
      {"C:\\Vetra\\Fenmark\\Img\\ign\\peak_volt.bmp", 212, 38},
      {"C:\\Vetra\\Fenmark\\Img\\Scantool\\BtnGrap_Dis.bmp", 78, 26},
      {"C:\\Vetra\\Fenmark\\Img\\Scantool\\top_image.bmp", 1018, 109},
      {"C:\\Vetra\\Fenmark\\Img\\Morvit\\top_image.bmp", 1018, 140},
      {"C:\\Vetra\\Fenmark\\Img\\Morvit\\BtnZoomOff_Dis.bmp", 77, 21},
      {"C:\\Vetra\\Fenmark\\Img\\Morvit\\decode_line.bmp", 303, 15},
      {"C:\\Vetra\\Fenmark\\Img\\SaveData\\button_d2.bmp", 264, 48},
      {"C:\\Vetra\\Fenmark\\Img\\Dn\\download_cancel.bmp", 49, 19},
      {"C:\\Vetra\\Fenmark\\Img\\Print\\print_dbutton2.bmp", 88, 96},
      {"c:\\Vetra\\Fenmark\\img\\BKColor.bmp", 196, 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const auto decoded = ReadPicture(c.path);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Width(), c.width);
    EXPECT_EQ(decoded->Height(), c.height);
  }
  // One folder per screen, whatever the spelling: "Img\Scope" and "Img\scope" are one folder.
  int scopeFolders = 0;
  for (const auto& item : std::filesystem::directory_iterator(s_drive->Root() / "Vetra/Fenmark/Img"))
    if (ToLowerAscii(item.path().filename().string()) == "scope") ++scopeFolders;
  EXPECT_EQ(scopeFolders, 1);
}

TEST_F(SkinSet, VariantsOfOneButtonDiffer)
{
  for (const Entry& entry : Catalogue()) {
    std::vector<std::string_view> files;
    for (std::string_view file : {entry.normal, entry.over, entry.down, entry.disabled})
      if (!file.empty() && std::ranges::find(files, file) == files.end()) files.push_back(file);
    for (std::size_t i = 0; i < files.size(); ++i) {
      for (std::size_t j = i + 1; j < files.size(); ++j) {
        const auto a = ReadPicture(std::string(entry.folder) + "\\" + std::string(files[i]));
        const auto b = ReadPicture(std::string(entry.folder) + "\\" + std::string(files[j]));
        ASSERT_TRUE(a && b) << files[i] << " " << files[j];
        // Visibly: a good part of the face changes, not a stray pixel.
        int changed = 0;
        for (int y = 0; y < a->Height(); ++y)
          for (int x = 0; x < a->Width(); ++x)
            if (a->At(x, y) != b->At(x, y)) ++changed;
        EXPECT_GT(changed, a->Width() * a->Height() / 5) << files[i] << " and " << files[j] << " look alike";
      }
    }
  }
}

// Labels go through the system's fonts: a labelled face carries dark ink in its middle, and two
// buttons of one look differ only by their labels.
TEST_F(SkinSet, LabelsAreDrawn)
{
  const auto print = ReadPicture("C:\\Vetra\\Fenmark\\Img\\ign\\menu_01.bmp");
  const auto config = ReadPicture("C:\\Vetra\\Fenmark\\Img\\ign\\menu_02.bmp");
  ASSERT_TRUE(print && config);
  EXPECT_NE(*print, *config);
  int ink = 0;
  for (int y = 8; y < print->Height() - 8; ++y)
    for (int x = 20; x < print->Width() - 20; ++x)
      if ((print->At(x, y) & 0xFF) < 110) ++ink;
  EXPECT_GT(ink, 20);
}

TEST_F(SkinSet, HandCursorOfEveryModuleIsAMonochromeHandWithItsHotSpot)
{
  for (std::string_view module : ModulesWithHandCursor()) {
    SCOPED_TRACE(module);
    const auto cursor = DecodeCursor(ReadFile(MapPath(HandCursorPath(module))));
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->hotX, 6);
    EXPECT_EQ(cursor->hotY, 0);
    EXPECT_EQ(cursor->rows, HandCursorShape());
    ASSERT_EQ(cursor->rows.size(), 32u);
    EXPECT_EQ(cursor->rows[0].size(), 32u);
    EXPECT_NE(cursor->rows[0][6], '.');  // the tip of the finger is the hot spot
  }
}

TEST_F(SkinSet, LogoIsAJpegOfItsSize)
{
  const auto header = ReadJpegHeader(ReadFile(MapPath("c:\\Vetra\\Fenmark\\img\\Logo.jpg")));
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->width, kLogoWidth);
  EXPECT_EQ(header->height, kLogoHeight);
  EXPECT_EQ(header->components, 3);
  EXPECT_FALSE(ReadJpegHeader("not a picture").has_value());
}

TEST_F(SkinSet, RunningAgainMendsWhatDiffersAndLeavesTheRest)
{
  const std::filesystem::path spoilt = MapPath("C:\\Vetra\\Fenmark\\Img\\Morvit\\right_img5.bmp");
  const std::filesystem::path kept = MapPath("C:\\Vetra\\Fenmark\\Img\\Scope\\top_image.bmp");
  const std::string whole = ReadFile(spoilt);
  std::filesystem::resize_file(spoilt, 100);
  const auto keptTime = std::filesystem::last_write_time(kept);
  const SkinSetResult again = WriteSkinSet();
  EXPECT_TRUE(again.ok);
  EXPECT_EQ(again.written, 1);
  EXPECT_EQ(again.unchanged, s_result.written - 1);
  EXPECT_EQ(ReadFile(spoilt), whole);
  EXPECT_EQ(std::filesystem::last_write_time(kept), keptTime);
  for (const auto& item : std::filesystem::recursive_directory_iterator(s_drive->Root()))
    EXPECT_EQ(item.path().string().find(".part"), std::string::npos) << item.path();
}

TEST(SkinSetFailure, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten)
{
  testing::TempDrive drive;
  drive.WriteFile("Vetra", "a file where the product folder belongs");
  const SkinSetResult result = WriteSkinSet();
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.written, 0);
  ASSERT_FALSE(result.failures.empty());
  EXPECT_NE(result.failures.front().find("cannot make the folder"), std::string::npos);
  EXPECT_EQ(drive.ReadFile("Vetra"), "a file where the product folder belongs");
}

TEST(BmpFile, EncodesPaddedBottomUpRowsAndReadsThemBack)
{
  gdi::Bitmap32 picture(3, 2);  // 9 bytes a row, padded to 12
  picture.At(0, 0) = gdi::MakePixel(255, 0, 0);
  picture.At(2, 1) = gdi::MakePixel(1, 2, 3);
  const std::string bytes = EncodeBmp24(picture);
  EXPECT_EQ(bytes.size(), 14u + 40u + 24u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bytes[54 + 12 + 2]), 255);  // top row is stored last, red third
  const auto back = DecodeBmp24(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, picture);
  EXPECT_FALSE(DecodeBmp24(bytes.substr(0, bytes.size() - 1)).has_value());
}

}  // namespace
}  // namespace vetra::skins
