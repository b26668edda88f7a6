#include "controls/roadtest/windows/load_progress_dlg.h"

#include <algorithm>

#include "controls/roadtest/skin_buttons.h"
#include "platform/ui/paint.h"

namespace morvit {
namespace {

constexpr win::UINT_PTR kStartTimer = 1;
constexpr win::RECT kBarArea = {24, 100, 327, 115};

win::DialogTemplate LoadTemplate()
{
  win::DialogTemplate t;
  t.style = win::WS_POPUP | win::WS_BORDER;
  t.cx = 180;
  t.cy = 88;
  t.fontFace = "System";
  t.fontPoints = 10;
  t.items = {{"msctls_progress32", "", 202, 0, 12, 50, 150, 7}};
  return t;
}

}  // namespace

CLoadProgressDlg::CLoadProgressDlg(win::CWnd* owner, Job job) : CDialog(LoadTemplate(), owner), m_job(std::move(job)) {}

win::BOOL CLoadProgressDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  if (m_pParentWnd != nullptr && m_pParentWnd->m_hWnd != nullptr) {
    win::CRect place;
    m_pParentWnd->GetWindowRect(&place);
    MoveWindow(place.left + 331, place.top + 279, 360, 176, win::TRUE);
  }
  m_percent = 0;
  SetTimer(kStartTimer, 100);
  return win::TRUE;
}

void CLoadProgressDlg::OnTimer(win::UINT_PTR)
{
  KillTimer(kStartTimer);
  if (m_started) return;
  m_started = true;
  if (m_job) {
    m_job([this](int percent) {
      const int clamped = std::clamp(percent, 0, 100);
      if (clamped == m_percent) return;
      m_percent = clamped;
      m_highest = std::max(m_highest, clamped);
      // Painted at once: the load runs without a message loop.
      InvalidateRect(&kBarArea, win::FALSE);
      UpdateWindow();
    });
  }
  // The dialog ends with OK whatever the load did; the load reports its own failures.
  EndDialog(win::IDOK);
}

void CLoadProgressDlg::DrawPicture(win::CDC& dc, const std::string& file, int x, int y, int width)
{
  auto found = m_pictures.find(file);
  if (found == m_pictures.end()) {
    auto dib = std::make_unique<vetra::CDib>();
    if (!dib->Open(SkinPath(file).c_str())) dib.reset();
    found = m_pictures.emplace(file, std::move(dib)).first;
  }
  if (vetra::CDib* dib = found->second.get(); dib != nullptr && width > 0) dib->DrawUnscaled(x, y, width, dib->m_height, &dc);
}

void CLoadProgressDlg::OnPaint()
{
  win::CPaintDC dc(this);
  DrawPicture(dc, "decoding_img.bmp", 0, 0, 354);
  DrawPicture(dc, "decode_line.bmp", 25, 101, m_percent < 1 ? 0 : 303 * m_percent / 100);
  DrawPicture(dc, "BtnDecode_Cancel_N.bmp", 160, 135, 49);
}

}  // namespace morvit
