// One A4 report page at 254 dots per inch, from StartDoc to a finished PDF file.
#include <benchmark/benchmark.h>

#include "platform/base/testing/temp_drive.h"
#include "platform/print/printer_dc.h"

namespace {

void PrintOnePage(benchmark::State& state)
{
  const vetra::testing::TempDrive drive;
  for (auto _ : state) {
    auto dc = win::CreatePrinterDC("PDF file", nullptr);
    dc->StartDoc("Vetra");
    dc->StartPage();
    dc->SetMapMode(win::MM_LOMETRIC);
    // A capture-sized block and a few frames, as the report page has.
    const win::RECT capture{0, -600, 1960, -2025};
    dc->FillSolidRect(&capture, win::RGB(40, 90, 160));
    for (int y = -200; y > -2900; y -= 150) {
      dc->MoveTo(3, y);
      dc->LineTo(1957, y);
    }
    dc->EndPage();
    benchmark::DoNotOptimize(dc->EndDoc());
  }
}
BENCHMARK(PrintOnePage)->Unit(benchmark::kMillisecond);

}  // namespace
