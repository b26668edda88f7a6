#pragma once
// The application object: one per program, constructed as a global; AfxWinMain sets up the
// display, runs InitInstance and then the message loop until the main window ends.
//
//   class CMyApp : public win::CWinApp {
//     BOOL InitInstance() override { ...; m_pMainWnd = &frame; return TRUE; }
//   };
//   CMyApp theApp;
//   int main(int argc, char** argv) { return win::AfxWinMain(argc, argv); }

#include <string>

#include "platform/base/win_types.h"
#include "platform/ui/cwnd.h"

namespace win {

class CWinApp {
public:
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return m_exitCode; }
  // Runs the message loop until WM_QUIT; returns ExitInstance().
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual BOOL OnIdle(long count) { (void)count; return FALSE; }

  // Resources of the program: cursors and icons by number, standard cursors by name.
  HCURSOR LoadCursor(UINT id) const { return ::win::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(static_cast<int>(id))); }
  HCURSOR LoadStandardCursor(const char* name) const { return ::win::LoadCursor(nullptr, name); }
  HICON LoadIcon(UINT id) const { return ::win::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(static_cast<int>(id))); }

  void Enable3dControls() {}
  void EnableControlContainer() {}
  void SetRegistryKey(const char* key) { m_registryKey = key ? key : ""; }
  void LoadStdProfileSettings(UINT = 4) {}
  void DoWaitCursor(int) {}

  CWnd* m_pMainWnd = nullptr;
  std::string m_strAppName;    // code page 949
  std::string m_strCmdLine;    // the command line after the program name
  const char* m_lpCmdLine = "";
  std::string m_registryKey;

protected:
  int m_exitCode = 0;
};

CWinApp* AfxGetApp();
std::string AfxGetAppName();
CWnd* AfxGetMainWnd();

// Starts the program: display, command line, session script, InitInstance and Run. Returns the
// process exit status.
int AfxWinMain(int argc, char** argv);

namespace detail {
// The main window's slot: the application's m_pMainWnd, or a process-wide slot without one.
CWnd*& MainWindowSlot();
void SetProgramName(const std::string& name);
const std::string& ProgramName();
}  // namespace detail

}  // namespace win
