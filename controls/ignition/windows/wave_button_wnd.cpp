#include "controls/ignition/windows/wave_button_wnd.h"

#include "common/capture/child_notifier.h"
#include "controls/ignition/windows/skin.h"
#include "platform/base/text.h"
#include "platform/ui/cursor.h"
#include "platform/ui/paint.h"

namespace sparwen {
namespace {

// Member and file stems of the eleven buttons, in code order.
struct BarSkinName {
  const char* member;  // between "m_" and "Bmp"
  const char* file;    // the normal picture's stem; the others insert "d" or "dis"
  const char* number;
};
constexpr std::array<BarSkinName, kBarButtonCount> kBarSkins = {{
    {"Left", "wave_arrow", "1"},   {"Right", "wave_arrow", "2"},  {"1", "wave_button", "01"}, {"2", "wave_button", "02"},
    {"3", "wave_button", "03"},    {"4", "wave_button", "04"},    {"5", "wave_button", "05"}, {"6", "wave_button", "06"},
    {"7", "wave_button", "07"},    {"8", "wave_button", "08"},    {"All", "wave_button", "09"},
}};

}  // namespace

CWaveButtonWnd::CWaveButtonWnd(const IgnitionState& state) : m_state(state) {}

CWaveButtonWnd::~CWaveButtonWnd()
{
  if (m_hWnd != nullptr) DestroyWindow();
}

win::BOOL CWaveButtonWnd::CreateBar(win::CWnd* parent, const win::RECT& rect)
{
  return CreateEx(0, nullptr, "", win::WS_CHILD, rect, parent, kIdCylinderBar);
}

int CWaveButtonWnd::OnCreate(win::LPCREATESTRUCT cs)
{
  if (CWnd::OnCreate(cs) == -1) return -1;
  GetClientRect(&m_client);
  FreeBitmaps();
  win::CClientDC dc(this);
  m_backBuffer.Create(dc, m_client.Width(), m_client.Height(), "cylinderbar");
  m_tracker = BarTracker(m_rects);
  SetOwnCursor();
  LoadBitmaps();
  return 0;
}

void CWaveButtonWnd::LoadBitmaps()
{
  OpenSkin(m_main, "wave_img.bmp", "m_MainBmp");
  const win::SIZE main = SkinSize(m_main);
  m_mainRect = {kBarBackgroundCorner.x, kBarBackgroundCorner.y, kBarBackgroundCorner.x + main.cx, kBarBackgroundCorner.y + main.cy};
  const struct {
    std::array<vetra::CDib, kBarButtonCount>* pictures;
    const char* memberInfix;
    const char* fileInfix;
  } variants[] = {{&m_normal, "", ""}, {&m_down, "Down", "d"}, {&m_disabled, "Dis", "dis"}};
  for (const auto& variant : variants) {
    for (std::size_t i = 0; i < kBarSkins.size(); ++i) {
      const BarSkinName& name = kBarSkins[i];
      const std::string file = vetra::Format("%s%s%s.bmp", name.file, variant.fileInfix, name.number);
      OpenSkin((*variant.pictures)[i], file, vetra::Format("m_%s%sBmp", name.member, variant.memberInfix));
    }
  }
  std::array<win::SIZE, kBarButtonCount> sizes{};
  for (std::size_t i = 0; i < sizes.size(); ++i) sizes[i] = SkinSize(m_normal[i]);
  m_rects = BarButtonRects(sizes);
  m_tracker = BarTracker(m_rects);
}

void CWaveButtonWnd::FreeBitmaps()
{
  m_main.Free();
  for (auto* set : {&m_normal, &m_down, &m_disabled}) {
    for (vetra::CDib& picture : *set) picture.Free();
  }
  m_backBuffer.Free();
}

vetra::CDib& CWaveButtonWnd::PictureOf(int code, BarPicture picture)
{
  const auto i = static_cast<std::size_t>(code - 1);
  switch (picture) {
    case BarPicture::down: return m_down[i];
    case BarPicture::disabled: return m_disabled[i];
    case BarPicture::normal: break;
  }
  return m_normal[i];
}

void CWaveButtonWnd::OnPaint()
{
  win::CPaintDC paint(this);
  const int w = m_client.Width();
  const int h = m_client.Height();
  m_backBuffer.Present(paint, w, h, [&](win::CDC& dc) {
    const win::TransparentCopyDrawing modes(dc);
    FillFramedPanel(dc, w, h, kFrame, m_state.colours[kBackgroundColour]);
    DrawSkinIn(m_main, m_mainRect, dc);

    const auto pictures = BarButtonPictures(m_state, m_tracker.Pressed());
    for (int code = 1; code <= kBarButtonCount; ++code) {
      DrawSkinIn(PictureOf(code, pictures[static_cast<std::size_t>(code - 1)]), m_rects[static_cast<std::size_t>(code - 1)], dc);
    }
    for (const int cylinder : BarSelectedCylinders(m_state)) {
      const int code = cylinder + 2;
      DrawSkinIn(m_down[static_cast<std::size_t>(code - 1)], m_rects[static_cast<std::size_t>(code - 1)], dc);
    }

    win::CFont font;
    font.CreateFont(16, 10, 0, 0, 800, 0, 0, 0, win::DEFAULT_CHARSET, 0, 0, 0, 0x20, FaceName().c_str());
    win::CFont* oldFont = dc.SelectObject(&font);
    const win::COLORREF oldColour = dc.SetTextColor(win::RGB(0, 0, 0));
    dc.TextOut(kBarTimeBaseTextAt.x, kBarTimeBaseTextAt.y, m_state.timeBaseLabel);
    dc.TextOut(kBarRangeTextAt.x, kBarRangeTextAt.y, m_state.rangeLabel);
    dc.SetTextColor(oldColour);
    dc.SelectObject(oldFont);
  });
}

void CWaveButtonWnd::OnLButtonDown(win::UINT flags, win::CPoint point)
{
  m_tracker.LeftDown(point, m_state);
  Invalidate(win::FALSE);
  CWnd::OnLButtonDown(flags, point);
}

void CWaveButtonWnd::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  const int code = m_tracker.LeftUp(point, m_state);
  win::CWnd* parent = GetParent();
  if (code != 0 && parent != nullptr) parent->SendMessage(kMsgCylinderBarCommand, static_cast<win::WPARAM>(code), 0);
  // The control drops its own hover first; the cursor over the bar is the bar's.
  vetra::NotifyParentClickEnded(*this);
  SetOwnCursor();
  Invalidate(win::FALSE);
  CWnd::OnLButtonUp(flags, point);
}

void CWaveButtonWnd::OnMouseMove(win::UINT flags, win::CPoint point)
{
  m_tracker.MouseMove(point, (flags & win::MK_LBUTTON) != 0, m_state);
  vetra::NotifyParentMouseMove(*this, flags);
  SetOwnCursor();
  Invalidate(win::FALSE);
  CWnd::OnMouseMove(flags, point);
}

void CWaveButtonWnd::SetOwnCursor()
{
  if (m_hWnd != nullptr) SendMessage(win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(m_hWnd), win::MAKELPARAM(win::HTCLIENT, win::WM_MOUSEMOVE));
}

win::BOOL CWaveButtonWnd::OnSetCursor(win::CWnd*, win::UINT, win::UINT)
{
  win::SetCursor(m_tracker.Hover() ? win::LoadCursor(win::AfxGetInstanceHandle(), win::MAKEINTRESOURCE(133))
                                   : win::LoadCursor(nullptr, win::IDC_ARROW));
  return win::TRUE;
}

}  // namespace sparwen
