#include "controls/roadtest/windows/download_dlg.h"

#include <memory>

#include "platform/base/cfile.h"
#include "platform/base/exceptions.h"
#include "platform/base/file_api.h"
#include "platform/base/text.h"
#include "platform/net/http_connection.h"
#include "platform/net/http_file.h"
#include "platform/net/internet_constants.h"
#include "platform/net/internet_exception.h"
#include "platform/net/internet_session.h"
#include "platform/ui/message_box.h"

namespace morvit {
namespace {

constexpr win::UINT_PTR kStartTimer = 1;
constexpr win::UINT_PTR kNoAnswerTimer = 2;
constexpr int kProgressId = 240;
win::DialogTemplate DownloadTemplate()
{
  win::DialogTemplate t;
  t.caption = vetra::Cp949("다운로드");
  t.style = win::WS_POPUP | win::WS_CAPTION | win::DS_MODALFRAME;
  t.cx = 394;
  t.cy = 78;
  t.fontFace = "System";
  t.fontPoints = 10;
  t.items = {
      {"STATIC", vetra::Cp949("다운로드창"), -1, win::WS_VISIBLE, 21, 19, 120, 10},
      {"msctls_progress32", "", kProgressId, win::WS_VISIBLE | win::WS_BORDER, 27, 36, 341, 11},
      {"BUTTON", "OK", win::IDOK, win::WS_VISIBLE | win::WS_TABSTOP | win::BS_DEFPUSHBUTTON, 271, 57, 50, 14},
      {"BUTTON", "Cancel", win::IDCANCEL, win::WS_VISIBLE | win::WS_TABSTOP, 48, 57, 50, 14},
  };
  return t;
}

}  // namespace

CRecordingDownloadDlg::CRecordingDownloadDlg(win::CWnd* parent) : CDialog(DownloadTemplate(), parent) {}

int CRecordingDownloadDlg::ProgressOf(std::int64_t total)
{
  if (total >= kExpectedSize) return 100;
  return static_cast<int>(static_cast<double>(total) / static_cast<double>(kExpectedSize) * 100.0);
}

win::BOOL CRecordingDownloadDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  SetTimer(kStartTimer, 100);
  return win::TRUE;
}

void CRecordingDownloadDlg::OnTimer(win::UINT_PTR id)
{
  if (id == kStartTimer) {
    KillTimer(kStartTimer);
    const bool complete = Download();
    EndDialog(complete ? win::IDOK : win::IDCANCEL);
  } else if (id == kNoAnswerTimer) {
    KillTimer(kNoAnswerTimer);
    m_failed = true;
  } else {
    CDialog::OnTimer(id);
  }
}

void CRecordingDownloadDlg::OnCancel()
{
  // During the transfer Cancel stops it after the current read; the dialog then ends itself.
  if (m_running) {
    m_cancelled = true;
    m_failed = true;
    return;
  }
  CDialog::OnCancel();
}

void CRecordingDownloadDlg::DoDataExchange(win::CDataExchange* dx)
{
  CDialog::DoDataExchange(dx);
  win::DDX_Control(dx, kProgressId, m_progressCtrl);
}

void CRecordingDownloadDlg::SetProgress(int position)
{
  if (m_progressCtrl.m_hWnd != nullptr && m_progressCtrl.GetPos() != position) m_progressCtrl.SetPos(position);
}

void CRecordingDownloadDlg::PumpMessages()
{
  win::MSG msg{};
  while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
    if (!win::IsDialogMessage(m_hWnd, &msg)) {
      win::TranslateMessage(&msg);
      win::DispatchMessage(&msg);
    }
  }
}

bool CRecordingDownloadDlg::Download()
{
  if (m_progressCtrl.m_hWnd != nullptr) m_progressCtrl.SetRange(0, 100);
  SetProgress(0);
  m_total = 0;
  m_failed = false;
  m_running = true;
  win::CFile file;
  bool fileOpen = false;
  try {
    win::CInternetSession session(nullptr, 1, win::INTERNET_OPEN_TYPE_PRECONFIG);
    // A read that waits longer than the no-answer time gives the download up.
    session.SetOption(win::INTERNET_OPTION_RECEIVE_TIMEOUT, m_noAnswerMs);
    // An address without a host connects nowhere: no request is made and the download fails.
    std::unique_ptr<win::CHttpConnection> connection;
    if (!m_serverHost.empty()) connection = session.GetHttpConnection(m_serverHost, win::INTERNET_DEFAULT_HTTP_PORT);
    std::unique_ptr<win::CHttpFile> request;
    if (connection) request = connection->OpenRequest(win::CHttpConnection::HTTP_VERB_GET, m_serverPath, nullptr, 1, nullptr, nullptr,
                                                      win::INTERNET_FLAG_RELOAD);
    if (!request) m_failed = true;
    if (!m_failed) {
      fileOpen = file.Open(m_localPath.c_str(), win::CFile::modeCreate | win::CFile::modeWrite | win::CFile::shareDenyNone) != win::FALSE;
      if (!fileOpen) m_failed = true;
    }
    if (!m_failed) {
      request->SendRequest();
      win::DWORD status = 0;
      // An error page is not a recording; the user hears which answer came.
      if (!request->QueryInfoStatusCode(status) || status < 200 || status > 299) {
        win::AfxMessageBox(win::HttpStatusErrorMessage(status).c_str(), win::MB_OK);
        m_failed = true;
      }
      std::vector<char> buffer(kReadSize);
      while (!m_failed) {
        SetTimer(kNoAnswerTimer, kNoAnswerMs);
        const win::UINT got = request->Read(buffer.data(), kReadSize);
        if (got > 0) file.Write(buffer.data(), got);
        m_total += got;
        SetProgress(ProgressOf(m_total));
        PumpMessages();
        if (got < kReadSize) break;
        KillTimer(kNoAnswerTimer);
      }
      KillTimer(kNoAnswerTimer);
    }
    if (request) request->Close();
    if (connection) connection->Close();
    session.Close();
  } catch (const win::CInternetException& e) {
    KillTimer(kNoAnswerTimer);
    // A server that stops answering is given up like the no-answer timer does: the control's
    // own failure message is all the user sees. Other network failures say what went wrong.
    if (e.m_dwError != win::ERROR_INTERNET_TIMEOUT) win::AfxMessageBox(e.GetErrorMessage(), win::MB_OK);
    m_failed = true;
  } catch (const win::CFileException& e) {
    // The disk refused the recording (a full disk): a failure, said as the network's are.
    KillTimer(kNoAnswerTimer);
    win::AfxMessageBox(e.GetErrorMessage(), win::MB_OK);
    m_failed = true;
  }
  if (fileOpen) {
    try {
      file.Close();
    } catch (const win::CFileException&) {
      m_failed = true;
    }
  }
  m_running = false;
  if (m_failed && fileOpen) win::DeleteFileA(m_localPath.c_str());
  return !m_failed;
}

}  // namespace morvit
