#include "programs/printlayout/capture_print_dlg.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/file_api.h"
#include "platform/base/text.h"
#include "platform/ui/ime.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"
#include "platform/ui/system_metrics.h"
#include "programs/printlayout/capture.h"
#include "programs/printlayout/save_file_dialog.h"

namespace tolvex {
namespace {

constexpr win::COLORREF kBackground = win::RGB(111, 184, 240);
constexpr int kHandCursor = 133;

std::unique_ptr<vetra::NamedMutex>& MutexSlot()
{
  static std::unique_ptr<vetra::NamedMutex> mutex;
  return mutex;
}

bool Contains(const win::RECT& r, win::CPoint p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

win::RECT ButtonRectAt(const vetra::CDib& picture, int left, int top)
{
  // A picture that did not load counts as 0 by 0: its button cannot be clicked.
  const int width = picture.m_loaded ? picture.m_width : 0;
  const int height = picture.m_loaded ? std::abs(picture.m_height) : 0;
  return win::RECT{left, top, left + width, top + height};
}

int Width(const win::RECT& r) { return r.right - r.left; }
int Height(const win::RECT& r) { return r.bottom - r.top; }

}  // namespace

const vetra::NamedMutex* InstanceMutex() { return MutexSlot().get(); }
void ReleaseInstanceMutexForTests() { MutexSlot().reset(); }

win::DialogTemplate CapturePrintTemplate()
{
  using namespace win;
  DialogTemplate t;
  t.caption = vetra::Cp949("프린트");
  t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_CENTER | DS_SYSMODAL | DS_MODALFRAME | DS_SETFONT;
  t.exStyle = WS_EX_TOPMOST | WS_EX_APPWINDOW;
  t.cx = 435;
  t.cy = 287;
  t.fontFace = vetra::Cp949("굴림");
  t.fontPoints = 9;
  t.items = {
      {"EDIT", "", kRemarkEditId, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VISIBLE | WS_TABSTOP, 3, 39, 199, 102, WS_EX_CLIENTEDGE},
      // Controls the window keeps hidden and disabled; the picture buttons do their work.
      {"BUTTON", vetra::Cp949("인    쇄"), 1, BS_DEFPUSHBUTTON | WS_DISABLED, 95, 265, 50, 14},
      {"BUTTON", vetra::Cp949("취    소"), 2, BS_PUSHBUTTON | WS_DISABLED, 150, 265, 50, 14},
      {"BUTTON", vetra::Cp949("프린터 설정"), 1001, BS_PUSHBUTTON | WS_DISABLED, 210, 265, 60, 14},
      {"BUTTON", vetra::Cp949("그림 저장"), 1005, BS_PUSHBUTTON | WS_DISABLED, 275, 265, 60, 14},
      {"BUTTON", vetra::Cp949("파일로 저장"), 1003, BS_AUTOCHECKBOX | WS_DISABLED, 340, 265, 60, 14},
      {"BUTTON", vetra::Cp949("내역을 입력하십시요. (최대 10줄까지 입력이 가능합니다.)"), -1, BS_GROUPBOX | WS_DISABLED, 2, 30, 204, 114},
  };
  return t;
}

CCapturePrintDlg::CCapturePrintDlg() : win::CDialog(CapturePrintTemplate()) {}

CCapturePrintDlg::~CCapturePrintDlg() = default;

void CCapturePrintDlg::DoDataExchange(win::CDataExchange* dx)
{
  win::CDialog::DoDataExchange(dx);
  win::DDX_Control(dx, kRemarkEditId, m_Edit);
}

void CCapturePrintDlg::Show(const std::string& text) { win::AfxMessageBox(text, win::MB_OK); }

win::BOOL CCapturePrintDlg::OnInitDialog()
{
  win::CDialog::OnInitDialog();
  const win::HICON icon = win::LoadIcon(win::AfxGetResourceHandle(), win::MAKEINTRESOURCE(128));
  SetIcon(icon, win::TRUE);
  SetIcon(icon, win::FALSE);

  // One copy at a time: a second one ends at once, silently, reading nothing. A mutex that
  // cannot be made at all does not stop the program: it runs as if it were the only copy.
  auto mutex = std::make_unique<vetra::NamedMutex>(kInstanceMutexName);
  if (mutex->AlreadyExists()) {
    m_secondCopy = true;
    OnOK();
    return win::FALSE;
  }
  if (!MutexSlot()) MutexSlot() = std::move(mutex);

  SetWindowText(vetra::Cp949("프린트"));
  ReadCarFile(m_texts);
  const bool captureImported = ImportCapture([this](const std::string& text) { Show(text); });

  const int screenWidth = win::GetSystemMetrics(win::SM_CXSCREEN);
  const int screenHeight = win::GetSystemMetrics(win::SM_CYSCREEN);
  MoveWindow((screenWidth - kDialogWidth) / 2, (screenHeight - kDialogHeight) / 2, kDialogWidth, kDialogHeight);
  if (m_Edit.GetSafeHwnd()) m_Edit.MoveWindow(5, 78, 399, 205);

  GetWindowRect(&m_rcWindow);
  ScreenToClient(&m_rcWindow);
  {
    win::CClientDC client(this);
    m_pMemDC = std::make_unique<win::CDC>();
    m_pMemDC->CreateCompatibleDC(&client);
    m_pBackBitmap = std::make_unique<win::CBitmap>();
    m_pBackBitmap->CreateCompatibleBitmap(&client, Width(m_rcWindow), Height(m_rcWindow));
  }
  m_bOverButton = 0;
  LoadButtonBitmaps();

  if (m_Edit.GetSafeHwnd()) {
    const win::HIMC context = win::ImmGetContext(m_Edit.GetSafeHwnd());
    win::ImmSetConversionStatus(context, win::IME_CMODE_NATIVE, win::IME_SMODE_CONVERSATION);
    win::ImmReleaseContext(m_Edit.GetSafeHwnd(), context);
  }

  m_texts.carInfoLines = 0;
  m_texts.shop.fill(std::string());
  m_texts.customer.fill(std::string());
  m_bPrinterSetUp = 0;
  m_pPrintDlg = MakeReportPrinter();

  ReadCustomerInfo(m_texts);
  ReadShopInfo(m_texts);
  ReadCarInfoText(m_texts);

  // A copy left from an earlier run is never printed as if it were this capture.
  if (captureImported) m_CaptureBmp.Open(kCaptureCopyReadPath);
  m_BandBmp.Open("c:\\Vetra\\Fenmark\\img\\BKColor.bmp");
  m_Logo.Load("c:\\Vetra\\Fenmark\\img\\Logo.jpg");
  return win::TRUE;
}

void CCapturePrintDlg::LoadButtonBitmaps()
{
  m_BackBmp.Open("C:\\Vetra\\Fenmark\\Img\\Print\\print_img1.bmp");
  m_PrintBmp.Open("C:\\Vetra\\Fenmark\\Img\\Print\\ok_button.bmp");
  m_CancelBmp.Open("C:\\Vetra\\Fenmark\\Img\\Print\\cancel_button.bmp");
  m_SetupBmp.Open("C:\\Vetra\\Fenmark\\Img\\Print\\print_button1.bmp");
  m_SaveBmp.Open("C:\\Vetra\\Fenmark\\Img\\Print\\print_button2.bmp");
  m_PrintDownBmp.Open("C:\\Vetra\\Fenmark\\Img\\Print\\ok_dbutton.bmp");
  m_CancelDownBmp.Open("C:\\Vetra\\Fenmark\\Img\\Print\\cancel_dbutton.bmp");
  m_SetupDownBmp.Open("C:\\Vetra\\Fenmark\\Img\\Print\\print_dbutton1.bmp");
  m_SaveDownBmp.Open("C:\\Vetra\\Fenmark\\Img\\Print\\print_dbutton2.bmp");
  m_rcPrint = ButtonRectAt(m_PrintBmp, 190, 303);
  m_rcCancel = ButtonRectAt(m_CancelBmp, 246, 303);
  m_rcSetup = ButtonRectAt(m_SetupBmp, 410, 78);
  m_rcSave = ButtonRectAt(m_SaveBmp, 410, 183);
}

void CCapturePrintDlg::OnPaint()
{
  win::CPaintDC dc(this);
  // A minimised window shows only its icon, which the window system draws.
  if (IsIconic() || !m_pMemDC || !m_pBackBitmap) return;
  m_pMemDC->SetBkMode(win::TRANSPARENT);
  const int previousRop = m_pMemDC->SetROP2(win::R2_COPYPEN);
  win::CBitmap* previous = m_pMemDC->SelectObject(m_pBackBitmap.get());
  m_pMemDC->FillSolidRect(&m_rcWindow, kBackground);
  m_pMemDC->SetROP2(previousRop);

  const auto drawIfLoaded = [&](vetra::CDib& picture, const win::RECT& r) {
    if (picture.m_loaded) picture.Draw(r.left, r.top, Width(r), Height(r), m_pMemDC.get());
  };
  if (m_BackBmp.m_loaded) m_BackBmp.Draw(0, 0, m_BackBmp.m_width, std::abs(m_BackBmp.m_height), m_pMemDC.get());
  drawIfLoaded(m_PrintBmp, m_rcPrint);
  drawIfLoaded(m_CancelBmp, m_rcCancel);
  drawIfLoaded(m_SetupBmp, m_rcSetup);
  drawIfLoaded(m_SaveBmp, m_rcSave);
  switch (m_nPressedButton) {
    case kPrintButton: drawIfLoaded(m_PrintDownBmp, m_rcPrint); break;
    case kCancelButton: drawIfLoaded(m_CancelDownBmp, m_rcCancel); break;
    case kSetupButton: drawIfLoaded(m_SetupDownBmp, m_rcSetup); break;
    case kSaveButton: drawIfLoaded(m_SaveDownBmp, m_rcSave); break;
    default: break;
  }
  dc.BitBlt(0, 0, Width(m_rcWindow), Height(m_rcWindow), m_pMemDC.get(), 0, 0, win::SRCCOPY);
  m_pMemDC->SelectObject(previous);
}

int CCapturePrintDlg::ButtonAt(win::CPoint point) const
{
  for (int i = 0; i < 4; ++i)
    if (Contains(*m_buttonRects[static_cast<std::size_t>(i)], point)) return i + 1;
  return kNoButton;
}

void CCapturePrintDlg::InvalidateButtons()
{
  for (const win::RECT* r : m_buttonRects) InvalidateRect(r, win::FALSE);
}

void CCapturePrintDlg::OnMouseMove(win::UINT flags, win::CPoint point)
{
  m_bOverButton = ButtonAt(point) != kNoButton ? 1 : 0;
  InvalidateButtons();
  win::CDialog::OnMouseMove(flags, point);
}

win::BOOL CCapturePrintDlg::OnSetCursor(win::CWnd*, win::UINT, win::UINT)
{
  if (m_bOverButton) win::SetCursor(win::LoadCursor(win::AfxGetResourceHandle(), win::MAKEINTRESOURCE(kHandCursor)));
  else win::SetCursor(win::LoadCursor(nullptr, win::IDC_ARROW));
  return win::TRUE;
}

void CCapturePrintDlg::OnLButtonDown(win::UINT flags, win::CPoint point)
{
  m_nPressedButton = ButtonAt(point);
  InvalidateButtons();
  win::CDialog::OnLButtonDown(flags, point);
}

void CCapturePrintDlg::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  // The button under the pointer at release acts, wherever the press began.
  switch (ButtonAt(point)) {
    case kPrintButton:
      ReadEditLines();
      if (PrintReport()) EndDialog(win::IDOK);
      break;
    case kCancelButton: EndDialog(win::IDOK); break;
    case kSetupButton: OnPrinterSetup(); break;
    case kSaveButton: OnSavePicture(); break;
    default: break;
  }
  m_nPressedButton = kNoButton;
  if (GetSafeHwnd()) InvalidateButtons();
  if (GetSafeHwnd()) win::CDialog::OnLButtonUp(flags, point);
}

void CCapturePrintDlg::ReadEditLines()
{
  m_strTyped.fill(std::string());
  if (!m_Edit.GetSafeHwnd()) return;
  const int lines = m_Edit.GetLineCount();
  for (int j = 0; j < lines && j < kRemarkLines; ++j) {
    char buffer[1000] = {};
    const int got = m_Edit.GetLine(j, buffer, 999);
    if (got > 0) m_strTyped[static_cast<std::size_t>(j)].assign(buffer, static_cast<std::size_t>(std::min(got, 999)));
  }
}

bool CCapturePrintDlg::PrintReport()
{
  if (!m_pPrintDlg) return true;
  if (!m_bPrinterSetUp) {
    const bool defaults = m_pPrintDlg->LoadDefaults();
    if (m_pPrintDlg->ApplyPortraitDefault() == ReportPrinter::Portrait::SettingsUnavailable) return true;
    if (!defaults) {
      Show("Printer Default Value Load Error ");
      return true;
    }
  }
  win::CDC* dc = m_pPrintDlg->StartDocument("Vetra");
  if (!dc) {
    // The user keeps the window and can choose another printer.
    Show(vetra::Cp949("인쇄를 시작할 수 없습니다. 프린터 설정을 확인하십시오."));
    return false;
  }
  const bool pageStarted = m_pPrintDlg->StartPage();
  const int previousBk = dc->SetBkMode(win::TRANSPARENT);
  const int previousMap = dc->SetMapMode(win::MM_LOMETRIC);
  ReportPageContent content;
  content.texts = &m_texts;
  content.remarks = &m_strTyped;
  content.capture = &m_CaptureBmp;
  content.band = &m_BandBmp;
  content.logo = &m_Logo;
  content.dateTime = ReportDateTime();
  DrawReportPage(dc, content);
  dc->SetMapMode(previousMap);
  dc->SetBkMode(previousBk);
  const bool pageEnded = pageStarted && m_pPrintDlg->EndPage();
  // The document is written or sent only when it ends: a full disk or a queue that refuses the
  // job shows here, and the user keeps the window to try again.
  if (!m_pPrintDlg->EndDocument() || !pageEnded) {
    Show(vetra::Cp949("인쇄를 마치지 못했습니다. 프린터와 디스크 공간을 확인하십시오."));
    return false;
  }
  return true;
}

void CCapturePrintDlg::OnPrinterSetup()
{
  if (!m_pPrintDlg) return;
  if (m_pPrintDlg->ApplyPortraitDefault() == ReportPrinter::Portrait::SettingsUnavailable) return;
  m_bPrinterSetUp = 1;
  m_pPrintDlg->ShowSetup(this);
}

void CCapturePrintDlg::OnSavePicture()
{
  const auto show = [this](const std::string& text) { Show(text); };
  const auto picture = ReadCapture(show);
  // Without a picture that was read there is nothing to save.
  if (!picture) return;
  win::SetCurrentDirectoryA(m_texts.customerFolder.c_str());
  const auto choice = AskSavePicturePath(m_texts.customerFolder, this);
  if (!choice) return;
  SavePicture(*picture, choice->path, choice->format, m_texts.markerFileName, show);
}

void CCapturePrintDlg::OnDestroy()
{
  win::CDialog::OnDestroy();
  m_Logo.Free();
  m_CaptureBmp.Free();
  m_BandBmp.Free();
  for (vetra::CDib* picture : {&m_BackBmp, &m_PrintBmp, &m_CancelBmp, &m_SetupBmp, &m_SaveBmp, &m_PrintDownBmp,
                               &m_CancelDownBmp, &m_SetupDownBmp, &m_SaveDownBmp})
    picture->Free();
  m_pBackBitmap.reset();
  m_pMemDC.reset();
  m_pPrintDlg.reset();
}

}  // namespace tolvex
