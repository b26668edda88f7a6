#pragma once
// A window-bearing control for page viewer tests: records its window roles and every property
// set into one log, in order, and fires its event on demand.

#include <memory>
#include <string>
#include <vector>

#include "platform/ole/ole_control.h"

namespace vetra::web::testing {

// The class identifiers the viewer pages name for the five kinds all create this control.
inline constexpr const char* kWindowControlClsid = "{0B5E77A1-6C7F-4E43-9F0D-5E7A1C0DE001}";

class WindowControl : public win::COleControl {
public:
  explicit WindowControl(std::string clsid = kWindowControlClsid);

  // "create x,y,w,h" (parent coordinates), "Name=value", "destroy".
  static std::vector<std::string>& Log();

  static constexpr win::DISPID kChangedEvent = 1;
  static constexpr win::COLORREF kFace = win::RGB(40, 90, 160);

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect& invalid) override;
  void OnDestroy() override;

private:
  win::SHORT m_runOcx = 0;
  win::SHORT m_reloadMode = 0;
  win::SHORT m_runScantool = 0;
  win::SHORT m_execProcedure = 0;
  std::string m_dataFileName;
  std::string m_saveDataFilePath;
  std::string m_readFileName;
  win::LONG m_count = 0;
};

}  // namespace vetra::web::testing
