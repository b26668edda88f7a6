#include "platform/ui/notify.h"

namespace win {

LRESULT SendNotify(CWnd& control, NMHDR& header, UINT code)
{
  return SendNotify(control, header, code, static_cast<UINT_PTR>(control.GetDlgCtrlID()));
}

LRESULT SendNotify(CWnd& control, NMHDR& header, UINT code, UINT_PTR fromId)
{
  header.hwndFrom = control.m_hWnd;
  header.idFrom = fromId;
  header.code = code;
  CWnd* parent = control.GetParent();
  if (!parent) return 0;
  return parent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

}  // namespace win
