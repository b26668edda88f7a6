#include "controls/roadtest/windows/vehicle_info_dlg.h"

#include "platform/base/text.h"
#include "platform/ui/paint.h"

namespace morvit {
namespace {

win::DialogTemplate VehicleInfoTemplate()
{
  win::DialogTemplate t;
  t.caption = vetra::Cp949("차량정보");
  t.style = win::WS_POPUP | win::WS_CAPTION | win::DS_MODALFRAME;
  t.cx = 275;
  t.cy = 175;
  t.fontFace = "System";
  t.fontPoints = 10;
  // Edit boxes of a template are tab stops, so Tab walks the five fields.
  const win::DWORD field = win::WS_VISIBLE | win::WS_BORDER | win::WS_TABSTOP | win::ES_READONLY;
  t.items = {
      {"EDIT", "", 242, field, 4, 54, 119, 14},
      {"EDIT", "", 243, field, 4, 83, 119, 14},
      {"EDIT", "", 244, field, 4, 112, 119, 14},
      {"EDIT", "", 245, field, 4, 141, 119, 14},
      {"EDIT", "", 246, field | win::ES_MULTILINE | win::ES_WANTRETURN, 126, 41, 128, 114},
      {"BUTTON", vetra::Cp949("종 료"), win::IDOK, win::WS_DISABLED, 101, 153, 51, 14},
      {"BUTTON", "Cancel", win::IDCANCEL, 0, 218, 154, 50, 14},
  };
  return t;
}

}  // namespace

CVehicleInfoDlg::CVehicleInfoDlg(win::CWnd* owner)
    : CSkinnedDialog(VehicleInfoTemplate(), owner, {{223, 319, 272, 338}, "BtnInfo_End_N.bmp", "BtnInfo_End_D.bmp", win::IDOK})
{
}

win::BOOL CVehicleInfoDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  PlaceAgainstOwner(247, 344, 522, 354);
  SetDlgItemText(kMakerEdit, m_header.maker.c_str());
  SetDlgItemText(kMakerEdit + 1, m_header.model.c_str());
  SetDlgItemText(kMakerEdit + 2, m_header.system.c_str());
  SetDlgItemText(kMakerEdit + 3, m_header.plate.c_str());
  SetDlgItemText(kMakerEdit + 4, m_header.symptom.c_str());
  return win::TRUE;
}

void CVehicleInfoDlg::OnPaint()
{
  win::CPaintDC dc(this);
  dc.FillSolidRect(0, 0, 526, 370, kFace);
  DrawPicture(dc, "info_img.bmp", 0, 0);
  DrawPicture(dc, "info_menu1.bmp", 8, 83);
  DrawPicture(dc, "info_menu2.bmp", 8, 141);
  DrawPicture(dc, "info_menu3.bmp", 8, 199);
  DrawPicture(dc, "info_menu4.bmp", 8, 257);
  DrawEndButton(dc);
}

win::HBRUSH CVehicleInfoDlg::OnCtlColor(win::CDC* dc, win::CWnd* control, win::UINT ctlColor)
{
  const int id = control != nullptr ? control->GetDlgCtrlID() : 0;
  if (id >= kMakerEdit && id <= kMakerEdit + 4) {
    dc->SetBkMode(win::TRANSPARENT);
    dc->SetBkColor(win::RGB(255, 255, 255));
    dc->SetTextColor(win::RGB(0, 0, 0));
    return static_cast<win::HBRUSH>(m_white);
  }
  return CSkinnedDialog::OnCtlColor(dc, control, ctlColor);
}

}  // namespace morvit
