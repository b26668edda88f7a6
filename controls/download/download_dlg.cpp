#include "controls/download/download_dlg.h"

#include <memory>
#include <utility>
#include <vector>

#include "controls/download/core/progress.h"
#include "platform/base/cfile.h"
#include "platform/base/exceptions.h"
#include "platform/base/file_api.h"
#include "platform/base/text.h"
#include "platform/net/http_connection.h"
#include "platform/net/http_file.h"
#include "platform/net/internet_constants.h"
#include "platform/net/internet_exception.h"
#include "platform/net/internet_session.h"
#include "platform/ui/cursor.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"
#include "platform/ui/styles.h"
#include "platform/ui/system_metrics.h"

namespace pakrel {
namespace {

std::function<void(CDownloadDialogBase&)>& AfterReadHook()
{
  static std::function<void(CDownloadDialogBase&)> hook;
  return hook;
}

const char* NoAnswerText()
{
  static const std::string text = vetra::Cp949("서버에서 응답이 없습니다.");
  return text.c_str();
}

win::DialogTemplate BaseTemplate()
{
  win::DialogTemplate t;
  t.style = win::WS_POPUP | win::DS_SYSMODAL | win::DS_MODALFRAME;
  t.cx = 187;
  t.cy = 55;
  t.fontFace = vetra::Cp949("굴림체");
  t.fontPoints = 10;
  return t;
}

win::DialogTemplate SkinTemplate()
{
  win::DialogTemplate t = BaseTemplate();
  t.items = {
      {"BUTTON", vetra::Cp949("취소"), win::IDCANCEL, win::WS_TABSTOP, 130, 36, 50, 14},
      {"msctls_progress32", "", CDownloadDialogBase::kProgressId, 0, 7, 16, 173, 14},
  };
  return t;
}

win::DialogTemplate PlainTemplate()
{
  win::DialogTemplate t = BaseTemplate();
  t.style |= win::WS_CAPTION | win::WS_VISIBLE;
  t.caption = vetra::Cp949("다운로드");
  t.items = {
      {"BUTTON", vetra::Cp949("취소"), win::IDCANCEL, win::WS_VISIBLE | win::WS_TABSTOP, 69, 37, 50, 14},
      {"msctls_progress32", "", CDownloadDialogBase::kProgressId, win::WS_VISIBLE | win::PBS_SMOOTH, 7, 16, 173, 14},
  };
  return t;
}

}  // namespace

// ---- the download step shared by both dialogs ---------------------------------------------------

void CDownloadDialogBase::SetAfterReadHookForTests(std::function<void(CDownloadDialogBase&)> hook)
{
  AfterReadHook() = std::move(hook);
}

CDownloadDialogBase::CDownloadDialogBase(const win::DialogTemplate& dialogTemplate) : CDialog(dialogTemplate) {}

void CDownloadDialogBase::DoDataExchange(win::CDataExchange* dx)
{
  CDialog::DoDataExchange(dx);
  win::DDX_Control(dx, kProgressId, m_progress);
}

win::BOOL CDownloadDialogBase::OnInitDialog()
{
  CDialog::OnInitDialog();
  m_progress.SetRange32(0, kProgressRange);
  m_position = 0;
  m_total = 0;
  m_fail = false;
  m_noAnswer = false;
  ShowProgress(0);
  SetTimer(kStartTimer, kStartDelayMs);
  return win::TRUE;
}

void CDownloadDialogBase::OnTimer(win::UINT_PTR id)
{
  if (id == kStartTimer) {
    KillTimer(kStartTimer);
    m_busy = true;
    Download();
    m_busy = false;
    return;
  }
  if (id == kNoAnswerTimer) {
    KillTimer(kNoAnswerTimer);
    // A server that stops answering fails the transfer: it ends after the current read, deletes
    // what came and the dialog closes with Cancel.
    m_noAnswer = true;
    m_fail = true;
    win::AfxMessageBox(NoAnswerText());
    if (!m_busy) CDialog::OnCancel();
    return;
  }
  CDialog::OnTimer(id);
}

void CDownloadDialogBase::OnCancel()
{
  // While the transfer runs, Cancel stops it after the current read; the transfer then deletes
  // its file and ends the dialog itself.
  m_fail = true;
  if (!m_busy) CDialog::OnCancel();
}

void CDownloadDialogBase::ShowProgress(int position)
{
  m_position = position;
  if (m_progress.m_hWnd != nullptr) m_progress.SetPos(position);
}

void CDownloadDialogBase::PumpMessages()
{
  win::MSG msg{};
  while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
    if (!win::IsDialogMessage(m_hWnd, &msg)) {
      win::TranslateMessage(&msg);
      win::DispatchMessage(&msg);
    }
  }
}

bool CDownloadDialogBase::Transfer(win::CFile& file)
{
  win::CInternetSession session(nullptr, 1, win::INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  session.SetOption(win::INTERNET_OPTION_RECEIVE_TIMEOUT, m_receiveTimeoutMs);
  std::unique_ptr<win::CHttpConnection> connection = session.GetHttpConnection(m_serverIP, win::INTERNET_DEFAULT_HTTP_PORT);
  std::unique_ptr<win::CHttpFile> request;
  if (connection) {
    request = connection->OpenRequest(win::CHttpConnection::HTTP_VERB_GET, m_serverFileName, nullptr, 1, nullptr, nullptr,
                                      win::INTERNET_FLAG_RELOAD);
  }
  if (!request || m_fail) return false;
  request->SendRequest();
  win::DWORD status = 0;
  // An error page is not the file; the user hears which answer came.
  if (!request->QueryInfoStatusCode(status) || status < 200 || status > 299) {
    win::AfxMessageBox(win::HttpStatusErrorMessage(status).c_str());
    return false;
  }
  std::vector<char> buffer(kReadSize);
  while (!m_fail) {
    SetTimer(kNoAnswerTimer, kNoAnswerMs);
    const win::UINT got = request->Read(buffer.data(), kReadSize);
    if (got > 0) file.Write(buffer.data(), got);
    m_total += got;
    ShowProgress(ProgressPosition(m_total, m_fileSize));
    if (AfterReadHook()) AfterReadHook()(*this);
    PumpMessages();
    KillTimer(kNoAnswerTimer);
    // Read fills the buffer unless the body ended: a short read is the whole body.
    if (got < kReadSize) break;
  }
  request->Close();
  connection->Close();
  session.Close();
  return !m_fail;
}

void CDownloadDialogBase::Download()
{
  win::CFile file;
  bool opened = false;
  bool complete = false;
  if (!m_fail && !m_localPath.empty()) {
    opened = file.Open(m_localPath.c_str(), win::CFile::modeCreate | win::CFile::modeWrite | win::CFile::shareDenyNone) != win::FALSE;
  }
  if (opened) {
    try {
      complete = Transfer(file);
    } catch (const win::CInternetException& error) {
      KillTimer(kNoAnswerTimer);
      // A read the network layer gave up on is the same silence the no-answer timer reports.
      if (error.m_dwError == win::ERROR_INTERNET_TIMEOUT) {
        if (!m_noAnswer) win::AfxMessageBox(NoAnswerText());
      } else {
        win::AfxMessageBox(error.GetErrorMessage());
      }
    } catch (const win::CFileException& error) {
      // The disk refused the file: a failure like any other.
      KillTimer(kNoAnswerTimer);
      win::AfxMessageBox(error.GetErrorMessage());
    }
    try {
      file.Close();
    } catch (const win::CFileException&) {
      complete = false;
    }
  }
  if (!complete) m_fail = true;
  Finish();
}

void CDownloadDialogBase::Finish()
{
  if (m_fail) {
    if (win::_access(m_localPath.c_str(), 0) == 0) win::DeleteFileA(m_localPath.c_str());
    EndDialog(win::IDCANCEL);
  } else {
    EndDialog(win::IDOK);
  }
}

// ---- the plain dialog -------------------------------------------------------------------------

CDownloadDlg::CDownloadDlg() : CDownloadDialogBase(PlainTemplate()) {}

// ---- the skinned dialog -----------------------------------------------------------------------

namespace {

constexpr const char* kSkinFolder = "C:\\Vetra\\Fenmark\\Img\\Dn\\";

}  // namespace

CDownloadSkinDlg::CDownloadSkinDlg() : CDownloadDialogBase(SkinTemplate()) {}

void CDownloadSkinDlg::LoadSkinBitmaps()
{
  struct Picture {
    vetra::CDib& dib;
    const char* file;
    const char* failure;
  };
  const Picture pictures[] = {
      {m_mainBkBmp, "download_img.bmp", "m_MainBkBmp Load Error"},
      {m_progressBmp, "download_img1.bmp", "m_ProgressBmp Load Error"},
      {m_cancelBmp, "download_cancel.bmp", "m_CancelBmp Load Error"},
  };
  for (const Picture& picture : pictures) {
    const std::string path = std::string(kSkinFolder) + picture.file;
    if (picture.dib.Open(path.c_str()) == 0) win::AfxMessageBox(picture.failure);
  }
  m_mainRect = win::CRect(0, 0, m_mainBkBmp.m_width, m_mainBkBmp.m_height);
  m_progressRect = win::CRect(25, 101, 25 + m_progressBmp.m_width, 101 + m_progressBmp.m_height);
  m_cancelRect = win::CRect(158, 130, 158 + m_cancelBmp.m_width, 130 + m_cancelBmp.m_height);
}

int CDownloadSkinDlg::OnCreate(win::LPCREATESTRUCT cs)
{
  if (CDownloadDialogBase::OnCreate(cs) == -1) return -1;
  m_hover = false;
  LoadSkinBitmaps();
  if (m_mainRect.Width() > 0 && m_mainRect.Height() > 0) {
    const int x = (win::GetSystemMetrics(win::SM_CXSCREEN) - m_mainRect.Width()) / 2;
    const int y = (win::GetSystemMetrics(win::SM_CYSCREEN) - m_mainRect.Height()) / 2;
    MoveWindow(x, y, m_mainRect.Width(), m_mainRect.Height(), win::FALSE);
  }
  GetClientRect(&m_windowRect);
  win::CClientDC dc(this);
  m_backBuffer.Create(dc, m_windowRect.Width(), m_windowRect.Height(), "download");
  SendMessage(win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(m_hWnd), win::HTCLIENT);
  return 0;
}

void CDownloadSkinDlg::OnPaint()
{
  win::CPaintDC paint(this);
  m_backBuffer.Present(paint, m_windowRect.Width(), m_windowRect.Height(), [this](win::CDC& dc) {
    const win::TransparentCopyDrawing modes(dc);
    dc.FillSolidRect(&m_windowRect, kBackground);
    m_mainBkBmp.DrawUnscaled(m_windowRect.left, m_windowRect.top, m_windowRect.Width(), m_windowRect.Height(), &dc);
    const int barWidth = ProgressBarWidth(m_progressRect.Width(), Position());
    if (barWidth > 0) {
      m_progressBmp.DrawUnscaled(m_progressRect.left, m_progressRect.top, barWidth, m_progressRect.Height(), &dc);
    }
    m_cancelBmp.DrawUnscaled(m_cancelRect.left, m_cancelRect.top, m_cancelRect.Width(), m_cancelRect.Height(), &dc);
  });
}

void CDownloadSkinDlg::ShowProgress(int position)
{
  const int before = ProgressBarWidth(m_progressRect.Width(), Position());
  CDownloadDialogBase::ShowProgress(position);
  // Only a bar that grows by a pixel needs drawing again; the rest of the window is unchanged.
  if (m_hWnd != nullptr && ProgressBarWidth(m_progressRect.Width(), position) != before) {
    InvalidateRect(&m_progressRect, win::FALSE);
  }
}

void CDownloadSkinDlg::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  if (m_cancelRect.PtInRect(point)) RequestCancel();
  CDownloadDialogBase::OnLButtonUp(flags, point);
}

void CDownloadSkinDlg::OnMouseMove(win::UINT flags, win::CPoint point)
{
  m_hover = m_cancelRect.PtInRect(point);
  SendMessage(win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(m_hWnd), win::HTCLIENT);
  CDownloadDialogBase::OnMouseMove(flags, point);
}

win::BOOL CDownloadSkinDlg::OnSetCursor(win::CWnd*, win::UINT, win::UINT)
{
  win::SetCursor(m_hover ? win::LoadCursor(win::AfxGetResourceHandle(), win::MAKEINTRESOURCE(kHandCursor))
                         : win::LoadCursor(nullptr, win::IDC_ARROW));
  return win::TRUE;
}

void CDownloadSkinDlg::OnDestroy()
{
  CDownloadDialogBase::OnDestroy();
  m_mainBkBmp.Free();
  m_progressBmp.Free();
  m_cancelBmp.Free();
  m_backBuffer.Free();
}

}  // namespace pakrel
