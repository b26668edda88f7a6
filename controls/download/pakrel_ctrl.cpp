#include "controls/download/pakrel_ctrl.h"

#include <optional>

#include "common/savedata/conversion.h"
#include "common/savedata/exchange_files.h"
#include "controls/download/core/download_names.h"
#include "controls/download/core/version_check.h"
#include "controls/download/core/working_copy.h"
#include "controls/download/pakrel_identity.h"
#include "platform/base/clock.h"
#include "platform/base/file_api.h"
#include "platform/base/plain_file_name.h"
#include "platform/base/process.h"
#include "platform/base/random.h"
#include "platform/base/text.h"
#include "platform/ui/cursor.h"
#include "platform/ui/message_box.h"

namespace pakrel {
namespace {

constexpr const char* kReportInstaller = "c:\\VetraFenmark.exe";
constexpr const char* kMarkerProgram = "C:\\Vetra\\Fenmark\\FenmarkClient.exe";
constexpr const char* kProgramWindowTitle = "Fenmark.exe";
constexpr int kWindowsFolderBytes = 400;

bool Exists(const std::string& path) { return !path.empty() && win::_access(path.c_str(), 0) == 0; }

void DeleteIfExists(const std::string& path)
{
  if (Exists(path)) win::DeleteFileA(path.c_str());
}

}  // namespace

struct CPakrelCtrl::VersionCheck {
  const char* versionFile;
  const char* questionUtf8;
  const char* blockingTitle;
  bool eventWhenNotInstalled;  // NextVersionCheck when not newer, on No and on a failed download
  bool eventAfterInstall;      // NextVersionCheck 4 s after a successful download
  double* installedKeptIn;     // where the file's version is kept, if anywhere
};

CPakrelCtrl::CPakrelCtrl()
    : COleControl({kClsid, kProgId, kDispatchIid, kEventIid, kTypeLibrary})
{
  win::DispatchTable& d = Dispatch();
  d.AddNotifyProperty("RunOcx", kDispRunOcx, m_runOcx, [this] { OnRunOcxChanged(); });
  d.AddNotifyProperty("ServerFileName", kDispServerFileName, m_serverFileName, [this] { OnServerFileNameChanged(); });
  d.AddNotifyProperty("ServerIP", kDispServerIP, m_serverIP, [this] { SetModifiedFlag(); });
  d.AddNotifyProperty("FileSize", kDispFileSize, m_fileSize, [this] { SetModifiedFlag(); });
  d.AddNotifyProperty("OutputFileName", kDispOutputFileName, m_outputFileName, [this] { SetModifiedFlag(); });
  d.AddNotifyProperty("DataType", kDispDataType, m_dataType, [this] { SetModifiedFlag(); });
  d.AddNotifyProperty("IsFenmarkMode", kDispIsFenmarkMode, m_isFenmarkMode, [this] { SetModifiedFlag(); });
  d.AddNotifyProperty("NewVersion", kDispNewVersion, m_newVersion, [this] { OnNewVersionChanged(); });
  d.AddNotifyProperty("RunPgm", kDispRunPgm, m_runPgm, [this] { OnRunPgmChanged(); });
  d.AddNotifyProperty("OpenURL", kDispOpenURL, m_openURL, [this] { OnOpenURLChanged(); });
  d.AddNotifyProperty("NewVersion2", kDispNewVersion2, m_newVersion2, [this] { OnNewVersion2Changed(); });
  d.AddNotifyProperty("ViewerVersion", kDispViewerVersion, m_viewerVersion, [this] { OnViewerVersionChanged(); });
  AddEvent("DNOK", kEventDnOk);
  AddEvent("DNFAIL", kEventDnFail);
  AddEvent("NextVersionCheck", kEventNextVersionCheck);
  SetPropertyPage({"", kPropertyPageProgId});
}

CPakrelCtrl::~CPakrelCtrl() = default;

// ---- window ------------------------------------------------------------------------------------

int CPakrelCtrl::OnCreate(win::LPCREATESTRUCT cs)
{
  if (COleControl::OnCreate(cs) == -1) return -1;
  // The report-program installer an earlier check left behind.
  DeleteIfExists(kReportInstaller);
  return 0;
}

void CPakrelCtrl::OnDestroy()
{
  COleControl::OnDestroy();
  DeleteIfExists(m_installerPath);
  DeleteIfExists(m_programPath);
}

void CPakrelCtrl::OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect&)
{
  dc->FillSolidRect(&bounds, kFaceColor);
}

void CPakrelCtrl::OnTimer(win::UINT_PTR id)
{
  KillTimer(id);
  FireEvent(kEventNextVersionCheck);
  COleControl::OnTimer(id);
}

// ---- the recording download ------------------------------------------------------------------

void CPakrelCtrl::OnServerFileNameChanged()
{
  m_downloadSkinDlg.m_serverFileName = m_serverFileName;
  m_downloadDlg.m_serverFileName = m_serverFileName;
  SetModifiedFlag();
}

void CPakrelCtrl::FireResult(bool ok)
{
  FireEvent(ok ? kEventDnOk : kEventDnFail);
}

void CPakrelCtrl::OnRunOcxChanged()
{
  win::srand(static_cast<unsigned int>(win::time(nullptr)));
  if (win::_access("c:\\Vetra", 0) != 0) win::_mkdir("c:\\Vetra");
  if (win::_access(savedata::kExchangeFolder, 0) != 0) win::_mkdir(savedata::kExchangeFolder);

  const std::optional<DownloadKind> kind = DownloadKindOf(m_dataType);
  // An unknown kind has no names to download under; a start while the page's script runs
  // inside a running download (its dialog pumps the page's messages) would reuse that dialog.
  if (!kind || m_downloadSkinDlg.m_hWnd != nullptr) {
    FireResult(false);
    SetModifiedFlag();
    return;
  }
  savedata::Failure failure{0, {}};
  // The working copy's name is taken exclusively, so two downloads never share one.
  const std::optional<std::string> name = savedata::ReserveWorkingCopy(kind->recording, failure);
  if (!name) {
    win::AfxMessageBox(failure.message);
    FireResult(false);
    SetModifiedFlag();
    return;
  }
  std::string windowsFolder(kWindowsFolderBytes, '\0');
  windowsFolder.resize(win::GetWindowsDirectoryA(windowsFolder.data(), kWindowsFolderBytes));
  const std::string downloadPath = TemporaryDownloadPath(*kind, windowsFolder, NumberOfWorkingCopy(*name));
  m_outputFileName = *name;

  m_downloadSkinDlg.m_localPath = downloadPath;
  m_downloadSkinDlg.m_fileSize = m_fileSize;
  m_downloadSkinDlg.m_serverIP = m_serverIP;
  m_downloadDlg.m_fileSize = m_fileSize;
  m_downloadDlg.m_serverIP = m_serverIP;
  m_downloadSkinDlg.m_pParentWnd = this;

  if (m_downloadSkinDlg.DoModal() == win::IDOK) {
    Deliver(m_dataType, downloadPath, *name);
  } else {
    // The dialog deleted what it had written; the reserved name goes too.
    DeleteIfExists(downloadPath);
    win::DeleteFileA(savedata::DataFilePath(*name).c_str());
    FireResult(false);
  }
  SetModifiedFlag();
}

void CPakrelCtrl::Deliver(int dataType, const std::string& downloadPath, const std::string& workingCopyName)
{
  std::optional<savedata::Failure> failed;
  {
    win::CWaitCursor wait;
    failed = MakeWorkingCopy(*DownloadKindOf(dataType), downloadPath, workingCopyName);
  }
  if (failed) {
    // A damaged archive or a full disk: said once, and the page hears of a failure.
    win::AfxMessageBox(failed->message);
    FireResult(false);
    return;
  }
  FireResult(true);
}

// ---- programs and version checks ---------------------------------------------------------------

std::string CPakrelCtrl::FetchProgram(CDownloadDialogBase& dialog, std::string& remembered)
{
  // The name comes from the page: only a plain file name, fetched into the root of drive C.
  if (!vetra::IsPlainFileName(m_serverFileName) || m_serverFileName.find('"') != std::string::npos) return {};
  if (dialog.m_hWnd != nullptr) return {};  // already running a download
  const std::string path = "c:\\" + m_serverFileName;
  remembered = path;
  dialog.m_localPath = path;
  dialog.m_fileSize = m_fileSize;
  dialog.m_serverIP = m_serverIP;
  dialog.m_pParentWnd = this;
  if (dialog.DoModal() != win::IDOK) return {};
  return path;
}

bool CPakrelCtrl::StartProgram(const std::string& path, const char* blockingTitle)
{
  if (win::FindWindowA(nullptr, blockingTitle) != nullptr) return true;
  // The file was fetched to be run: its owner may run it.
  vetra::MakeExecutableForOwner(path);
  // The whole path is the program; quoted when it holds a blank, so it stays one.
  const std::string commandLine = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
  if (win::CreateProcessA(commandLine)) return true;
  win::AfxMessageBox(path + vetra::Cp949("\n프로그램을 실행할 수 없습니다."), win::MB_OK | win::MB_ICONSTOP);
  return false;
}

void CPakrelCtrl::RunVersionCheck(const VersionCheck& check, double offered)
{
  const float installed = ReadVersionFile(check.versionFile);
  if (check.installedKeptIn != nullptr) *check.installedKeptIn = installed;
  if (!IsNewerVersion(offered, installed)) {
    if (check.eventWhenNotInstalled) FireEvent(kEventNextVersionCheck);
    SetModifiedFlag();
    return;
  }
  const int answer = MessageBox(vetra::Cp949(check.questionUtf8).c_str(), vetra::Cp949("확인").c_str(),
                                win::MB_YESNO | win::MB_ICONQUESTION);
  if (answer != win::IDYES) {
    if (check.eventWhenNotInstalled) FireEvent(kEventNextVersionCheck);
    return;
  }
  const std::string installer = FetchProgram(m_downloadDlg, m_installerPath);
  if (installer.empty()) {
    if (check.eventWhenNotInstalled) FireEvent(kEventNextVersionCheck);
    SetModifiedFlag();
    return;
  }
  // An installer that cannot run has been said in a message box; the page's chain of checks goes
  // on as after a start.
  StartProgram(installer, check.blockingTitle);
  if (check.eventAfterInstall) SetTimer(kNextCheckTimer, kNextCheckDelayMs);
  SetModifiedFlag();
}

void CPakrelCtrl::OnNewVersionChanged()
{
  const VersionCheck check{"c:\\Vetra\\Fenmark\\FenmarkVersion.Dat", "Viewer용 프로그램을 설치합니다.",
                           "VetraFenmark.exe", true, true, &m_fenmarkVersion};
  RunVersionCheck(check, m_newVersion);
}

void CPakrelCtrl::OnNewVersion2Changed()
{
  const VersionCheck check{"c:\\Vetra\\Fenmark\\FenmarkVersion2.Dat", "편집용 프로그램을 설치합니다.",
                           "Fenmark.exe", false, false, &m_fenmarkVersion2};
  RunVersionCheck(check, m_newVersion2);
}

void CPakrelCtrl::OnViewerVersionChanged()
{
  const VersionCheck check{"c:\\Vetra\\Fenmark\\ViewerVersion.Dat", "Vetra 저장데이터 Viewer용 프로그램을 설치합니다.",
                           "Lumbrel.exe", false, true, nullptr};
  RunVersionCheck(check, m_viewerVersion);
}

void CPakrelCtrl::OnRunPgmChanged()
{
  if (Exists(kMarkerProgram)) return;
  const std::string program = FetchProgram(m_downloadSkinDlg, m_programPath);
  if (!program.empty()) StartProgram(program, kProgramWindowTitle);
  SetModifiedFlag();
}

void CPakrelCtrl::OnOpenURLChanged()
{
  savedata::RunViewer(m_openURL);
  SetModifiedFlag();
}

}  // namespace pakrel
