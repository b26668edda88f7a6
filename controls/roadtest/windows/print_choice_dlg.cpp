#include "controls/roadtest/windows/print_choice_dlg.h"

#include "controls/roadtest/skin_buttons.h"
#include "controls/roadtest/windows/resources.h"
#include "platform/base/text.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/ui/images.h"

namespace morvit {
namespace {

constexpr int kPictureId = 247;

win::DialogTemplate ChoiceTemplate()
{
  win::DialogTemplate t;
  t.caption = vetra::Cp949("그림 저장 & 프린트");
  t.style = win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU | win::DS_MODALFRAME;
  t.cx = 299;
  t.cy = 163;
  t.fontFace = "System";
  t.fontPoints = 10;
  t.items = {
      {"STATIC", "", kPictureId, win::WS_VISIBLE | win::SS_BITMAP, 0, 0, 0, 0},
      {"BUTTON", "OK", win::IDOK, win::WS_DISABLED, 39, 134, 50, 14},
      {"BUTTON", vetra::Cp949("취소"), win::IDCANCEL, win::WS_VISIBLE | win::WS_TABSTOP, 124, 137, 50, 14},
      {"BUTTON", vetra::Cp949("프린트"), CPrintChoiceDlg::kPrintButton, win::WS_VISIBLE | win::WS_TABSTOP, 231, 56, 33, 20},
      {"BUTTON", vetra::Cp949("그림"), CPrintChoiceDlg::kPictureButton, win::WS_VISIBLE | win::WS_TABSTOP, 231, 94, 33, 20},
  };
  return t;
}

}  // namespace

CPrintChoiceDlg::CPrintChoiceDlg(win::CWnd* parent) : CDialog(ChoiceTemplate(), parent) {}

CPrintChoiceDlg::~CPrintChoiceDlg()
{
  if (m_bitmap != nullptr) win::DeleteObject(m_bitmap);
}

win::BOOL CPrintChoiceDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  m_bitmap = win::LoadImage(nullptr, SkinPath("PrintMain.bmp").c_str(), win::IMAGE_BITMAP, 0, 0, win::LR_LOADFROMFILE);
  if (m_bitmap != nullptr && m_picture.SubclassDlgItem(kPictureId, this)) m_picture.SetBitmap(m_bitmap);
  // The three buttons show their pictures; without them they keep their texts.
  RegisterMorvitBitmaps();
  const struct {
    win::CBitmapButton& button;
    int id;
    unsigned bitmap;
  } buttons[] = {{m_cancelButton, win::IDCANCEL, kCancelBitmap}, {m_printButton, kPrintButton, kPrintBitmap},
                 {m_pictureButton, kPictureButton, kPictureBitmap}};
  for (const auto& b : buttons) {
    if (!b.button.SubclassDlgItem(static_cast<win::UINT>(b.id), this)) continue;
    // Above the picture, which fills the dialog.
    b.button.BringWindowToTop();
    if (!b.button.LoadBitmaps(b.bitmap)) continue;
    b.button.ModifyStyle(0x0F, win::BS_OWNERDRAW);
    b.button.SizeToContent();
  }
  return win::TRUE;
}

void CPrintChoiceDlg::OnOK()
{
  m_chosen = true;
  EndDialog(win::IDOK);
}

void CPrintChoiceDlg::OnCancel()
{
  m_chosen = false;
  EndDialog(win::IDCANCEL);
}

win::BOOL CPrintChoiceDlg::OnCommand(win::WPARAM wParam, win::LPARAM lParam)
{
  switch (win::LOWORD(static_cast<win::DWORD>(wParam))) {
    case kPrintButton:
      OnOK();
      return win::TRUE;
    case kPictureButton:
      // The picture choice ends the dialog with Cancel, but chosen.
      m_chosen = true;
      EndDialog(win::IDCANCEL);
      return win::TRUE;
    default:
      return CDialog::OnCommand(wParam, lParam);
  }
}

}  // namespace morvit
