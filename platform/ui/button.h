#pragma once
// Buttons: push buttons, check boxes, radio buttons, group boxes and owner-drawn buttons,
// drawn in a plain classic look. A click (press and release inside) reaches the parent as
// WM_COMMAND with BN_CLICKED.

#include "platform/ui/cwnd.h"

namespace win {

class CButton : public CWnd {
public:
  BOOL Create(const char* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetCheck() const { return static_cast<int>(m_check); }
  void SetCheck(int check);
  UINT GetState() const;
  void SetState(BOOL pushed);
  UINT GetButtonStyle() const { return GetStyle() & 0xFF; }
  void SetButtonStyle(UINT style, BOOL redraw = TRUE);
  // Draws an owner-drawn button (BS_OWNERDRAW); called through the parent's WM_DRAWITEM.
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  UINT Kind() const { return GetStyle() & BS_TYPEMASK; }
  bool IsPushed() const { return m_pushed; }
  bool HasFocus() const { return m_focused; }

private:
  void Click();
  void Draw(CDC& dc, CRect client);
  static bool IsPushButton(const CWnd& wnd);
  bool AnotherPushButtonHasFocus() const;
  void RedrawDefaultButtons();
  UINT m_check = BST_UNCHECKED;
  bool m_pushed = false;
  bool m_tracking = false;
  bool m_focused = false;
};

}  // namespace win
