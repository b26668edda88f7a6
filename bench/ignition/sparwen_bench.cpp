// Ignition viewer: the data work of one playback tick, with and without the trend view. A tick
// re-reads the shown position's records; with the trend view it re-reads the whole 70-position
// window, which for eight cylinders of four pieces is 2240 records. And the same tick as the user
// sees it: timer 20 fires, and the control, the graph window and the value panel repaint through
// their back buffers, in each display mode, beside the memcpy of the frame.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench/frame_baseline.h"
#include "controls/ignition/core/sparwen_model.h"
#include "controls/ignition/sparwen_ctrl.h"
#include "controls/ignition/sparwen_identity.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/ui/testing.h"
#include "tools/samples/ignition_sample.h"
#include "tools/skins/skin_set.h"

namespace {

namespace fs = std::filesystem;

// The exchange folder of a throw-away drive C, for the life of one benchmark.
fs::path ExchangeFolder(const vetra::testing::TempDrive& drive)
{
  fs::create_directories(drive / "Vetra/TempE");
  return drive / "Vetra/TempE";
}

void PlaybackTick(benchmark::State& state)
{
  vetra::testing::TempDrive drive;
  vetra::samples::IgnitionOptions o;
  o.engineClass = 4;     // eight cylinders
  o.displayMode = 1;
  o.timeBaseCode = 0;    // four pieces a cylinder
  o.frameCount = 300;
  if (!vetra::samples::WriteIgnitionSample(o, ExchangeFolder(drive) / "bench.Ig2")) throw std::runtime_error("no recording");
  sparwen::SparwenModel model;
  if (!model.Load("bench.Ig2").ok) throw std::runtime_error("not loaded");
  if (state.range(0) != 0) model.TrendButton();
  model.ToStart();
  for (auto _ : state) {
    model.PlayForward();
    if (model.Tick()) model.ToStart();
    model.StopPlayback();
    benchmark::DoNotOptimize(model.State().values);
  }
}
BENCHMARK(PlaybackTick)->Arg(0)->Arg(1)->ArgName("trend")->Unit(benchmark::kMillisecond);

// The page's window with the control in it, on the headless display.
class Page : public win::CWnd {
public:
  bool Make() { return CreateEx(0, "Page", "page", win::WS_POPUP | win::WS_VISIBLE, win::CRect(0, 0, 1017, 708), nullptr, 0) != 0; }
};

void PlaybackTickWithRepaint(benchmark::State& state)
{
  const int mode = static_cast<int>(state.range(0));
  vetra::testing::TempDrive drive;
  vetra::samples::IgnitionOptions o;
  o.engineClass = 4;  // eight cylinders
  o.displayMode = mode == 4 ? 1 : mode;
  o.timeBaseCode = mode == 0 ? 1 : 2;
  o.frameCount = 300;
  if (!vetra::samples::WriteIgnitionSample(o, ExchangeFolder(drive) / "bench.Ig2")) throw std::runtime_error("no recording");
  if (!vetra::skins::WriteSkinSet().ok) throw std::runtime_error("no skins");
  vetra::bench::TickTimer timer;
  vetra::ui::ResetForTests();
  {
    Page page;
    sparwen::CSparwenCtrl control;
    if (!page.Make() || !control.CreateControlWindow(&page, win::CRect(0, 0, 1017, 708))) throw std::runtime_error("no window");
    control.Dispatch().SetProperty(sparwen::kDispDataFileName, win::COleVariant(std::string("bench.Ig2")));
    control.Dispatch().SetProperty(sparwen::kDispRunOcx, win::COleVariant(static_cast<win::SHORT>(1)));
    vetra::ui::Pump();
    if (!control.Model().IsLoaded()) throw std::runtime_error("not loaded");
    if (mode == 4) control.RunButton(sparwen::kTrendButton);
    control.RunButton(sparwen::kStartButton);
    control.RunButton(sparwen::kPlayForwardButton);
    vetra::ui::Pump();
    for (auto _ : state) {
      if (timer.NewPass()) {
        state.PauseTiming();
        control.RunButton(sparwen::kStartButton);
        control.RunButton(sparwen::kPlayForwardButton);
        vetra::ui::Pump();  // the buttons' own repaints are not a tick's
        state.ResumeTiming();
      }
      timer.Time([&] { vetra::ui::AdvanceClock(sparwen::kPlayPeriodMs); });
      if (!control.Playing()) {
        state.PauseTiming();
        control.RunButton(sparwen::kStartButton);
        control.RunButton(sparwen::kPlayForwardButton);
        vetra::ui::Pump();
        state.ResumeTiming();
      }
    }
    timer.Report(state);
    state.SetLabel(mode == 4 ? "trend view" : "display mode " + std::to_string(mode));
  }
  vetra::ui::ResetForTests();
}
BENCHMARK(PlaybackTickWithRepaint)->DenseRange(0, 4)->Iterations(vetra::bench::TickTimer::kIterations)->Unit(benchmark::kMillisecond);

}  // namespace
