#pragma once
// The download dialogs: each fetches one file with an HTTP GET into a local file while it shows
// progress, and ends with OK when the whole body came with a success status, Cancel otherwise.
// A failed, cancelled or unanswered transfer leaves no local file behind.
//
// CDownloadDlg is the plain captioned dialog with a progress bar and a Cancel button (the
// version checks use it); CDownloadSkinDlg is the borderless skinned one (recordings and
// programs). The control fills the request fields before each DoModal.

#include <cstdint>
#include <functional>
#include <string>

#include "common/dib/dib.h"
#include "platform/base/cfile.h"
#include "platform/base/win_types.h"
#include "platform/gdi/cdc.h"
#include "platform/gdi/gdi_wrappers.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/dialog.h"
#include "platform/ui/progress.h"

namespace pakrel {

class CDownloadDialogBase : public win::CDialog {
public:
  static constexpr win::UINT kReadSize = 1024;
  static constexpr win::UINT kStartDelayMs = 500;
  static constexpr win::UINT kNoAnswerMs = 10'000;
  static constexpr int kProgressId = 201;
  static constexpr win::UINT_PTR kStartTimer = 1;
  static constexpr win::UINT_PTR kNoAnswerTimer = 2;

  // Request fields.
  long m_fileSize = 0;             // expected size in bytes
  std::string m_serverFileName;    // object path on the server
  std::string m_localPath;         // Windows path of the file to write
  std::string m_serverIP;          // host

  // Tests: runs after every read of the transfer (a test lets virtual time pass there, as a
  // slow read would, or cancels). An empty function removes it.
  static void SetAfterReadHookForTests(std::function<void(CDownloadDialogBase&)> hook);

  // How long a read may wait in real time before the network layer gives it up (the window
  // timer covers the same wait on the dialog's clock).
  void SetReceiveTimeout(win::UINT ms) { m_receiveTimeoutMs = ms; }

  bool Failed() const { return m_fail; }
  bool Busy() const { return m_busy; }
  int Position() const { return m_position; }
  std::int64_t BytesWritten() const { return m_total; }
  // The user asked to stop: the transfer ends after its current read.
  void RequestCancel() { m_fail = true; }

protected:
  explicit CDownloadDialogBase(const win::DialogTemplate& dialogTemplate);

  win::BOOL OnInitDialog() override;
  void OnTimer(win::UINT_PTR id) override;
  void OnCancel() override;
  // Return has no button to press in these dialogs: the transfer ends the dialog itself.
  void OnOK() override {}
  void DoDataExchange(win::CDataExchange* dx) override;

  // Shows a new progress position (the bar control; the skinned dialog also redraws itself).
  virtual void ShowProgress(int position);

  win::CProgressCtrl m_progress;

private:
  // The whole transfer; ends the dialog with OK or Cancel.
  void Download();
  // Transfers the body into the open local file; false on any failure.
  bool Transfer(win::CFile& file);
  void PumpMessages();
  void Finish();

  bool m_fail = false;
  bool m_busy = false;
  bool m_noAnswer = false;
  int m_position = 0;
  std::int64_t m_total = 0;
  win::UINT m_receiveTimeoutMs = kNoAnswerMs;
};

// The plain dialog (template 202).
class CDownloadDlg : public CDownloadDialogBase {
public:
  CDownloadDlg();
};

// The skinned dialog (template 201): drawn from three pictures, the bar growing from the left and
// a cancel area that stops the transfer.
class CDownloadSkinDlg : public CDownloadDialogBase {
public:
  static constexpr win::COLORREF kBackground = win::RGB(212, 236, 254);
  static constexpr int kHandCursor = 133;

  CDownloadSkinDlg();

  const win::CRect& CancelRect() const { return m_cancelRect; }
  const win::CRect& ProgressRect() const { return m_progressRect; }
  bool Hovering() const { return m_hover; }

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnPaint() override;
  void OnDestroy() override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  win::BOOL OnSetCursor(win::CWnd* wnd, win::UINT hitTest, win::UINT message) override;
  void ShowProgress(int position) override;

private:
  void LoadSkinBitmaps();

  vetra::CDib m_mainBkBmp;
  vetra::CDib m_progressBmp;
  vetra::CDib m_cancelBmp;
  win::CRect m_mainRect;
  win::CRect m_progressRect;
  win::CRect m_cancelRect;
  win::CRect m_windowRect;
  win::CBackBuffer m_backBuffer;
  bool m_hover = false;
};

}  // namespace pakrel
