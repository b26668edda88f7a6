#include "controls/roadtest/windows/wave_move_dlg.h"

#include <algorithm>

#include "controls/roadtest/morvit_identity.h"
#include "platform/base/text.h"
#include "platform/ui/paint.h"

namespace morvit {
namespace {

win::DialogTemplate WaveMoveTemplate()
{
  win::DialogTemplate t;
  t.caption = vetra::Cp949("파형이동");
  t.style = win::WS_POPUP | win::WS_CAPTION | win::DS_MODALFRAME;
  t.cx = 179;
  t.cy = 129;
  t.fontFace = "System";
  t.fontPoints = 10;
  t.items = {
      {"LISTBOX", "", CWaveMoveDlg::kListId,
       win::WS_VISIBLE | win::WS_BORDER | win::WS_VSCROLL | win::LBS_NOTIFY | win::LBS_NOINTEGRALHEIGHT, 7, 41, 152, 64},
      {"SCROLLBAR", "", CWaveMoveDlg::kScrollBarId, win::WS_VISIBLE | win::SBS_VERT, 159, 41, 8, 64},
      {"BUTTON", "OK", win::IDOK, win::WS_DISABLED, 129, 115, 50, 14},
      {"BUTTON", vetra::Cp949("종 료"), win::IDCANCEL, win::WS_DISABLED, 70, 115, 50, 14},
  };
  return t;
}

}  // namespace

CWaveMoveDlg::CWaveMoveDlg(win::CWnd* owner, ItemOffsets& offsets, std::vector<WaveItem> items)
    : CSkinnedDialog(WaveMoveTemplate(), owner, {{151, 222, 200, 241}, "BtnLocation_End_N.bmp", "BtnLocation_End_D.bmp", win::IDCANCEL}),
      m_offsets(offsets),
      m_items(std::move(items))
{
}

win::BOOL CWaveMoveDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  PlaceAgainstOwner(331, 448, 354, 260);
  m_bar.SubclassDlgItem(kScrollBarId, this);
  m_bar.SetScrollRange(kMinOffset, kMaxOffset, win::TRUE);
  m_list.SubclassDlgItem(kListId, this);
  m_list.ResetContent();
  for (const WaveItem& item : m_items) m_list.AddString(item.name.c_str());
  m_list.SetCurSel(0);
  SelectEntry(0);
  return win::TRUE;
}

void CWaveMoveDlg::SelectEntry(int k)
{
  if (k < 0 || k >= static_cast<int>(m_items.size())) return;
  m_current = k;
  if (m_bar.m_hWnd != nullptr) m_bar.SetScrollPos(m_offsets[static_cast<std::size_t>(m_items[static_cast<std::size_t>(k)].item)], win::TRUE);
}

int CWaveMoveDlg::OffsetAfter(win::UINT code, int p, int thumb)
{
  switch (code) {
    case win::SB_LINEUP:
    case win::SB_PAGEUP:
      return p <= kMinOffset ? kMinOffset : p - 1;
    case win::SB_LINEDOWN:
    case win::SB_PAGEDOWN:
      return p >= kMaxOffset ? kMaxOffset : p + 1;
    case win::SB_THUMBPOSITION:
    case win::SB_THUMBTRACK:
      return std::clamp(thumb, kMinOffset, kMaxOffset);
    default:
      return p;
  }
}

void CWaveMoveDlg::OnVScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar)
{
  if (bar == &m_bar && !m_items.empty()) {
    const int p = m_bar.GetScrollPos();
    const int value = OffsetAfter(code, p, static_cast<int>(static_cast<win::SHORT>(pos)));
    if (value != p) m_bar.SetScrollPos(value, win::TRUE);
    m_offsets[static_cast<std::size_t>(m_items[static_cast<std::size_t>(m_current)].item)] = value;
    if (m_pParentWnd != nullptr) m_pParentWnd->SendMessage(kMsgRedrawGraphs, 0, 0);
  }
  CDialog::OnVScroll(code, pos, bar);
}

win::BOOL CWaveMoveDlg::OnCommand(win::WPARAM wParam, win::LPARAM lParam)
{
  if (win::LOWORD(static_cast<win::DWORD>(wParam)) == kListId && win::HIWORD(static_cast<win::DWORD>(wParam)) == win::LBN_SELCHANGE) {
    SelectEntry(m_list.GetCurSel());
    return win::TRUE;
  }
  return CSkinnedDialog::OnCommand(wParam, lParam);
}

void CWaveMoveDlg::OnPaint()
{
  win::CPaintDC dc(this);
  dc.FillSolidRect(0, 0, 400, 300, kFace);
  DrawPicture(dc, "location_img.bmp", 0, 0);
  DrawEndButton(dc);
}

}  // namespace morvit
