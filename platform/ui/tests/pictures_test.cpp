#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/base/testing/temp_drive.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/images.h"
#include "platform/ui/paint.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"

namespace {

using namespace win;

// A 24-bit BMP file of 3 by 2 pixels: bottom row blue, green, red; top row white.
std::string SmallBmp()
{
  const unsigned char rows[2][12] = {
      {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0},  // bottom row, padded to 12 bytes
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0}};
  std::string file(54, '\0');
  auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(file.data() + at, &v, 4); };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, 54 + 24);
  put32(10, 54);
  put32(14, 40);
  put32(18, 3);
  put32(22, 2);
  file[26] = 1;
  file[28] = 24;
  file.append(reinterpret_cast<const char*>(rows), sizeof rows);
  return file;
}

class Pictures : public ::testing::Test {
protected:
  void SetUp() override { vetra::ui::ResetForTests(); }
  void TearDown() override { vetra::ui::ResetForTests(); }
  vetra::testing::TempDrive drive;
};

TEST_F(Pictures, LoadImageReadsABmpFileFromTheDrive)
{
  std::filesystem::create_directories(drive.Root() / "Vetra/Fenmark/Img/Morvit");
  std::ofstream(drive.Root() / "Vetra/Fenmark/Img/Morvit/PrintMain.bmp", std::ios::binary) << SmallBmp();
  std::ofstream(drive.Root() / "Vetra/Fenmark/Img/Morvit/broken.bmp", std::ios::binary) << "MB not a picture";
  HBITMAP picture = LoadImageA(nullptr, "C:\\Vetra\\Fenmark\\Img\\Morvit\\PrintMain.bmp", IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE);
  ASSERT_NE(picture, nullptr);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* old = dc.SelectObject(CBitmap::FromHandle(picture));
  EXPECT_EQ(dc.GetPixel(0, 1), RGB(0, 0, 255));
  EXPECT_EQ(dc.GetPixel(2, 1), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(1, 0), RGB(255, 255, 255));
  dc.SelectObject(old);
  DeleteObject(picture);
  // A folder or a pipe where the picture should be is no picture, and nothing waits on the pipe.
  std::filesystem::create_directories(drive.Root() / "Vetra/Fenmark/Img/Morvit/folder.bmp");
  ASSERT_EQ(::mkfifo((drive.Root() / "Vetra/Fenmark/Img/Morvit/pipe.bmp").c_str(), 0644), 0);
  for (const char* bad : {"C:\\Vetra\\Fenmark\\Img\\Morvit\\missing.bmp", "C:\\Vetra\\Fenmark\\Img\\Morvit\\broken.bmp",
                          "C:\\Vetra\\Fenmark\\Img\\Morvit\\folder.bmp", "C:\\Vetra\\Fenmark\\Img\\Morvit\\pipe.bmp"}) {
    EXPECT_EQ(LoadImageA(nullptr, bad, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr) << bad;
  }
}

TEST_F(Pictures, ScreenCaptureThroughTheClipboardComesBackAsAPackedDib)
{
  vetra::ui::testing::MessageLog log;
  vetra::ui::testing::Probe window("w", log);
  ASSERT_TRUE(window.CreateTop(CRect(0, 0, 100, 100)));
  {
    CClientDC dc(&window);
    dc.FillSolidRect(0, 0, 100, 100, RGB(10, 20, 30));
  }
  CDC screen;
  screen.CreateDC("DISPLAY", nullptr, nullptr, nullptr);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap capture;
  ASSERT_TRUE(capture.CreateCompatibleBitmap(&screen, 1024, 768));
  CBitmap* old = memory.SelectObject(&capture);
  memory.BitBlt(0, 0, 1024, 768, &screen, 0, 0, SRCCOPY);
  memory.SelectObject(old);

  EXPECT_EQ(GetClipboardData(CF_DIB), nullptr);  // not open
  ASSERT_TRUE(OpenClipboard(window.m_hWnd));
  EmptyClipboard();
  ASSERT_TRUE(SetClipboardData(CF_BITMAP, static_cast<HBITMAP>(capture.Detach())));
  CloseClipboard();

  ASSERT_TRUE(OpenClipboard(window.m_hWnd));
  GlobalMemory* dib = GetClipboardData(CF_DIB);
  ASSERT_NE(dib, nullptr);
  EXPECT_EQ(dib->Size(), 40u + 1024u * 768u * 4u);
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib->Data(), sizeof header);
  EXPECT_EQ(header.biBitCount, 32);
  EXPECT_EQ(header.biHeight, 768);
  // Rows run bottom-up: the top-left pixel is the first of the last row.
  std::uint32_t topLeft = 0;
  std::memcpy(&topLeft, dib->Data() + 40 + 767u * 1024u * 4u, 4);
  EXPECT_EQ(topLeft & 0xFFFFFF, 0x0A141Eu);
  CloseClipboard();
}

}  // namespace
