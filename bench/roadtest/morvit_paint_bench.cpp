// Road-test viewer with eight shown graphs, each figure beside the memcpy of the frame measured in
// the same run: at every scale entry, in both layouts and in the zoom view, a repaint and a playback
// tick with its repaint (the full view does not play), and the repaint after a cursor click, which
// keeps the pages the last paint built.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/frame_baseline.h"
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

enum Action { kRepaint = 0, kPlaybackTick = 1, kCursorMove = 2 };
enum View { kParallel = 1, kOverlap = 2, kZoom = 3 };

std::string Label(int graphs, int scaleEntry, int view, int action)
{
  const char* views[] = {"", "parallel", "overlap", "zoom view"};
  const char* actions[] = {"repaint", "playback tick", "cursor moves"};
  return std::to_string(graphs) + " graphs, scale entry " + std::to_string(scaleEntry) + ", " + views[view] + ", " +
         actions[action];
}

void BM_RoadTestTick(benchmark::State& state)
{
  const int scaleEntry = static_cast<int>(state.range(0));
  const int view = static_cast<int>(state.range(1));
  const auto action = static_cast<Action>(state.range(2));
  vetra::testing::TempDrive drive;
  fs::create_directories(drive / "Vetra/TempE");
  vetra::samples::RoadTestOptions options;
  options.recordLengthCode = 1;
  options.packed = false;
  if (!vetra::samples::WriteRoadTestSample(options, drive / "Vetra/TempE/bench.Dat")) {
    state.SkipWithError("cannot write the recording");
    return;
  }
  vetra::bench::TickTimer timer;
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
    if (view == kOverlap) control.RunButtonCommand(morvit::SkinButton::Layout2);
    if (view == kZoom) control.RunButtonCommand(morvit::SkinButton::Zoom);
    vetra::ui::Pump();
    control.UpdateWindow();
    const auto play = [&] {
      control.RunButtonCommand(morvit::SkinButton::Start);
      control.RunButtonCommand(morvit::SkinButton::Play);
      vetra::ui::Pump();
    };
    if (action == kPlaybackTick) play();
    int column = 100;
    for (auto _ : state) {
      if (timer.NewPass()) {
        state.PauseTiming();
        if (action == kPlaybackTick) play();
        column = 100;
        state.ResumeTiming();
      }
      switch (action) {
        case kRepaint:
          timer.Time([&] {
            control.Invalidate(win::FALSE);
            control.UpdateWindow();
          });
          break;
        case kPlaybackTick:
          if (control.Model().State().play == morvit::PlayState::Stopped) {
            state.PauseTiming();
            play();
            state.ResumeTiming();
          }
          timer.Time([&] { vetra::ui::AdvanceClock(morvit::CMorvitCtrl::kPlaybackMs); });
          break;
        case kCursorMove:
          column = column % 600 + 1;
          timer.Time([&] {
            control.Model().LeftButton(16 + column, 300);
            control.Invalidate(win::FALSE);
            control.UpdateWindow();
          });
          break;
      }
    }
    timer.Report(state);
    state.SetLabel(Label(control.Model().State().shown.Count(), scaleEntry, view, action));
  }
  vetra::ui::ResetForTests();
}
// Every scale entry in both layouts and in the zoom view: a repaint, and a playback tick where the
// view plays (not in the full view); and cursor moves in the full view.
void EveryViewAndScale(benchmark::internal::Benchmark* bench)
{
  for (const int view : {kParallel, kOverlap, kZoom}) {
    for (int scaleEntry = 0; scaleEntry <= 9; ++scaleEntry) {
      bench->Args({scaleEntry, view, kRepaint});
      if (scaleEntry != 0) bench->Args({scaleEntry, view, kPlaybackTick});
    }
  }
  bench->Args({0, kParallel, kCursorMove});
}
BENCHMARK(BM_RoadTestTick)->Apply(EveryViewAndScale)->Iterations(vetra::bench::TickTimer::kIterations)->Unit(benchmark::kMillisecond);

}  // namespace
