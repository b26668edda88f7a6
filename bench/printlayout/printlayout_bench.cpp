// The print-layout program's work: importing the viewers' 32-bit capture, and laying out and
// rendering one report page at the printer's 254 dots per inch.

#include <benchmark/benchmark.h>

#include "platform/base/testing/temp_drive.h"
#include "programs/printlayout/capture.h"
#include "programs/printlayout/image.h"
#include "programs/printlayout/input_files.h"
#include "programs/printlayout/report_page.h"
#include "programs/printlayout/tests/test_pictures.h"
#include "tools/samples/printlayout_sample.h"

namespace {

using namespace tolvex;

void BM_DecodeCapture(benchmark::State& state)
{
  const std::string bytes = testing::MakeBmp(1017, 708, 32, testing::Pattern);
  for (auto _ : state) {
    auto picture = DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    benchmark::DoNotOptimize(picture);
  }
}
BENCHMARK(BM_DecodeCapture)->Unit(benchmark::kMillisecond);

void BM_ReportPageAt254Dpi(benchmark::State& state)
{
  vetra::testing::TempDrive drive;
  vetra::samples::WritePrintLayoutSample({}, drive / "Vetra/Fenmark/Temp");
  drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", testing::MakeBmp(1017, 708, 32, testing::Pattern));
  drive.WriteFile("Vetra/Fenmark/Img/BKColor.bmp", testing::MakeBmp(196, 15, 24, testing::Pattern));
  ImportCapture([](const std::string&) {});
  CImage logo;
  logo.CreateImpl("c:\\logo.jpg", kImageJpg);
  logo.Create(404, 112, 24, -1);
  logo.Write("c:\\logo.jpg");

  ReportTexts texts;
  ReadCarFile(texts);
  ReadCustomerInfo(texts);
  ReadShopInfo(texts);
  ReadCarInfoText(texts);
  RemarkLines remarks{"engine check", "ignition coil replaced"};
  vetra::CDib capture, band;
  capture.Open(kCaptureCopyReadPath);
  band.Open("c:\\Vetra\\Fenmark\\Img\\BKColor.bmp");
  CLogoPicture picture;
  picture.Load("c:\\logo.jpg");

  // A4's printable area at 254 dpi: one MM_LOMETRIC unit is one pixel.
  win::CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SetDeviceInfo({2, 254, 2000, 2870, 32});
  win::CBitmap sheet;
  sheet.CreateCompatibleBitmap(&dc, 2000, 2870);
  dc.SelectObject(&sheet);
  for (auto _ : state) {
    dc.FillSolidRect(0, 0, 2000, 2870, win::RGB(255, 255, 255));
    dc.SetBkMode(win::TRANSPARENT);
    dc.SetMapMode(win::MM_LOMETRIC);
    DrawReportPage(&dc, {&texts, &remarks, &capture, &band, &picture, "2026-12-10  09:05"});
    dc.SetMapMode(win::MM_TEXT);
  }
}
BENCHMARK(BM_ReportPageAt254Dpi)->Unit(benchmark::kMillisecond);

}  // namespace
