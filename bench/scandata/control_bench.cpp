// One playback tick of the scan-data control as the user sees it: the position moved by the
// 10 ms timer and the graph view (eight graphs) or the text view (100 rows in the two lists)
// repainted on the headless display. A tick must stay well inside its 10 ms; it is shown beside
// the memcpy of the frame.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/frame_baseline.h"
#include "controls/scandata/quarnel_ctrl.h"
#include "controls/scandata/quarnel_identity.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/ui/testing.h"
#include "tools/samples/scan_sample.h"

namespace {

class Page : public win::CWnd {
 public:
  bool Make() { return CreateEx(0, "Page", "page", win::WS_POPUP | win::WS_VISIBLE, win::CRect(0, 0, 1017, 708), nullptr, 0) != 0; }
};

void BM_PlaybackTickWithRepaint(benchmark::State& state)
{
  const bool textView = state.range(0) == 1;
  vetra::testing::TempDrive drive;
  vetra::samples::ScanOptions options;
  options.itemCount = 100;
  options.sampleCount = 5010;
  std::filesystem::create_directories(drive / "Vetra/TempE");
  vetra::samples::WriteScanSample(options, drive / "Vetra/TempE/bench.SCN");
  vetra::bench::TickTimer timer;
  vetra::ui::ResetForTests();
  {
    Page page;
    quarnel::CQuarnelCtrl control;
    if (!page.Make() || !control.CreateControlWindow(&page, win::CRect(0, 0, 1017, 708))) {
      state.SkipWithError("no window");
      return;
    }
    control.Dispatch().SetProperty(quarnel::kDispSaveDataFilePath, win::COleVariant(std::string("bench.SCN")));
    control.Dispatch().SetProperty(quarnel::kDispRunScantool, win::COleVariant(static_cast<win::SHORT>(1)));
    vetra::ui::Pump();
    if (!control.Model().State().Loaded()) {
      state.SkipWithError("load failed");
      return;
    }
    if (textView) vetra::ui::Click(control, {120, 80});  // graph/text
    const auto play = [&] { control.Dispatch().SetProperty(quarnel::kDispRunScantool, win::COleVariant(static_cast<win::SHORT>(206))); };
    play();
    for (auto _ : state) {
      if (timer.NewPass()) {
        state.PauseTiming();
        control.Dispatch().SetProperty(quarnel::kDispRunScantool, win::COleVariant(static_cast<win::SHORT>(202)));
        play();
        state.ResumeTiming();
      }
      if (control.Model().State().playback.state == quarnel::PlayState::stopped) {
        control.Dispatch().SetProperty(quarnel::kDispRunScantool, win::COleVariant(static_cast<win::SHORT>(202)));
        play();
      }
      timer.Time([&] { vetra::ui::AdvanceClock(quarnel::kPlayTimerMs); });
    }
    timer.Report(state);
    state.SetLabel(textView ? "text view, 100 rows" : "graph view, 8 graphs");
  }
  vetra::ui::ResetForTests();
}
BENCHMARK(BM_PlaybackTickWithRepaint)->Arg(0)->Arg(1)->Iterations(vetra::bench::TickTimer::kIterations)->Unit(benchmark::kMillisecond);

}  // namespace
