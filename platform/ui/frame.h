#pragma once
// Frame and view windows: a top-level frame with a caption, an accelerator table and one view
// that fills its client area; commands go to the view first, then to the frame, and the keys go
// to the view.

#include <string>

#include "platform/ui/accelerators.h"
#include "platform/ui/cwnd.h"

namespace win {

inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

class CView;

class CFrameWnd : public CWnd {
public:
  BOOL Create(const char* className, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
              const RECT& rect = CRect(0, 0, 640, 480), CWnd* parent = nullptr, DWORD exStyle = 0);
  void SetAccelerators(HACCEL table) { m_hAccelTable = std::move(table); }
  void SetActiveView(CView* view);
  CView* GetActiveView() const { return m_pViewActive; }
  // Caption: "<document> - <title>", or the title alone without a document name.
  void SetTitle(const std::string& title);
  const std::string& GetTitle() const { return m_strTitle; }
  void UpdateFrameTitleForDocument(const std::string& documentName);
  void RecalcLayout();

  BOOL PreTranslateMessage(MSG* msg) override;

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnSetFocus(CWnd* oldWnd) override;
  // A command for the frame itself; TRUE when handled.
  virtual BOOL OnFrameCommand(UINT id) { (void)id; return FALSE; }

  HACCEL m_hAccelTable;
  CView* m_pViewActive = nullptr;
  std::string m_strTitle;
};

class CView : public CWnd {
public:
  BOOL Create(CFrameWnd* frame, DWORD style = WS_CHILD | WS_VISIBLE, UINT id = AFX_IDW_PANE_FIRST);
  virtual void OnInitialUpdate() {}
  CFrameWnd* GetParentFrame() const { return dynamic_cast<CFrameWnd*>(GetTopLevelParent()); }
  // A command offered to the view; TRUE when handled.
  virtual BOOL OnViewCommand(UINT id) { (void)id; return FALSE; }
};

}  // namespace win
