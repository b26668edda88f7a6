#include "platform/ui/notify.h"

namespace win {

LRESULT SendNotify(CWnd& control, NMHDR& header, UINT code)
{
  header.hwndFrom = control.m_hWnd;
  header.idFrom = static_cast<UINT_PTR>(control.GetDlgCtrlID());
  header.code = code;
  CWnd* parent = control.GetParent();
  if (!parent) return 0;
  return parent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

}  // namespace win
