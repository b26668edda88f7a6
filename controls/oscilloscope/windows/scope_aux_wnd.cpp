#include "controls/oscilloscope/windows/scope_aux_wnd.h"

#include "platform/ui/paint.h"

namespace tessial {

CScopeAuxWnd::~CScopeAuxWnd()
{
  if (m_hWnd != nullptr) DestroyWindow();
}

win::BOOL CScopeAuxWnd::CreateOverlay(win::CWnd* parent, const win::RECT& rect, win::UINT id)
{
  return CreateEx(0, "ScopeOverlay", "", win::WS_CHILD, rect, parent, id);
}

void CScopeAuxWnd::OnPaint()
{
  win::CPaintDC dc(this);
  win::CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, win::RGB(255, 255, 255));
}

}  // namespace tessial
