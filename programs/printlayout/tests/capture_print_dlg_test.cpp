#include <gtest/gtest.h>

#include <algorithm>

#include "platform/base/drive.h"
#include "platform/base/file_names.h"
#include "platform/base/named_mutex.h"
#include "platform/base/testing/full_disk.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"
#include "platform/print/cups_queue.h"
#include "platform/ui/ime.h"
#include "platform/ui/testing.h"
#include "programs/printlayout/capture.h"
#include "programs/printlayout/capture_print_dlg.h"
#include "programs/printlayout/image.h"
#include "programs/printlayout/image_file_bytes.h"
#include "programs/printlayout/picture_library.h"
#include "programs/printlayout/tests/test_pictures.h"
#include "tools/samples/printlayout_sample.h"

namespace tolvex {
namespace {

using vetra::Cp949;

// A printer that draws into a memory DC and keeps what happened.
struct PrinterRecord {
  bool defaults = true;
  bool startFails = false;
  int setups = 0;
  int documents = 0;
  int pages = 0;
  std::vector<vetra::gdi::DrawCall> calls;
};

class FakePrinter : public ReportPrinter {
public:
  explicit FakePrinter(PrinterRecord& record) : m_record(record) {}
  bool LoadDefaults() override { return m_record.defaults; }
  Portrait ApplyPortraitDefault() override { return m_record.defaults ? Portrait::Applied : Portrait::NoDefaultPrinter; }
  void ShowSetup(win::CWnd*) override { ++m_record.setups; }
  win::CDC* StartDocument(const char*) override
  {
    if (m_record.startFails) return nullptr;
    ++m_record.documents;
    m_log = std::make_shared<vetra::gdi::DrawLog>();
    m_dc = std::make_unique<win::CDC>();
    m_dc->CreateCompatibleDC(nullptr);
    m_dc->SetDrawLog(m_log);
    return m_dc.get();
  }
  bool StartPage() override { ++m_record.pages; return true; }
  bool EndPage() override { return true; }
  bool EndDocument() override
  {
    m_record.calls = m_log->Calls();
    return true;
  }

private:
  PrinterRecord& m_record;
  std::shared_ptr<vetra::gdi::DrawLog> m_log;
  std::unique_ptr<win::CDC> m_dc;
};

class PrintDialog : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    testing::WritePrintDialogSkins(drive);
    ASSERT_TRUE(vetra::samples::WritePrintLayoutSample({}, drive / "Vetra/Fenmark/Temp"));
    WriteCapture(32, 101, 70);  // small: the copy is 1017 by 708 whatever the capture's size
    SetReportPrinterFactoryForTests([this] { return std::make_unique<FakePrinter>(printer); });
  }
  void TearDown() override
  {
    dialog.reset();
    SetReportPrinterFactoryForTests(nullptr);
    ReleaseInstanceMutexForTests();
    vetra::ui::ResetForTests();
  }
  void WriteCapture(int bits, int width = 1017, int height = 708)
  {
    drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", testing::MakeBmp(width, height, bits, testing::Pattern));
  }
  CCapturePrintDlg& Open()
  {
    dialog = std::make_unique<CCapturePrintDlg>();
    dialog->Create(CapturePrintTemplate());
    vetra::ui::Pump();
    return *dialog;
  }
  win::POINT Centre(int button) const
  {
    const win::RECT& r = dialog->ButtonRect(button);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  std::vector<std::string> Messages() const
  {
    std::vector<std::string> out;
    for (const auto& m : vetra::ui::MessageBoxLog()) out.push_back(m.text);
    return out;
  }
  // print1.bmp's bytes.
  std::string ReadCopy() const
  {
    const auto bytes = ReadFileBytes("c:\\Vetra\\Fenmark\\Temp\\print1.bmp");
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
  }
  std::optional<RgbPicture> ReadBmpFile(const std::string& relative) const
  {
    const std::string bytes = drive.ReadFile(relative);
    return DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  vetra::testing::TempDrive drive;
  PrinterRecord printer;
  std::unique_ptr<CCapturePrintDlg> dialog;
};

TEST_F(PrintDialog, OpensWithItsInputsAndHangulInput)
{
  WriteCapture(32);
  auto& dlg = Open();
  EXPECT_EQ(dlg.GetWindowText(), Cp949("프린트"));
  win::RECT window;
  dlg.GetWindowRect(&window);
  EXPECT_EQ(window.right - window.left, 504);
  EXPECT_EQ(window.bottom - window.top, 360);
  win::RECT edit;
  dlg.RemarkBox().GetWindowRect(&edit);
  dlg.ScreenToClient(&edit);
  EXPECT_EQ(edit.right - edit.left, 399);
  EXPECT_EQ(edit.bottom - edit.top, 205);
  win::DWORD conversion = 0, sentence = 0;
  const auto context = win::ImmGetContext(dlg.RemarkBox().GetSafeHwnd());
  win::ImmGetConversionStatus(context, &conversion, &sentence);
  EXPECT_EQ(conversion, win::IME_CMODE_NATIVE);
  EXPECT_EQ(sentence, win::IME_SMODE_CONVERSATION);
  EXPECT_EQ(dlg.ButtonRect(kPrintButton).left, 190);
  EXPECT_EQ(dlg.ButtonRect(kSaveButton).top, 183);
  EXPECT_FALSE(dlg.Texts().shop[0].empty());
  EXPECT_FALSE(dlg.Texts().markerFileName.empty());
  EXPECT_TRUE(dlg.LogoValid());
  EXPECT_TRUE(Messages().empty());
  const std::string copy = ReadCopy();
  const auto header = testing::ReadBmpHeader(copy);
  EXPECT_EQ(header.width, 1017);
  EXPECT_EQ(header.height, 708);
  EXPECT_EQ(header.bits, 24);
  EXPECT_EQ(testing::Bmp24Pixel(copy, 1016, 707), testing::Pattern(1016, 707));
  EXPECT_EQ(testing::Bmp24Pixel(copy, 3, 2), testing::Pattern(3, 2));
}

TEST_F(PrintDialog, ButtonUnderTheReleaseActs)
{
  struct Case {
    int pressOn;    // 0: outside every button
    int releaseOn;
    bool printed;
    bool closed;
    int setups;
  } cases[] = {
      {kPrintButton, kPrintButton, true, true, 0},
      {kPrintButton, kCancelButton, false, true, 0},
      {0, kPrintButton, true, true, 0},
      {kSetupButton, kSetupButton, false, false, 1},
      {kCancelButton, 0, false, false, 0},
  };
  for (const auto& c : cases) {
    printer = {};
    auto& dlg = Open();
    const win::POINT outside{20, 20};
    vetra::ui::Press(dlg, c.pressOn ? Centre(c.pressOn) : outside);
    if (c.pressOn) {
      EXPECT_EQ(dlg.PressedButton(), c.pressOn);
    }
    vetra::ui::Release(dlg, c.releaseOn ? Centre(c.releaseOn) : outside);
    vetra::ui::Pump();
    EXPECT_EQ(printer.pages, c.printed ? 1 : 0) << c.pressOn << "->" << c.releaseOn;
    EXPECT_EQ(!dlg.IsWindowVisible(), c.closed) << c.pressOn << "->" << c.releaseOn;
    EXPECT_EQ(printer.setups, c.setups);
    EXPECT_EQ(dlg.PrinterSetUp(), c.setups > 0);
    dialog.reset();
    ReleaseInstanceMutexForTests();
  }
}

TEST_F(PrintDialog, HandCursorOverTheButtonsAndPressedPictureWhilePressed)
{
  auto& dlg = Open();
  // The cursor is asked for before the move is handled: it follows from the next move on.
  const win::POINT save = Centre(kSaveButton);
  vetra::ui::MoveMouse(dlg, save);
  vetra::ui::MoveMouse(dlg, {save.x + 1, save.y});
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Hand);
  vetra::ui::MoveMouse(dlg, {100, 20});
  vetra::ui::MoveMouse(dlg, {101, 20});
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Arrow);

  // The pressed picture is drawn over the normal one while the button is held.
  drive.WriteFile("Vetra/Fenmark/Img/Print/print_dbutton2.bmp", testing::MakeBmp(88, 96, 24, [](int, int) { return testing::Rgb{250, 0, 0}; }));
  dialog.reset();
  ReleaseInstanceMutexForTests();
  auto& again = Open();
  vetra::gdi::ScopedDrawLog log;
  vetra::ui::Press(again, Centre(kSaveButton));
  vetra::ui::Pump();
  int pressedDraws = 0;
  for (const auto& c : log.Calls())
    if (c.op == "StretchDIBits" && c.args[0] == 410 && c.args[1] == 183 && c.args[2] == 88 && c.args[3] == 96) ++pressedDraws;
  EXPECT_EQ(pressedDraws, 2);  // the normal picture, then the pressed one
}

TEST_F(PrintDialog, WithoutSkinPicturesThereIsNothingToClick)
{
  std::filesystem::remove_all(drive / "Vetra/Fenmark/Img/Print");
  auto& dlg = Open();
  for (const int button : {kPrintButton, kCancelButton, kSetupButton, kSaveButton}) {
    const win::RECT& r = dlg.ButtonRect(button);
    EXPECT_EQ(r.right - r.left, 0);
  }
  vetra::gdi::ScopedDrawLog log;
  vetra::ui::Click(dlg, {216, 315});
  vetra::ui::Click(dlg, {190, 303});
  dlg.Invalidate(win::FALSE);
  vetra::ui::Pump();
  EXPECT_EQ(printer.pages, 0);
  EXPECT_TRUE(dlg.IsWindowVisible());
  bool filled = false;
  for (const auto& c : log.Calls())
    if (c.op == "FillSolidRect" && c.args.size() >= 5 && c.args[4] == static_cast<long long>(win::RGB(111, 184, 240))) filled = true;
  EXPECT_TRUE(filled);
}

TEST_F(PrintDialog, PrintsTheFirstTenRemarkLinesOnThePage)
{
  auto& dlg = Open();
  std::string text;
  for (int i = 0; i < 12; ++i) text += "line" + std::to_string(i) + (i < 11 ? "\r\n" : "");
  dlg.RemarkBox().SetWindowText(text);
  vetra::ui::Click(dlg, Centre(kPrintButton));
  EXPECT_EQ(dlg.Typed()[9], "line9");
  bool sawLine9 = false, sawLine10 = false, sawCapture = false;
  for (const auto& c : printer.calls) {
    if (c.op == "TextOut" && c.text == "line9") sawLine9 = c.args[0] == 65 && c.args[1] == -2745;
    if (c.op == "TextOut" && c.text == "line10") sawLine10 = true;
    if (c.op == "StretchDIBits" && c.args[1] == -600) sawCapture = c.args[2] == 1960 && c.args[8] == 1017 && c.args[9] == 708;
    if (c.op == "SetMapMode") {
      EXPECT_TRUE(c.args[0] == win::MM_LOMETRIC || c.args[0] == win::MM_TEXT);
    }
  }
  EXPECT_TRUE(sawLine9);
  EXPECT_FALSE(sawLine10);
  EXPECT_TRUE(sawCapture);
}

TEST_F(PrintDialog, PrinterFailuresAreShown)
{
  printer.defaults = false;
  auto& first = Open();
  vetra::ui::Click(first, Centre(kPrintButton));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Printer Default Value Load Error "});
  EXPECT_FALSE(first.IsWindowVisible());
  dialog.reset();
  ReleaseInstanceMutexForTests();

  vetra::ui::ClearMessageBoxes();
  printer = {};
  printer.startFails = true;
  auto& second = Open();
  vetra::ui::Click(second, Centre(kPrintButton));
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(second.IsWindowVisible());  // the user may choose another printer and try again
}

// The system's printers: a "PDF file" that cannot be written (a full disk) and a queue that
// refuses the job fail only when the document ends; the user is told and keeps the window.
TEST_F(PrintDialog, APrintThatCannotBeFinishedIsShownAndKeepsTheWindow)
{
  SetReportPrinterFactoryForTests(nullptr);
  setenv("VETRA_PRINT_DIR", (drive / "prints").c_str(), 1);
  std::filesystem::create_directories(drive / "prints");
  struct Case {
    const char* what;
    bool cupsQueue;
  };
  for (const Case c : {Case{"full disk", false}, Case{"queue refuses the job", true}}) {
    vetra::ui::ClearMessageBoxes();
    if (c.cupsQueue) {
      vetra::print::SetCupsListerForTests([] { return std::vector<vetra::print::CupsQueue>{{"Laser", true}}; });
      vetra::print::SetCupsSubmitterForTests([](const vetra::print::CupsJob&) { return false; });
    }
    auto& dlg = Open();
    {
      const vetra::testing::FullDisk disk(c.cupsQueue ? RLIM_INFINITY : 4096);
      ASSERT_TRUE(disk.Active());
      vetra::ui::Click(dlg, Centre(kPrintButton));
    }
    EXPECT_EQ(Messages().size(), 1u) << c.what;
    EXPECT_TRUE(dlg.IsWindowVisible()) << c.what;
    EXPECT_TRUE(std::filesystem::is_empty(drive / "prints")) << c.what;
    vetra::print::SetCupsListerForTests({});
    vetra::print::SetCupsSubmitterForTests({});
    dialog.reset();
    ReleaseInstanceMutexForTests();
  }
  unsetenv("VETRA_PRINT_DIR");
}

TEST_F(PrintDialog, SavesInTheChosenFilterFormatWithAMarkerBeside)
{
  std::filesystem::create_directories(drive / "Vetra/Saved");
  auto& dlg = Open();
  vetra::ui::QueueFileDialogAnswer({"c:\\Vetra\\Saved\\report.jpg", "*.BMP"});
  vetra::ui::Click(dlg, Centre(kSaveButton));
  vetra::ui::QueueFileDialogAnswer({"c:\\Vetra\\Saved\\photo", ""});
  vetra::ui::Click(dlg, Centre(kSaveButton));
  vetra::ui::Click(dlg, Centre(kSaveButton));  // no answer: cancelled
  EXPECT_TRUE(dlg.IsWindowVisible());
  EXPECT_TRUE(Messages().empty());
  // A name that cannot be written (a folder of that name): a message, and no marker either.
  std::filesystem::create_directories(drive / "Vetra/Other/taken");
  vetra::ui::QueueFileDialogAnswer({"c:\\Vetra\\Other\\taken", ""});
  vetra::ui::QueueMessageBoxAnswer(win::IDYES);  // replace it, says the user
  vetra::ui::Click(dlg, Centre(kSaveButton));
  ASSERT_FALSE(Messages().empty());
  EXPECT_EQ(Messages().back(), "Cannot open file for writing");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive / "Vetra/Other"), std::filesystem::directory_iterator()), 1);

  const auto bmp = ReadBmpFile("Vetra/Saved/report.jpg");
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, 101);  // the capture's own size
  EXPECT_EQ(drive.ReadFile("Vetra/Saved/photo").substr(0, 2), "\xFF\xD8");
  EXPECT_TRUE(std::filesystem::exists(vetra::MapPath("c:\\Vetra\\Saved\\" + dlg.Texts().markerFileName)));
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(drive / "Vetra/Saved")) ++files;
  EXPECT_EQ(files, 3);

  // A folder of the Linux file system outside the drive, and a name code page 949 cannot spell:
  // the picture and its marker go there.
  const std::filesystem::path outside = drive.Root().parent_path() / (drive.Root().filename().string() + "-usb");
  std::filesystem::create_directories(outside);
  const std::size_t messagesBefore = Messages().size();
  vetra::ui::QueueFileDialogAnswer({vetra::TextFromLinux((outside / "café.bmp").string()), "*.BMP"});
  vetra::ui::Click(dlg, Centre(kSaveButton));
  const std::string saved = vetra::testing::ReadWholeFile(outside / "café.bmp");
  const bool markerBeside = std::filesystem::exists(vetra::MapPath(vetra::TextFromLinux(outside.string()) + "/" + dlg.Texts().markerFileName));
  std::filesystem::remove_all(outside);
  EXPECT_EQ(saved.substr(0, 2), "BM");
  EXPECT_TRUE(markerBeside);
  EXPECT_EQ(Messages().size(), messagesBefore);
}

TEST_F(PrintDialog, CaptureOfEveryDepthBecomesTheCopy)
{
  for (const int bits : {8, 16, 24}) {
    WriteCapture(bits, 60, 40);
    Open();
    const std::string copy = ReadCopy();
    EXPECT_EQ(testing::ReadBmpHeader(copy).width, 1017) << bits;
    EXPECT_NEAR(testing::Bmp24Pixel(copy, 59, 39).r, testing::Pattern(59, 39).r, 8) << bits;  // last capture pixel
    EXPECT_EQ(testing::Bmp24Pixel(copy, 60, 40), (testing::Rgb{255, 255, 255}));             // white beyond it
    dialog.reset();
    ReleaseInstanceMutexForTests();
  }
}

TEST_F(PrintDialog, UnreadableCaptureKeepsTheEarlierCopyAndSavesNothing)
{
  drive.WriteFile("Vetra/Fenmark/Temp/print1.bmp", "earlier");
  const std::pair<const char*, const char*> cases[] = {{"", "Error on file open"}, {"BMnot a picture at all, no", "Bad BMP file"}};
  for (const auto& [bytes, message] : cases) {
    vetra::ui::ClearMessageBoxes();
    if (*bytes) drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", bytes);
    else std::filesystem::remove(drive / "Vetra/Fenmark/Temp/print.bmp");
    auto& dlg = Open();
    EXPECT_EQ(Messages(), std::vector<std::string>{message});
    EXPECT_EQ(drive.ReadFile("Vetra/Fenmark/Temp/print1.bmp"), "earlier");
    vetra::ui::QueueFileDialogAnswer({"c:\\Vetra\\x.jpg", ""});
    vetra::ui::Click(dlg, Centre(kSaveButton));
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/x.jpg"));
    vetra::ui::ClearFileDialogAnswers();
    dialog.reset();
    ReleaseInstanceMutexForTests();
  }
}

TEST_F(PrintDialog, ACopyTheDiskCannotTakeIsSaidAndNoEarlierCopyIsPrinted)
{
  drive.WriteFile("Vetra/Fenmark/Temp/print1.bmp", testing::MakeBmp(8, 8, 24, testing::Pattern));
  const std::string earlier = drive.ReadFile("Vetra/Fenmark/Temp/print1.bmp");
  {
    const vetra::testing::FullDisk disk(1 << 20);  // the copy is 2 MB
    ASSERT_TRUE(disk.Active());
    Open();
  }
  EXPECT_EQ(Messages(), std::vector<std::string>{CaptureCopyFailedText()});
  EXPECT_EQ(drive.ReadFile("Vetra/Fenmark/Temp/print1.bmp"), earlier);
  vetra::ui::Click(*dialog, Centre(kPrintButton));
  EXPECT_EQ(printer.pages, 1);
  EXPECT_TRUE(std::none_of(printer.calls.begin(), printer.calls.end(),
                           [](const vetra::gdi::DrawCall& c) { return c.op == "StretchDIBits" && c.args[1] == -600; }));
}

TEST_F(PrintDialog, CopyFromAnEarlierRunIsNotPrinted)
{
  drive.WriteFile("Vetra/Fenmark/Temp/print1.bmp", testing::MakeBmp(8, 8, 24, testing::Pattern));
  drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", "BM damaged");
  auto& dlg = Open();
  vetra::ui::Click(dlg, Centre(kPrintButton));
  EXPECT_EQ(printer.pages, 1);
  EXPECT_TRUE(std::none_of(printer.calls.begin(), printer.calls.end(),
                           [](const vetra::gdi::DrawCall& c) { return c.op == "StretchDIBits" && c.args[1] == -600; }));
}

TEST_F(PrintDialog, SecondCopyEndsAtOnceReadingNothing)
{
  vetra::NamedMutex first(kInstanceMutexName);
  ASSERT_TRUE(first.Held());
  auto& dlg = Open();
  EXPECT_TRUE(dlg.EndedAsSecondCopy());
  EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/Fenmark/Temp/print1.bmp"));
  EXPECT_TRUE(dlg.Texts().markerFileName.empty());
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace tolvex
