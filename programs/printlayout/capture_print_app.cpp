#include "programs/printlayout/capture_print_app.h"

#include "platform/ui/message_box.h"
#include "programs/printlayout/capture_print_dlg.h"
#include "programs/printlayout/image_messages.h"

namespace tolvex {

win::BOOL CCapturePrintApp::InitInstance()
{
  EnableControlContainer();
  Enable3dControls();
  SetImageMessageHandler([](const std::string& text) { win::AfxMessageBox(text); });
  CCapturePrintDlg dialog;
  m_pMainWnd = &dialog;
  // The command line (a caller may pass its window rectangle) is kept and not used.
  dialog.m_strCmdLine = m_strCmdLine;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  return win::FALSE;
}

}  // namespace tolvex
