#pragma once
// The load of a working copy under a small skinned progress window: it starts 100 ms after it
// shows, runs the load, paints the progress the load reports and ends itself. Escape and Return
// do nothing.
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "common/dib/dib.h"
#include "platform/ui/dialog.h"

namespace morvit {

class CLoadProgressDlg : public win::CDialog {
public:
  // The load; it reports its progress in percent through the function it is given.
  using Job = std::function<void(const std::function<void(int)>& progress)>;

  CLoadProgressDlg(win::CWnd* owner, Job job);
  int Percent() const { return m_percent; }
  int HighestPercent() const { return m_highest; }

protected:
  win::BOOL OnInitDialog() override;
  void OnTimer(win::UINT_PTR id) override;
  void OnPaint() override;
  void OnCancel() override {}
  // Return has no button to press here: the window ends itself once the load has run.
  void OnOK() override {}

private:
  void DrawPicture(win::CDC& dc, const std::string& file, int x, int y, int width);

  Job m_job;
  int m_percent = 0;
  int m_highest = 0;
  bool m_started = false;
  std::map<std::string, std::unique_ptr<vetra::CDib>> m_pictures;
};

}  // namespace morvit
