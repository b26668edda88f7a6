#include "programs/chooser/about_dlg.h"

#include "platform/base/text.h"
#include "platform/ui/messages.h"
#include "platform/ui/styles.h"

namespace lumbrel {

CAboutDlg::CAboutDlg(win::CWnd* parent) : win::CDialog(AboutTemplate(), parent) {}

win::DialogTemplate CAboutDlg::AboutTemplate()
{
  win::DialogTemplate dialog;
  dialog.caption = vetra::Cp949("Lumbrel 정보");
  dialog.style = win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU | win::DS_MODALFRAME;
  dialog.cx = 170;
  dialog.cy = 56;
  dialog.fontFace = vetra::Cp949("굴림");
  dialog.items = {
      {"STATIC", vetra::Cp949("Lumbrel 버전 1.0"), -1, win::WS_VISIBLE | win::SS_LEFT, 12, 12, 100, 10},
      {"STATIC", vetra::Cp949("저장 데이터 보기"), -1, win::WS_VISIBLE | win::SS_LEFT, 12, 26, 100, 10},
      {"BUTTON", vetra::Cp949("확인"), win::IDOK, win::WS_VISIBLE | win::BS_DEFPUSHBUTTON | win::WS_TABSTOP, 116, 10, 44, 14},
  };
  return dialog;
}

}  // namespace lumbrel
