#pragma once
// The road-test viewer's own download dialog: it fetches a recording from the report web server
// into the exchange folder, reading the answer in 2048-byte pieces under a progress bar, and
// ends with OK when the whole file came with a success status, Cancel otherwise (no file left).
#include <cstdint>
#include <string>

#include "platform/ui/dialog.h"
#include "platform/ui/progress.h"

namespace morvit {

class CRecordingDownloadDlg : public win::CDialog {
public:
  static constexpr std::int64_t kExpectedSize = 2'000'000;
  static constexpr win::UINT kReadSize = 2048;
  static constexpr win::UINT kNoAnswerMs = 10'000;

  explicit CRecordingDownloadDlg(win::CWnd* parent);

  std::string m_serverHost;
  std::string m_serverPath;
  std::string m_localPath;  // system path of the file to write
  // How long one read may wait for the server before the download is given up.
  win::UINT m_noAnswerMs = kNoAnswerMs;

  int Progress() const { return m_progressCtrl.GetPos(); }
  std::int64_t BytesWritten() const { return m_total; }

  // The progress position after `total` bytes: percent of the expected size, full from there on.
  static int ProgressOf(std::int64_t total);

protected:
  win::BOOL OnInitDialog() override;
  void OnTimer(win::UINT_PTR id) override;
  void DoDataExchange(win::CDataExchange* dx) override;
  void OnCancel() override;

private:
  // The whole transfer; true when the file is complete.
  bool Download();
  void PumpMessages();
  void SetProgress(int position);

  win::CProgressCtrl m_progressCtrl;
  std::int64_t m_total = 0;
  bool m_failed = false;
  bool m_running = false;
  bool m_cancelled = false;
};

}  // namespace morvit
