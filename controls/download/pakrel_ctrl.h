#pragma once
// The download-and-extract control. A page sets the server, the file's path on it, its size and
// its recording kind, then RunOcx: the control downloads the file under its skinned dialog,
// turns it into a working copy in the exchange folder, names it in OutputFileName and fires DNOK,
// or fires DNFAIL. Further properties compare installed versions with the server's and fetch
// installers, fetch and start a program, and open a page in the page viewer.
#include <string>

#include "controls/download/download_dlg.h"
#include "platform/ole/ole_control.h"

namespace pakrel {

class CPakrelCtrl : public win::COleControl {
public:
  static constexpr win::COLORREF kFaceColor = win::RGB(79, 114, 172);
  // The control's window timer that fires NextVersionCheck after an installer started.
  static constexpr win::UINT_PTR kNextCheckTimer = 1;
  static constexpr win::UINT kNextCheckDelayMs = 4000;

  CPakrelCtrl();
  ~CPakrelCtrl() override;

  // The change handlers (each runs on every assignment from the page).
  void OnRunOcxChanged();
  void OnServerFileNameChanged();
  void OnNewVersionChanged();
  void OnNewVersion2Changed();
  void OnViewerVersionChanged();
  void OnRunPgmChanged();
  void OnOpenURLChanged();

  CDownloadSkinDlg& SkinDialog() { return m_downloadSkinDlg; }
  CDownloadDlg& PlainDialog() { return m_downloadDlg; }
  const std::string& InstallerPath() const { return m_installerPath; }
  const std::string& ProgramPath() const { return m_programPath; }
  double ReportProgramVersion() const { return m_fenmarkVersion; }
  double EditorProgramVersion() const { return m_fenmarkVersion2; }

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnDestroy() override;
  void OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect& invalid) override;
  void OnTimer(win::UINT_PTR id) override;

private:
  // One version check: the installed version, the question, the installer and what follows.
  struct VersionCheck;
  void RunVersionCheck(const VersionCheck& check, double offered);
  // Fetches ServerFileName into the root of drive C with `dialog`; the path on success, empty
  // when the name is no plain file name or the download failed.
  std::string FetchProgram(CDownloadDialogBase& dialog, std::string& remembered);
  // Starts a fetched program unless a window with `blockingTitle` is open. False when it was
  // to be started and could not be (the user has been told).
  bool StartProgram(const std::string& path, const char* blockingTitle);
  // Makes the working copy of a finished download; fires the event of the outcome.
  void Deliver(int dataType, const std::string& downloadPath, const std::string& workingCopyName);
  void FireResult(bool ok);

  CDownloadSkinDlg m_downloadSkinDlg;
  CDownloadDlg m_downloadDlg;
  double m_fenmarkVersion = 0.0;
  double m_fenmarkVersion2 = 0.0;
  std::string m_installerPath;
  std::string m_programPath;

  // Properties.
  win::SHORT m_runOcx = 0;
  std::string m_serverFileName;
  std::string m_serverIP;
  win::LONG m_fileSize = 0;
  std::string m_outputFileName;
  win::SHORT m_dataType = 0;
  win::SHORT m_isFenmarkMode = 0;
  double m_newVersion = 0.0;
  win::SHORT m_runPgm = 0;
  std::string m_openURL;
  float m_newVersion2 = 0.0f;
  float m_viewerVersion = 0.0f;
};

}  // namespace pakrel
