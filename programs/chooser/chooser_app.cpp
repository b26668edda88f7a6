#include "programs/chooser/chooser_app.h"

#include <string>

#include "common/savedata/conversion.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_system.h"
#include "programs/chooser/lumbrel_app.h"
#include "programs/chooser/lumbrel_dlg.h"
#include "programs/chooser/message_reporter.h"

namespace lumbrel {
namespace {

bool OnScreen()
{
  auto& system = win::detail::WindowSystem::Get();
  return system.HasDisplay() && !system.Display().IsHeadless();
}

// A conversion from the command line: on screen the user reads its messages in message boxes;
// headless (scripts, tests, a terminal) they go to stderr as plain lines.
int ConvertFromCommandLine(const std::string& path)
{
  if (!OnScreen()) return ConvertAndReport(path);
  MessageReporter previous = SetMessageReporter([](const std::string& text) {
    win::MessageBox(nullptr, text.c_str(), nullptr, win::MB_OK);
  });
  const int status = ConvertAndReport(path);
  SetMessageReporter(std::move(previous));
  return status;
}

}  // namespace

win::BOOL CLumbrelApp::InitInstance()
{
  EnableControlContainer();
  Enable3dControls();
  const std::string path = SavedDataPathOf(m_strCmdLine);
  StartUp(path);
  if (!path.empty()) {
    m_exitCode = ConvertFromCommandLine(path);
    return win::FALSE;
  }
  CLumbrelDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  m_exitCode = savedata::kExitOk;
  return win::FALSE;
}

}  // namespace lumbrel
