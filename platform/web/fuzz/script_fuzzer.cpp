// Runs arbitrary text as page script against one control and the page objects, then fires the
// control's event and the due timers: nothing a script does may take the engine down.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/clock.h"
#include "platform/ole/ole_control_object.h"
#include "platform/web/dom.h"
#include "platform/web/script_engine.h"

namespace {

class FuzzHost : public vetra::web::ScriptHost {
public:
  FuzzHost() : control({"{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}", "", "", "", ""})
  {
    control.Dispatch().AddNotifyProperty("RunOcx", 1, m_run, [this] { control.FireEvent(1); });
    control.Dispatch().AddNotifyProperty("Name", 2, m_name, {});
    control.Dispatch().AddMethod("Go", 3, win::VT_I4, 1, [](auto) { return win::COleVariant(win::LONG{1}); });
    control.AddEvent("Ready", 1);
  }
  void Alert(const std::string&) override {}
  std::string Title() const override { return m_title; }
  void SetTitle(const std::string& title) override { m_title = title; }
  std::string Location() const override { return "c:\\page.html"; }
  void NavigateLater(const std::string&) override {}
  void HistoryLater(int) override {}
  win::COleControlObject* ControlAt(std::size_t index) override { return index == 0 ? &control : nullptr; }

  win::COleControlObject control;

private:
  win::SHORT m_run = 0;
  std::string m_name;
  std::string m_title;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view code(reinterpret_cast<const char*>(data), size);
  const vetra::web::Document page = *vetra::web::ParseHtml("<div id=box></div><object id=Ctl></object>");
  FuzzHost host;
  vetra::web::ScriptEngine engine(host, std::chrono::milliseconds(5));
  host.control.ConnectEvents([&](win::DISPID, std::string_view name, std::span<const win::COleVariant> args) {
    engine.DispatchEvent("Ctl", name, args);
  });
  engine.BindElement(*page.FindById("box"));
  engine.BindControl(*page.FindById("Ctl"), 0);
  engine.AddEventHandler("Ctl", "Ready", "", code);
  engine.Run(code, "fuzz");
  host.control.FireEvent(1);
  engine.RunDueTimers(vetra::MonotonicMs() + 100);
  return 0;
}
