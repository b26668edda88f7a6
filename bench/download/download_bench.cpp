#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "controls/download/pakrel_ctrl.h"
#include "controls/download/pakrel_identity.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/net/testing/loopback_http_server.h"
#include "platform/base/drive.h"
#include "platform/ui/testing.h"
#include "controls/download/tests/control/download_skins.h"
#include "tools/skins/bmp_file.h"
#include "tools/skins/canvas.h"
#include "tools/skins/catalogue.h"
#include "tools/skins/skin_art.h"

namespace {

class Page : public win::CWnd {
public:
  win::BOOL Make() { return CreateEx(0, "Page", "page", win::WS_POPUP | win::WS_VISIBLE, win::CRect(0, 0, 800, 600), nullptr, 0); }
};

void Set(pakrel::CPakrelCtrl& control, const char* name, const win::COleVariant& value)
{
  vetra::ui::RestartHeadlessLimit();
  control.Dispatch().SetProperty(*control.Dispatch().FindName(name), value);
}

// One road-test recording of the given size fetched and copied to its working copy.
void DownloadRecording(benchmark::State& state)
{
  const auto size = static_cast<std::size_t>(state.range(0));
  vetra::testing::TempDrive drive;
  drive.WriteFile("Windows/keep", "");
  // The download dialog's pictures, so every read also draws the skinned bar.
  pakrel::testing::WriteDownloadDialogSkins();
  vetra::ui::ResetForTests();
  vetra::testing::HttpReply reply;
  reply.patternSize = size;
  vetra::testing::LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());
  Page page;
  page.Make();
  pakrel::CPakrelCtrl control;
  control.CreateControlWindow(&page, win::CRect(0, 0, 100, 20));
  bool ok = true;
  control.ConnectEvents([&ok](win::DISPID id, std::string_view, std::span<const win::COleVariant>) { ok = id == pakrel::kEventDnOk; });
  Set(control, "ServerIP", win::COleVariant("127.0.0.1"));
  Set(control, "ServerFileName", win::COleVariant("/data/run.RES"));
  Set(control, "FileSize", win::COleVariant(static_cast<win::LONG>(size)));
  Set(control, "DataType", win::COleVariant(static_cast<win::SHORT>(5)));
  for (auto _ : state) {
    Set(control, "RunOcx", win::COleVariant(static_cast<win::SHORT>(1)));
    if (!ok) state.SkipWithError("the download failed");
    state.PauseTiming();
    std::filesystem::remove(drive / ("Vetra/TempE/" + control.Dispatch().Entries()[pakrel::kDispOutputFileName - 1].get().AsString()));
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  control.DestroyWindow();
  page.DestroyWindow();
  vetra::ui::ResetForTests();
}
BENCHMARK(DownloadRecording)->Arg(256 << 10)->Arg(2 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
