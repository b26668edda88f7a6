#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "common/capture/dib_capture.h"
#include "common/capture/print_capture.h"
#include "platform/base/process.h"
#include "platform/base/testing/full_disk.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/paint.h"
#include "platform/ui/testing.h"

namespace {

using namespace vetra::capture;

constexpr win::COLORREF kFace = win::RGB(10, 200, 30);
constexpr win::COLORREF kMark = win::RGB(250, 20, 40);

// A window the size of a viewer control: green, with a red 4 by 4 mark at (100, 50).
class Painted : public win::CWnd {
protected:
  void OnPaint() override
  {
    win::CPaintDC dc(this);
    dc.FillSolidRect(0, 0, kCaptureWidth, kCaptureHeight, kFace);
    dc.FillSolidRect(100, 50, 4, 4, kMark);
  }
};

template <typename T> T At(const std::string& bytes, std::size_t offset)
{
  T value{};
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

// Pixel (x, y), y from the top, of a 32-bit bottom-up capture file.
win::COLORREF CapturePixel(const std::string& file, int x, int y)
{
  const std::size_t at = 54 + (static_cast<std::size_t>(kCaptureHeight - 1 - y) * kCaptureWidth + x) * 4;
  return win::RGB(static_cast<std::uint8_t>(file[at + 2]), static_cast<std::uint8_t>(file[at + 1]), static_cast<std::uint8_t>(file[at]));
}

class PrintCapture : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    drive.WriteFile("Vetra/Fenmark/Temp/keep", "");
    vetra::SetProcessStarterForTests([this](const std::string& line) {
      started.push_back(line);
      return true;
    });
    ASSERT_TRUE(control.CreateEx(0, "Painted", "control", win::WS_POPUP | win::WS_VISIBLE, 3, 5, kCaptureWidth, kCaptureHeight, nullptr, 0));
    vetra::ui::Pump();
  }
  void TearDown() override
  {
    vetra::SetProcessStarterForTests({});
    vetra::ui::ResetForTests();
  }
  std::string Capture() const { return drive.ReadFile("Vetra/Fenmark/Temp/print.bmp"); }

  vetra::testing::TempDrive drive;
  Painted control;
  std::vector<std::string> started;
};

TEST_F(PrintCapture, WritesTheControlsScreenAreaAndStartsThePrintLayoutProgram)
{
  EXPECT_EQ(PrintControl(control), PrintOutcome::started);
  EXPECT_EQ(started, std::vector<std::string>{"C:\\Vetra\\Fenmark\\Tolvex.exe"});
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());

  const std::string file = Capture();
  ASSERT_EQ(file.size(), 2'880'198u);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(At<std::uint32_t>(file, 2), 2'880'198u);
  EXPECT_EQ(At<std::uint32_t>(file, 6), 0u);  // both reserved words
  EXPECT_EQ(At<std::uint32_t>(file, 10), 54u);
  EXPECT_EQ(At<std::uint32_t>(file, 14), 40u);
  EXPECT_EQ(At<std::int32_t>(file, 18), kCaptureWidth);
  EXPECT_EQ(At<std::int32_t>(file, 22), kCaptureHeight);
  EXPECT_EQ(At<std::uint16_t>(file, 26), 1);
  EXPECT_EQ(At<std::uint16_t>(file, 28), 32);
  EXPECT_EQ(At<std::uint32_t>(file, 30), 0u);
  EXPECT_EQ(CapturePixel(file, 0, 0), kFace);
  EXPECT_EQ(CapturePixel(file, 101, 51), kMark);
  EXPECT_EQ(CapturePixel(file, 1016, 707), kFace);
  for (const auto& entry : std::filesystem::directory_iterator(drive / "Vetra/Fenmark/Temp"))  // no scratch file left beside it
    EXPECT_FALSE(entry.path().string().ends_with(".part")) << entry.path();
}

TEST_F(PrintCapture, WhatCoversTheControlIsCapturedToo)
{
  Painted cover;
  ASSERT_TRUE(cover.CreateEx(0, "Painted", "cover", win::WS_POPUP | win::WS_VISIBLE, 3 + 90, 5 + 40, 200, 100, nullptr, 0));
  vetra::ui::Pump();
  ASSERT_EQ(CaptureToFile(control), 1);
  // The cover's own mark lies at (100, 50) of the cover: (190, 90) of the control.
  EXPECT_EQ(CapturePixel(Capture(), 191, 91), kMark);
  EXPECT_EQ(CapturePixel(Capture(), 101, 51), kFace);
}

TEST_F(PrintCapture, AnOpenPrintWindowGetsTheCaptureButNoSecondProgram)
{
  Painted print;
  ASSERT_TRUE(print.CreateEx(0, "Painted", "Print", win::WS_POPUP | win::WS_VISIBLE, 0, 0, 50, 50, nullptr, 0));
  EXPECT_EQ(PrintControl(control), PrintOutcome::printWindowOpen);
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(Capture().size(), 2'880'198u);
}

TEST_F(PrintCapture, AFailedCaptureIsReportedAndStartsNothing)
{
  // A full disk keeps the earlier capture whole; a missing folder has none.
  drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", "earlier");
  {
    const vetra::testing::FullDisk disk(4096);
    ASSERT_TRUE(disk.Active());
    EXPECT_EQ(PrintControl(control), PrintOutcome::captureFailed);
  }
  EXPECT_EQ(drive.ReadFile("Vetra/Fenmark/Temp/print.bmp"), "earlier");
  std::filesystem::remove_all(drive / "Vetra/Fenmark/Temp");
  EXPECT_EQ(PrintControl(control), PrintOutcome::captureFailed);
  EXPECT_TRUE(started.empty());
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 2u);
  for (const auto& box : vetra::ui::MessageBoxLog())
    EXPECT_EQ(box.text, CaptureFailedText("c:\\Vetra\\Fenmark\\Temp\\print.bmp"));
}

TEST_F(PrintCapture, AFailedStartIsReported)
{
  vetra::SetProcessStarterForTests([](const std::string&) { return false; });
  EXPECT_EQ(PrintControl(control), PrintOutcome::startFailed);
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(vetra::ui::MessageBoxLog()[0].text, PrintStartFailedText("C:\\Vetra\\Fenmark\\Tolvex.exe"));
}

TEST(BitmapToDib, HeaderColourTableAndFileHeaderFollowTheDepth)
{
  struct Case {
    int width, height, bits;
    win::DWORD compression;
    std::size_t blockBytes;  // 0: refused
    win::DWORD pixelOffset;
  } cases[] = {
      {1017, 708, 32, win::BI_RGB, 40 + 1017 * 708 * 4, 54},
      {16, 3, 1, win::BI_RGB, 40 + 2 * 4 + 3 * 4, 62},  // two colours, rows padded to 4 bytes
      {16, 3, 32, win::BI_BITFIELDS, 0, 0},
  };
  for (const Case& c : cases) {
    win::CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(c.width, c.height, 1, c.bits, nullptr));
    const win::GlobalMemory dib = BitmapToDib(bitmap, c.compression);
    EXPECT_EQ(dib.Size(), c.blockBytes) << c.bits;
    if (c.blockBytes == 0) {
      EXPECT_EQ(WriteDibFile("c:\\x.bmp", dib), 0);
      continue;
    }
    const auto* info = reinterpret_cast<const win::BITMAPINFOHEADER*>(dib.Data());
    EXPECT_EQ(info->biBitCount, c.bits);
    EXPECT_EQ(info->biWidth, c.width);
    EXPECT_EQ(info->biHeight, c.height);
    const win::BITMAPFILEHEADER file = DibFileHeader(dib);
    const win::DWORD fileSize = file.bfSize, pixelOffset = file.bfOffBits;  // packed fields
    EXPECT_EQ(fileSize, c.blockBytes + 14);
    EXPECT_EQ(pixelOffset, c.pixelOffset);
  }
}

}  // namespace
