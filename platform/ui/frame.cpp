#include "platform/ui/frame.h"

namespace win {

BOOL CFrameWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect, CWnd* parent,
                       DWORD exStyle)
{
  m_strTitle = title ? title : "";
  return CreateEx(exStyle, className ? className : "AfxFrameOrView", m_strTitle.c_str(), style & ~WS_CHILD, rect,
                  parent, 0);
}

void CFrameWnd::SetActiveView(CView* view)
{
  m_pViewActive = view;
  RecalcLayout();
  // The active view has the keys.
  if (view != nullptr && view->m_hWnd != nullptr) view->SetFocus();
}

void CFrameWnd::OnSetFocus(CWnd* oldWnd)
{
  CWnd::OnSetFocus(oldWnd);
  if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr) m_pViewActive->SetFocus();
}

void CFrameWnd::SetTitle(const std::string& title) { m_strTitle = title; }

void CFrameWnd::UpdateFrameTitleForDocument(const std::string& documentName)
{
  SetWindowText(documentName.empty() ? m_strTitle : documentName + " - " + m_strTitle);
}

void CFrameWnd::RecalcLayout()
{
  if (!m_hWnd) return;
  CWnd* pane = GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST));
  if (!pane) pane = m_pViewActive;
  if (!pane || !pane->m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  pane->MoveWindow(client);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
  return m_hAccelTable && TranslateAccelerator(m_hWnd, m_hAccelTable, msg);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
  const UINT id = LOWORD(wParam);
  if (m_pViewActive && m_pViewActive->m_hWnd && m_pViewActive->OnViewCommand(id)) return TRUE;
  if (OnFrameCommand(id)) return TRUE;
  return CWnd::OnCommand(wParam, lParam);
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
  CWnd::OnSize(type, cx, cy);
  RecalcLayout();
}

BOOL CView::Create(CFrameWnd* frame, DWORD style, UINT id)
{
  if (!frame) return FALSE;
  CRect client;
  frame->GetClientRect(&client);
  if (!CreateEx(0, "AfxFrameOrView", "", style | WS_CHILD, client, frame, id)) return FALSE;
  if (!frame->GetActiveView()) frame->SetActiveView(this);
  return TRUE;
}

}  // namespace win
