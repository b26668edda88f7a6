#include "programs/chooser/lumbrel_dlg.h"

#include <string>

#include "platform/base/text.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"
#include "platform/ui/system_metrics.h"
#include "programs/chooser/about_dlg.h"
#include "programs/chooser/lumbrel_app.h"

namespace lumbrel {
namespace {

std::string SkinPath(const char* file) { return std::string(kSkinFolder) + file; }

// Opens one skin picture; a picture that fails is reported and left out.
void OpenSkin(vetra::CDib& picture, const char* file, const char* member)
{
  if (!picture.Open(SkinPath(file).c_str())) ShowMessage(LoadErrorText(member));
}

}  // namespace

CLumbrelDlg::CLumbrelDlg() : win::CDialog(ChooserTemplate()) {}

CLumbrelDlg::~CLumbrelDlg()
{
  if (m_reporting) SetMessageReporter(std::move(m_previousReporter));
}

win::DialogTemplate CLumbrelDlg::ChooserTemplate()
{
  win::DialogTemplate dialog;
  dialog.caption = "Lumbrel";
  // No frame or caption of its own: the background picture draws the window's face.
  dialog.style = win::WS_POPUP | win::WS_SYSMENU | win::WS_MINIMIZEBOX;
  dialog.cx = 320;
  dialog.cy = 200;
  dialog.fontFace = vetra::Cp949("굴림");
  return dialog;
}

win::BOOL CLumbrelDlg::OnInitDialog()
{
  win::CDialog::OnInitDialog();
  if (win::CMenu* menu = GetSystemMenu(win::FALSE)) {
    menu->AppendMenu(win::MF_SEPARATOR);
    menu->AppendMenu(win::MF_STRING, kAboutCommand, vetra::Cp949("Lumbrel 정보(&A)...").c_str());
  }
  m_hIcon = win::LoadIcon(win::AfxGetResourceHandle(), win::MAKEINTRESOURCE(kAppIcon));
  SetIcon(m_hIcon, win::TRUE);
  SetIcon(m_hIcon, win::FALSE);

  // From here on the user reads messages in boxes owned by this window.
  m_previousReporter = SetMessageReporter([this](const std::string& text) {
    win::MessageBox(m_hWnd, text.c_str(), nullptr, win::MB_OK);
  });
  m_reporting = true;

  LoadSkinBitmaps();
  const win::SIZE size = m_MainBmp.m_loaded ? win::SIZE{m_MainBmp.m_width, m_MainBmp.m_height}
                                            : kSizeWithoutBackground;
  MoveWindow((win::GetSystemMetrics(win::SM_CXSCREEN) - size.cx) / 2,
             (win::GetSystemMetrics(win::SM_CYSCREEN) - size.cy) / 2, size.cx, size.cy);

  GetClientRect(&m_windowRect);
  win::CClientDC dc(this);
  m_memDC = std::make_unique<win::CDC>();
  m_memBitmap = std::make_unique<win::CBitmap>();
  if (!m_memDC->CreateCompatibleDC(&dc) ||
      !m_memBitmap->CreateCompatibleBitmap(&dc, m_windowRect.Width(), m_windowRect.Height())) {
    m_memDC.reset();
    m_memBitmap.reset();
  }

  m_hovered = 0;
  m_pressed = 0;
  SendSetCursor();
  m_busy = 0;
  return win::TRUE;
}

void CLumbrelDlg::LoadSkinBitmaps()
{
  OpenSkin(m_MainBmp, kBackgroundFile, kBackgroundMember);
  for (std::size_t i = 0; i < kButtonCount; ++i) {
    const ChooserButton& button = ChooserButtons()[i];
    OpenSkin(m_downBmps[i], button.downFile, button.downMember);
    OpenSkin(m_overBmps[i], button.overFile, button.overMember);
  }
  m_backgroundRect = win::CRect(0, 0, m_MainBmp.m_width, m_MainBmp.m_height);
  for (std::size_t i = 0; i < kButtonCount; ++i) {
    // A button is as large as its pressed picture; without that picture its hover picture gives
    // the size, so a button whose picture is missing can still be used.
    const vetra::CDib& sized = m_downBmps[i].m_loaded ? m_downBmps[i] : m_overBmps[i];
    const win::POINT topLeft = ChooserButtons()[i].topLeft;
    m_buttonRects[i] = {topLeft.x, topLeft.y, topLeft.x + sized.m_width, topLeft.y + sized.m_height};
  }
}

void CLumbrelDlg::FreeBitmaps()
{
  m_MainBmp.Free();
  for (vetra::CDib& picture : m_downBmps) picture.Free();
  for (vetra::CDib& picture : m_overBmps) picture.Free();
}

void CLumbrelDlg::OnSysCommand(win::UINT id, win::LPARAM lParam)
{
  if ((id & 0xFFF0) == kAboutCommand) {
    CAboutDlg about(this);
    about.DoModal();
    return;
  }
  win::CDialog::OnSysCommand(id, lParam);
}

win::BOOL CLumbrelDlg::OnEraseBkgnd(win::CDC*)
{
  // The whole client area is painted from the memory bitmap.
  return win::TRUE;
}

void CLumbrelDlg::OnPaint()
{
  win::CPaintDC dc(this);
  if (IsIconic() || !m_memDC) return;

  win::CBitmap* old = m_memDC->SelectObject(m_memBitmap.get());
  const int oldBkMode = m_memDC->SetBkMode(win::TRANSPARENT);
  const int oldRop = m_memDC->SetROP2(win::R2_COPYPEN);

  m_memDC->FillSolidRect(&m_windowRect, kChooserBackColor);
  if (m_MainBmp.m_loaded) {
    m_MainBmp.DrawUnscaled(m_backgroundRect.left, m_backgroundRect.top, m_backgroundRect.Width(),
                           m_backgroundRect.Height(), m_memDC.get());
  }
  auto drawOn = [this](vetra::CDib& picture, int button) {
    if (button < 1 || !picture.m_loaded) return;
    const win::CRect r = ButtonRect(button);
    picture.DrawUnscaled(r.left, r.top, r.Width(), r.Height(), m_memDC.get());
  };
  if (m_hovered) drawOn(m_overBmps[static_cast<std::size_t>(m_hovered - 1)], m_hovered);
  if (m_pressed) drawOn(m_downBmps[static_cast<std::size_t>(m_pressed - 1)], m_pressed);

  m_memDC->SetROP2(oldRop);
  m_memDC->SetBkMode(oldBkMode);
  dc.BitBlt(0, 0, m_windowRect.Width(), m_windowRect.Height(), m_memDC.get(), 0, 0, win::SRCCOPY);
  m_memDC->SelectObject(old);
}

void CLumbrelDlg::OnDestroy()
{
  win::CDialog::OnDestroy();
  FreeBitmaps();
  m_memBitmap.reset();
  m_memDC.reset();
}

void CLumbrelDlg::OnMouseMove(win::UINT flags, win::CPoint point)
{
  const int wasOverArea = m_overArea;
  m_overArea = 0;
  m_hovered = 0;
  const int area = AreaAt(m_buttonRects, point);
  if (area >= 1 && area <= kButtonCount) {
    m_overArea = 1;
    m_hovered = area;
    if (flags == win::MK_LBUTTON) m_pressed = area;
  } else if (area == kCloseHit) {
    m_overArea = 1;
  } else {
    m_pressed = 0;
  }
  if (m_overArea != wasOverArea) SendSetCursor();
  Invalidate(win::FALSE);
}

void CLumbrelDlg::OnLButtonDown(win::UINT, win::CPoint point)
{
  const int area = AreaAt(m_buttonRects, point);
  m_pressed = area <= kButtonCount ? area : 0;
  Invalidate(win::FALSE);
}

void CLumbrelDlg::OnLButtonUp(win::UINT, win::CPoint point)
{
  m_pressed = 0;
  const int area = AreaAt(m_buttonRects, point);
  if (area >= 1 && area <= kButtonCount) {
    OpenSavedData(area);
  } else if (area == kCloseHit) {
    EndDialog(win::IDCANCEL);
  }
  if (m_hWnd) Invalidate(win::FALSE);
}

win::BOOL CLumbrelDlg::OnSetCursor(win::CWnd*, win::UINT, win::UINT)
{
  win::SetCursor(m_overArea ? win::LoadCursor(win::AfxGetResourceHandle(), win::MAKEINTRESOURCE(kHandCursor))
                            : win::LoadCursor(nullptr, win::IDC_ARROW));
  return win::TRUE;
}

void CLumbrelDlg::OnTimer(win::UINT_PTR id)
{
  if (id != kBusyTimer) {
    win::CDialog::OnTimer(id);
    return;
  }
  KillTimer(kBusyTimer);
  m_busy = 0;
}

void CLumbrelDlg::SendSetCursor()
{
  SendMessage(win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(m_hWnd),
              win::MAKELPARAM(win::HTCLIENT, win::WM_MOUSEMOVE));
}

void CLumbrelDlg::OpenSavedData(int button)
{
  if (m_busy == 1) return;
  const std::string filter = ButtonFilter(button);
  const std::string folder = ButtonStartFolder(button);
  win::CFileDialog dialog(win::TRUE, "", "", 0, filter.c_str(), this);
  dialog.m_ofn.lpstrInitialDir = folder.c_str();
  if (dialog.DoModal() != win::IDOK) return;

  m_busy = 1;
  SetTimer(kBusyTimer, kBusyMs);
  const std::string path = dialog.GetPathName();
  if (!KindOfExtension(path)) {
    ShowMessage(vetra::Cp949("알 수 없는 파일 형식입니다."));
    return;
  }
  // The same conversion as a saved-data file named on the command line; its failures are shown
  // as messages and the window stays open either way.
  ConvertAndReport(path);
}

}  // namespace lumbrel
