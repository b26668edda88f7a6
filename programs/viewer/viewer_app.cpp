#include "programs/viewer/viewer_app.h"

#include "platform/base/handed_lock.h"
#include "platform/ui/accelerators.h"
#include "platform/ui/menu.h"

namespace halvor {

std::string g_startAddress;

void CHalvorDoc::SetTitle(const std::string& title)
{
  m_title = title;
  if (m_frame != nullptr && m_frame->GetSafeHwnd() != nullptr) m_frame->UpdateFrameTitleForDocument(m_title);
}

win::BOOL CMainFrame::PreCreateWindow(win::CREATESTRUCT& cs)
{
  if (!CFrameWnd::PreCreateWindow(cs)) return win::FALSE;
  cs.style &= ~(win::WS_MAXIMIZE | win::WS_THICKFRAME | win::WS_MAXIMIZEBOX);
  return win::TRUE;
}

int CMainFrame::OnCreate(win::LPCREATESTRUCT cs)
{
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  if (win::CMenu* menu = GetSystemMenu(win::FALSE))
    menu->EnableMenuItem(win::SC_MAXIMIZE, win::MF_BYCOMMAND | win::MF_GRAYED);
  return 0;
}

void CHalvorView::OnInitialUpdate()
{
  CHtmlView::OnInitialUpdate();
  Navigate2(g_startAddress);
  // The start page is read: a chooser that handed us its page lock may write the next one.
  vetra::ReleaseHandedLock();
}

void CHalvorView::OnTitleChange(const std::string& text) { m_document.SetTitle(text); }

win::BOOL CHalvorView::OnViewCommand(win::UINT id)
{
  switch (id) {
    case ID_FILE_PRINT: ExecPrint(); return win::TRUE;
    case ID_STOP: Stop(); return win::TRUE;
    case ID_GO_FORWARD: GoForward(); return win::TRUE;
    case ID_GO_BACK:
    case ID_REFRESH:
    case ID_FILE_OPEN: return win::TRUE;  // handled by doing nothing
    default: return win::FALSE;
  }
}

win::HACCEL ViewerAccelerators()
{
  using win::FALT;
  using win::FCONTROL;
  using win::FSHIFT;
  using win::FVIRTKEY;
  const std::vector<win::ACCEL> entries{
      {FVIRTKEY | FCONTROL, 'P', ID_FILE_PRINT},
      {FVIRTKEY, win::VK_ESCAPE, ID_STOP},
      {FVIRTKEY | FALT, win::VK_RIGHT, ID_GO_FORWARD},
      {FVIRTKEY | FALT, win::VK_LEFT, ID_GO_BACK},
      {FVIRTKEY, win::VK_F5, ID_REFRESH},
      {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
      {FVIRTKEY | FCONTROL | FALT, 'G', ID_HIDDEN_2},
      {FVIRTKEY | FCONTROL | FALT | FSHIFT, win::VK_NUMLOCK, ID_HIDDEN_1},
  };
  return win::CreateAcceleratorTable(entries);
}

CHalvorApp::CHalvorApp() : CWinApp("Viewer") {}

win::BOOL CHalvorApp::InitInstance()
{
  EnableControlContainer();
  Enable3dControls();
  SetRegistryKey("Local AppWizard-Generated Applications");
  LoadStdProfileSettings(0);

  g_startAddress = m_strCmdLine;

  // The new-document command: the document (titled "Untitled"), the frame, the view, then the
  // view's initial update, which starts the navigation.
  m_document = CHalvorDoc();
  m_frame = std::make_unique<CMainFrame>();
  const win::DWORD style = win::WS_OVERLAPPEDWINDOW;
  if (!m_frame->Create(nullptr, "Viewer", style, win::CRect(0, 0, kWindowWidth, kWindowHeight))) {
    m_frame.reset();
    return win::FALSE;
  }
  m_frame->SetAccelerators(ViewerAccelerators());
  m_document.SetFrame(m_frame.get());
  m_view = std::make_unique<CHalvorView>(m_document);
  if (!m_view->Create(m_frame.get())) {
    m_frame->DestroyWindow();
    m_frame.reset();
    return win::FALSE;
  }
  m_frame->SetActiveView(m_view.get());
  m_frame->UpdateFrameTitleForDocument(m_document.GetTitle());
  m_pMainWnd = m_frame.get();
  m_frame->ShowWindow(win::SW_SHOW);
  m_view->OnInitialUpdate();

  m_frame->MoveWindow(0, 0, kWindowWidth, kWindowHeight, win::TRUE);
  m_frame->UpdateWindow();
  return win::TRUE;
}

}  // namespace halvor
