// The picture layer (BMP to RGB, RGB to JPEG) and the save-or-print command.
#include <cstdio>
#include <fstream>

#include "controls/roadtest/image/picture_io.h"
#include "controls/roadtest/windows/road_report.h"
#include "controls/roadtest/tests/control/jpeg_probe.h"
#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "platform/base/current_directory.h"
#include "platform/base/file_names.h"
#include "platform/base/testing/full_disk.h"
#include "platform/base/text.h"
#include "platform/ui/idle.h"
#include "platform/ui/paint.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/script.h"
#include "tools/skins/skin_set.h"

#include <cstdlib>

namespace morvit::testing {
namespace {

using namespace morvit::image;

// A BMP of 2 x 2 pixels: red, green / blue, white (top row first) at the given depth.
std::string SmallBmp(int bits, std::uint32_t compression = 0)
{
  const std::uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  const int stride = ((2 * bits + 31) / 32) * 4;
  const int paletteBytes = bits == 8 ? 4 * 4 : 0;
  const int offset = 54 + paletteBytes;
  std::string b(static_cast<std::size_t>(offset + stride * 2), '\0');
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<std::uint32_t>(b.size()));
  put32(10, static_cast<std::uint32_t>(offset));
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);  // bottom-up
  b[26] = 1;
  b[28] = static_cast<char>(bits);
  put32(30, compression);
  if (bits == 8) {
    put32(46, 4);
    for (int i = 0; i < 4; ++i) put32(54 + 4 * static_cast<std::size_t>(i), colours[i]);
  }
  for (int y = 0; y < 2; ++y) {
    const std::size_t row = static_cast<std::size_t>(offset + stride * (1 - y));  // bottom-up
    for (int x = 0; x < 2; ++x) {
      const std::uint32_t c = colours[y * 2 + x];
      const std::size_t at = row + static_cast<std::size_t>(x * bits / 8);
      if (bits == 8) b[at] = static_cast<char>(y * 2 + x);
      if (bits == 16) {
        const std::uint32_t v = ((c >> 19) & 0x1F) << 10 | ((c >> 11) & 0x1F) << 5 | ((c >> 3) & 0x1F);
        b[at] = static_cast<char>(v & 0xFF);
        b[at + 1] = static_cast<char>(v >> 8);
      }
      if (bits >= 24) {
        b[at] = static_cast<char>(c & 0xFF);
        b[at + 1] = static_cast<char>((c >> 8) & 0xFF);
        b[at + 2] = static_cast<char>((c >> 16) & 0xFF);
      }
    }
  }
  return b;
}

TEST_F(ControlTest, BmpFilesOfEveryDepthReadAsTopDownRgbAndBadOnesGiveTheirCodes)
{
  const struct {
    const char* name;
    std::string bytes;
    int code;
  } cases[] = {
      {"8 bits", SmallBmp(8), kNoError},
      {"16 bits", SmallBmp(16), kNoError},
      {"24 bits", SmallBmp(24), kNoError},
      {"32 bits", SmallBmp(32), kNoError},
      {"run-length", SmallBmp(8, 1), kRleBmp},
      {"not a picture", "hello", kBadBmp},
      {"empty", "", kBadBmp},
      {"cut short", SmallBmp(24).substr(0, 60), kFileRead},
  };
  for (const auto& c : cases) {
    drive.WriteFile("pic.bmp", c.bytes);
    RgbImage image;
    EXPECT_EQ(ReadBmpToRgb((drive / "pic.bmp").string(), image), c.code) << c.name;
    if (c.code != kNoError) continue;
    ASSERT_EQ(image.pixels.size(), 12u) << c.name;
    const std::vector<std::uint8_t> expected = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    for (std::size_t i = 0; i < 12; ++i) EXPECT_NEAR(image.pixels[i], expected[i], 8) << c.name << " byte " << i;
  }
  RgbImage none;
  EXPECT_EQ(ReadBmpToRgb((drive / "absent.bmp").string(), none), kFileOpen);
}

TEST(PictureTexts, ErrorCodesHaveTheirTexts)
{
  const struct {
    int code;
    const char* text;
  } cases[] = {{0, "No error"}, {6, "Bad BMP file"}, {7, "We don't do RLE BMP files"}, {8, "Error #8"}, {12, "No GIF support.."},
               {15, "Error #15"}, {19, "Error #19"}, {20, "Bad TIF file"}, {21, "Error #21"}};
  for (const auto& c : cases) EXPECT_EQ(ImageErrorText(c.code), c.text) << c.code;
}

TEST_F(ControlTest, AJpegIsWrittenWholeOrNotAtAll)
{
  RgbImage image;
  image.width = 16;
  image.height = 8;
  image.pixels.assign(16 * 8 * 3, 200);
  EXPECT_EQ(WriteRgbToJpeg((drive / "a.jpg").string(), image, 50), kNoError);
  const JpegInfo back = ReadJpeg(drive / "a.jpg");
  EXPECT_EQ(back.width, 16);
  EXPECT_EQ(back.height, 8);
  EXPECT_NEAR(back.rgb[0], 200, 4);
  EXPECT_EQ(WriteRgbToJpeg((drive / "no/such/folder/b.jpg").string(), image, 50), kFileOpen);
  image.pixels.pop_back();
  EXPECT_EQ(WriteRgbToJpeg((drive / "c.jpg").string(), image, 50), kBadParam);
  EXPECT_FALSE(std::filesystem::exists(drive / "c.jpg"));
}

class SaveOrPrintTest : public ControlTest {
protected:
  void SetUp() override
  {
    ControlTest::SetUp();
    PutRecording("p.RES");
    Open("p.RES");
  }
  // Answers the choice dialog with one of its buttons.
  static void Choose(int id)
  {
    vetra::ui::WhenIdle([id] {
      win::CWnd* dialog = win::CWnd::GetActiveWindow();
      dialog->PostMessage(win::WM_COMMAND, static_cast<win::WPARAM>(id), 0);
    });
  }
};

TEST_F(SaveOrPrintTest, ThePictureChoiceSavesTheScreenAsAJpegAndKeepsTheCurrentFolder)
{
  const std::string folder = vetra::CurrentDirectory();
  Choose(242);
  vetra::ui::QueueFileDialogAnswer({"C:\\Vetra\\shot.jpg", ""});
  control->OnSaveOrPrint();
  EXPECT_TRUE(std::filesystem::exists(vetra::MapPath(CMorvitCtrl::kCapturePath)));
  const JpegInfo back = ReadJpeg(vetra::MapPath("C:\\Vetra\\shot.jpg"));
  EXPECT_EQ(back.width, 1024);
  EXPECT_EQ(back.height, 768);
  EXPECT_EQ(vetra::CurrentDirectory(), folder);
  EXPECT_TRUE(MessageTexts().empty());

  // A folder of the Linux file system outside the drive, and a name code page 949 cannot spell.
  const std::filesystem::path outside = drive.Root().parent_path() / (drive.Root().filename().string() + "-usb");
  std::filesystem::create_directories(outside);
  Choose(242);
  vetra::ui::QueueFileDialogAnswer({vetra::TextFromLinux((outside / "café.jpg").string()), ""});
  control->OnSaveOrPrint();
  const JpegInfo saved = ReadJpeg(outside / "café.jpg");
  std::filesystem::remove_all(outside);
  EXPECT_EQ(saved.width, 1024);
  EXPECT_EQ(vetra::CurrentDirectory(), folder);
  EXPECT_TRUE(MessageTexts().empty());
}

// A name typed without an extension is saved with the filter's: "road1" becomes road1.JPG.
TEST_F(SaveOrPrintTest, APictureNameWithoutAnExtensionTakesTheFiltersOne)
{
  Choose(242);
  vetra::ui::QueueFileDialogAnswer({"C:\\Vetra\\road1", ""});
  control->OnSaveOrPrint();
  EXPECT_FALSE(std::filesystem::exists(vetra::MapPath("C:\\Vetra\\road1")));
  EXPECT_EQ(ReadJpeg(vetra::MapPath("C:\\Vetra\\road1.JPG")).width, 1024);
  EXPECT_TRUE(MessageTexts().empty());
}

// A click can arrive after the control has painted over its children's places and before they
// paint again: the capture is still the screen as it shows once painted.
TEST_F(SaveOrPrintTest, TheCaptureWaitsForTheChildrensPaint)
{
  const auto capture = [&] {
    Choose(win::IDCANCEL);
    control->OnSaveOrPrint();
    return drive.ReadFile("Vetra/Fenmark/Temp/temp.bmp");
  };
  win::detail::PaintAll();
  const std::string painted = capture();
  control->Invalidate(win::TRUE);
  win::detail::PaintNow(control->m_hWnd);
  EXPECT_TRUE(capture() == painted);
}

TEST_F(SaveOrPrintTest, EscapeEndsTheChoiceWithNothingFurtherAndNothingShownShowsNoChoice)
{
  if (const char* shot = std::getenv("MORVIT_CHOICE_SCREENSHOT")) {
    ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
    vetra::ui::WhenIdle([shot] {
      EXPECT_TRUE(vetra::ui::WriteScreenshot(shot, true));
    });
  }
  Choose(win::IDCANCEL);
  vetra::ui::QueueFileDialogAnswer({"C:\\Vetra\\never.jpg", ""});
  control->OnSaveOrPrint();
  EXPECT_FALSE(std::filesystem::exists(vetra::MapPath("C:\\Vetra\\never.jpg")));
  vetra::ui::ClearFileDialogAnswers();

  // With no item shown the capture is still made, and no dialog comes.
  std::filesystem::remove(vetra::MapPath(CMorvitCtrl::kCapturePath));
  while (control->Model().State().shown.Count() > 0) control->RemoveDisplayedItem(0);
  control->OnSaveOrPrint();
  EXPECT_TRUE(std::filesystem::exists(vetra::MapPath(CMorvitCtrl::kCapturePath)));
}

// Return presses nothing in the choice dialog (its OK is disabled, the picture buttons are drawn
// by the dialog); Esc closes it without a choice.
TEST_F(SaveOrPrintTest, ReturnInTheChoiceDialogChoosesNothing)
{
  vetra::ui::QueueFileDialogAnswer({"C:\\Vetra\\shot.jpg", ""});
  vetra::ui::WhenIdle([] {
    vetra::ui::PressKeys("return");
    vetra::ui::PressKeys("esc");
  });
  control->OnSaveOrPrint();
  EXPECT_TRUE(vetra::ui::HasFileDialogAnswer());  // no save dialog was asked for
  EXPECT_FALSE(std::filesystem::exists(vetra::MapPath("C:\\Vetra\\shot.jpg")));
  vetra::ui::ClearFileDialogAnswers();
}

TEST_F(SaveOrPrintTest, ThePrintChoicePrintsOneLandscapePageToThePdfPrinter)
{
  setenv("VETRA_PRINT_DIR", (drive / "prints").c_str(), 1);
  std::filesystem::create_directories(drive / "prints");
  Choose(241);
  vetra::ui::QueuePrintDialogAnswer({});
  control->OnSaveOrPrint();
  ASSERT_FALSE(vetra::ui::PrintDialogLog().empty());
  EXPECT_EQ(vetra::ui::PrintDialogLog().back().orientation, 2);  // preset to landscape
  unsetenv("VETRA_PRINT_DIR");
  std::vector<std::filesystem::path> pdfs;
  for (const auto& entry : std::filesystem::directory_iterator(drive / "prints")) pdfs.push_back(entry.path());
  ASSERT_EQ(pdfs.size(), 1u);
  const std::string command = "pdfinfo '" + pdfs.front().string() + "' 2>/dev/null";
  std::string out;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    pclose(pipe);
  }
  const auto field = [&](const std::string& name) {
    const std::size_t at = out.find(name + ":");
    if (at == std::string::npos) return std::string();
    const std::size_t from = out.find_first_not_of(' ', at + name.size() + 1);
    return out.substr(from, out.find('\n', from) - from);
  };
  EXPECT_EQ(field("Pages"), "1") << out;
  EXPECT_TRUE(field("Page size").starts_with("841.89 x 595.2")) << out;  // A4 landscape
  if (const char* keep = std::getenv("MORVIT_REPORT")) std::filesystem::copy_file(pdfs.front(), keep, std::filesystem::copy_options::overwrite_existing);
}

TEST_F(SaveOrPrintTest, ACaptureThatCannotBeWrittenStopsThePictureSaveWithItsMessage)
{
  Choose(242);
  vetra::ui::QueueFileDialogAnswer({"C:\\Vetra\\first.jpg", ""});
  control->OnSaveOrPrint();
  ASSERT_TRUE(std::filesystem::exists(vetra::MapPath("C:\\Vetra\\first.jpg")));
  const std::string earlierCapture = drive.ReadFile("Vetra/Fenmark/Temp/temp.bmp");

  // Room for a picture, none for the 3 MB capture: the earlier capture must not become the picture.
  Choose(242);
  vetra::ui::QueueFileDialogAnswer({"C:\\Vetra\\second.jpg", ""});
  {
    const vetra::testing::FullDisk disk(1 << 20);
    ASSERT_TRUE(disk.Active());
    control->OnSaveOrPrint();
  }
  EXPECT_FALSE(std::filesystem::exists(vetra::MapPath("C:\\Vetra\\second.jpg")));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{CMorvitCtrl::CaptureFailedText()});
  EXPECT_EQ(drive.ReadFile("Vetra/Fenmark/Temp/temp.bmp"), earlierCapture);
}

TEST_F(SaveOrPrintTest, APrintThatCannotBeWrittenIsShown)
{
  setenv("VETRA_PRINT_DIR", (drive / "prints").c_str(), 1);
  std::filesystem::create_directories(drive / "prints");
  Choose(241);
  vetra::ui::QueuePrintDialogAnswer({});
  {
    const vetra::testing::FullDisk disk(4096);
    ASSERT_TRUE(disk.Active());
    control->OnSaveOrPrint();
  }
  unsetenv("VETRA_PRINT_DIR");
  EXPECT_TRUE(std::filesystem::is_empty(drive / "prints"));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{PrintFailedText()});
}

}  // namespace
}  // namespace morvit::testing
