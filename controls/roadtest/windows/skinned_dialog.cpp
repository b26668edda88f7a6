#include "controls/roadtest/windows/skinned_dialog.h"

#include "controls/roadtest/skin_buttons.h"
#include "platform/ui/system_metrics.h"

namespace morvit {

CSkinnedDialog::CSkinnedDialog(const win::DialogTemplate& dialogTemplate, win::CWnd* parent, EndButton endButton)
    : CDialog(dialogTemplate, parent), m_end(std::move(endButton))
{
}

void CSkinnedDialog::DrawPicture(win::CDC& dc, const std::string& file, int x, int y)
{
  auto found = m_pictures.find(file);
  if (found == m_pictures.end()) {
    auto dib = std::make_unique<vetra::CDib>();
    if (!dib->Open(SkinPath(file).c_str())) dib.reset();
    found = m_pictures.emplace(file, std::move(dib)).first;
  }
  if (vetra::CDib* dib = found->second.get()) dib->Draw(x, y, dib->m_width, dib->m_height, &dc);
}

void CSkinnedDialog::DrawEndButton(win::CDC& dc)
{
  DrawPicture(dc, m_endPressed ? m_end.pressed : m_end.normal, m_end.area.left + 1, m_end.area.top + 1);
}

void CSkinnedDialog::PlaceAgainstOwner(int dx, int h, int width, int clientHeight)
{
  win::CWnd* owner = m_pParentWnd != nullptr ? m_pParentWnd : GetParent();
  if (owner == nullptr) return;
  win::CRect place;
  owner->GetWindowRect(&place);
  const int caption = win::GetSystemMetrics(win::SM_CYCAPTION);
  MoveWindow(place.left + dx, place.top + 10 + (h - caption) / 2, width, caption + clientHeight, win::TRUE);
}

void CSkinnedDialog::OnLButtonDown(win::UINT flags, win::CPoint point)
{
  const win::RECT& a = m_end.area;
  if (a.left < point.x && point.x < a.right && a.top < point.y && point.y < a.bottom) {
    m_endPressed = true;
    InvalidateRect(&a, win::TRUE);
  }
  CDialog::OnLButtonDown(flags, point);
}

void CSkinnedDialog::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  if (m_endPressed) {
    // Released anywhere after a press on it: the dialog ends.
    m_endPressed = false;
    InvalidateRect(&m_end.area, win::TRUE);
    EndDialog(m_end.result);
  }
  CDialog::OnLButtonUp(flags, point);
}

void CSkinnedDialog::OnDestroy()
{
  CDialog::OnDestroy();
  m_pictures.clear();
}

}  // namespace morvit
