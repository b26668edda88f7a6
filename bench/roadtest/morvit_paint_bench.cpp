// Road-test viewer: one repaint of the whole control with eight shown graphs, as every playback
// tick asks for, in the full view and while paging at 1:10; and the repaint after a cursor click,
// which keeps the pages the last paint built.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "controls/roadtest/morvit_ctrl.h"
#include "controls/roadtest/morvit_identity.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/ui/testing.h"
#include "tools/samples/roadtest_sample.h"

namespace {

namespace fs = std::filesystem;

class Page : public win::CWnd {
public:
  bool Make() { return CreateEx(0, "Page", "page", win::WS_POPUP | win::WS_VISIBLE, win::CRect(0, 0, 1018, 708), nullptr, 0) != 0; }
};

void BM_RepaintEightGraphs(benchmark::State& state)
{
  const int scaleEntry = static_cast<int>(state.range(0));
  const bool cursorOnly = state.range(1) != 0;
  vetra::testing::TempDrive drive;
  fs::create_directories(drive / "Vetra/TempE");
  vetra::samples::RoadTestOptions options;
  options.recordLengthCode = 1;
  options.packed = false;
  if (!vetra::samples::WriteRoadTestSample(options, drive / "Vetra/TempE/bench.Dat")) {
    state.SkipWithError("cannot write the recording");
    return;
  }
  vetra::ui::ResetForTests();
  {
    Page page;
    morvit::CMorvitCtrl control;
    if (!page.Make() || !control.CreateControlWindow(&page, win::CRect(0, 0, 1018, 708))) {
      state.SkipWithError("no window");
      return;
    }
    control.Dispatch().SetProperty(morvit::kDispReadFileName, win::COleVariant("bench.Dat"));
    control.Dispatch().SetProperty(morvit::kDispExecProcedure, win::COleVariant(static_cast<win::SHORT>(100)));
    control.OnScaleCloseUp(scaleEntry);
    vetra::ui::Pump();
    control.UpdateWindow();
    int column = 100;
    for (auto _ : state) {
      if (cursorOnly) {
        column = column % 600 + 1;
        control.Model().LeftButton(16 + column, 300);
      }
      control.Invalidate(win::FALSE);
      control.UpdateWindow();
    }
    state.SetLabel(std::to_string(control.Model().State().shown.Count()) + " graphs, scale entry " + std::to_string(scaleEntry) +
                   (cursorOnly ? ", cursor moves" : ""));
  }
  vetra::ui::ResetForTests();
}
BENCHMARK(BM_RepaintEightGraphs)->Args({0, 0})->Args({4, 0})->Args({0, 1})->Unit(benchmark::kMillisecond);

}  // namespace
