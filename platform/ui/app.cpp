#include "platform/ui/app.h"

#include <filesystem>

#include "platform/base/end_request.h"
#include "platform/base/process.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/script.h"
#include "platform/ui/window_system.h"

namespace win {

namespace {
CWinApp* g_app = nullptr;
CWnd* g_mainWithoutApp = nullptr;
std::string g_programName;
}  // namespace

CWinApp::CWinApp(const char* appName)
{
  if (appName) m_strAppName = appName;
  g_app = this;
}

CWinApp::~CWinApp()
{
  if (g_app == this) g_app = nullptr;
}

int CWinApp::Run()
{
  for (long idle = 0;;) {
    MSG msg;
    while (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idle++)) break;
    }
    idle = 0;
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      m_exitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (!PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) { return AfxPreTranslateMessage(msg); }

CWinApp* AfxGetApp() { return g_app; }

std::string AfxGetAppName()
{
  if (g_app && !g_app->m_strAppName.empty()) return g_app->m_strAppName;
  return g_programName;
}

CWnd* AfxGetMainWnd() { return detail::MainWindowSlot(); }

namespace detail {

CWnd*& MainWindowSlot() { return g_app ? g_app->m_pMainWnd : g_mainWithoutApp; }
void SetProgramName(const std::string& name) { g_programName = name; }
const std::string& ProgramName() { return g_programName; }

}  // namespace detail

int AfxWinMain(int argc, char** argv)
{
  std::string name = argc > 0 ? std::filesystem::path(argv[0]).stem().string() : std::string("program");
  detail::SetProgramName(name);
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  if (app->m_strAppName.empty()) app->m_strAppName = name;
  app->m_strCmdLine = vetra::CommandLineText(argc, argv);
  app->m_lpCmdLine = app->m_strCmdLine.c_str();
  // Before the display starts, so that SIGTERM and Ctrl+C end the program through its windows
  // on screen as well (the display library leaves handlers that are already there alone).
  vetra::CatchEndRequests();
  detail::WindowSystem& system = detail::WindowSystem::Get();
  if (!system.HasDisplay()) {
    // Headless or on screen, chosen now; a named display that is not there ends the program
    // (said on stderr) before it holds anything.
    std::unique_ptr<vetra::ui::Display> display = vetra::ui::CreateDefaultDisplay();
    if (!display) return 1;
    system.SetDisplay(std::move(display));
  }
  vetra::ui::StartSessionScriptFromEnvironment(name);
  // Ended on request, or without its display, the program says so in its status.
  auto endStatus = [&system](int status) {
    if (vetra::EndRequestSignal()) return vetra::EndRequestExitStatus(vetra::EndRequestSignal());
    if (system.DisplayLost()) return detail::WindowSystem::kDisplayLostExitStatus;
    return status;
  };
  if (!app->InitInstance()) {
    // A dialog program ends when its dialog ends.
    system.Reset();
    return endStatus(app->ExitInstance());
  }
  const int status = app->Run();
  system.Reset();
  return endStatus(status);
}

}  // namespace win
