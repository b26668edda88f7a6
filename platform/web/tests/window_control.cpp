#include "platform/web/tests/window_control.h"

#include "platform/base/text.h"

namespace vetra::web::testing {

std::vector<std::string>& WindowControl::Log()
{
  static std::vector<std::string> log;
  return log;
}

WindowControl::WindowControl(std::string clsid)
    : COleControl({std::move(clsid), "VETRATEST.WindowCtrl.1", "", "", ""})
{
  auto record = [this](const char* name, auto& member) {
    Dispatch().AddNotifyProperty(name, static_cast<win::DISPID>(Dispatch().Entries().size() + 1), member,
                                 [this, name, &member] {
                                   Log().push_back(std::string(name) + "=" + win::COleVariant(member).AsString());
                                   InvalidateControl();
                                 });
  };
  record("RunOcx", m_runOcx);
  record("ReloadMode", m_reloadMode);
  record("RunScantool", m_runScantool);
  record("ExecProcedure", m_execProcedure);
  record("DataFileName", m_dataFileName);
  record("SaveDataFilePath", m_saveDataFilePath);
  record("ReadFileName", m_readFileName);
  Dispatch().AddProperty(
      "Count", 20, win::VT_I4, [this] { return win::COleVariant(m_count); },
      [this](const win::COleVariant& value) {
        m_count = value.AsLong();
        Log().push_back("Count=" + std::to_string(m_count));
        win::COleVariant none[] = {win::COleVariant(m_count)};
        FireEvent(kChangedEvent, none);
      });
  AddEvent("Changed", kChangedEvent);
  AddStockErrorEvent();
}

int WindowControl::OnCreate(win::LPCREATESTRUCT cs)
{
  if (COleControl::OnCreate(cs) == -1) return -1;
  Log().push_back(Format("create %d,%d,%d,%d", cs->x, cs->y, cs->cx, cs->cy));
  return 0;
}

void WindowControl::OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect&)
{
  dc->FillSolidRect(&bounds, kFace);
  dc->SetBkMode(win::TRANSPARENT);
  dc->SetTextColor(win::RGB(255, 255, 255));
  dc->TextOut(10, 10, m_dataFileName + m_saveDataFilePath + m_readFileName);
}

void WindowControl::OnDestroy()
{
  Log().push_back("destroy");
  COleControl::OnDestroy();
}

}  // namespace vetra::web::testing
