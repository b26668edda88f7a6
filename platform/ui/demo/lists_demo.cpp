// A small window program that shows the list, combo, list-view, spin and progress controls and
// opens the file and print dialogs: to look at them and to check them on screen (SDL2, under
// Xvfb or a desktop) with a session script.

#include <string>

#include "platform/base/text.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/demo/demo_app.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_view.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/progress.h"
#include "platform/ui/spin.h"

namespace {

using namespace win;

enum ControlId : int { kItems = 1001, kScale, kRows, kCursor, kProgress, kOpen, kPrint, kStatus };

DialogTemplate ListsTemplate()
{
  return vetra::ui::demo::DemoDialogTemplate(
      "Lists demo", 300, 200,
      {
          {"LISTBOX", "", kItems, WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_MULTIPLESEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 5, 5, 90, 80},
          {"COMBOBOX", "", kScale, WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 105, 5, 60, 60},
          {"msctls_updown32", "", kCursor, WS_VISIBLE | UDS_HORZ | UDS_ARROWKEYS, 175, 5, 32, 11},
          {"SysListView32", "", kRows, WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_REPORT, 105, 25, 190, 100},
          {"msctls_progress32", "", kProgress, WS_VISIBLE | PBS_SMOOTH, 5, 135, 290, 8},
          {"BUTTON", vetra::Cp949("열기"), kOpen, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 5, 150, 50, 14},
          {"BUTTON", vetra::Cp949("인쇄"), kPrint, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 60, 150, 50, 14},
          {"STATIC", "-", kStatus, WS_VISIBLE | SS_LEFT, 5, 170, 290, 10},
          {"BUTTON", vetra::Cp949("확인"), IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 245, 180, 50, 14},
      });
}

class ListsDialog : public CDialog {
public:
  ListsDialog() : CDialog(ListsTemplate()) {}

  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    auto* items = dynamic_cast<CListBox*>(GetDlgItem(kItems));
    for (int i = 0; i < 20; ++i) items->AddString(vetra::Format("CH%02d  channel %d", i, i).c_str());
    auto* scale = dynamic_cast<CComboBox*>(GetDlgItem(kScale));
    for (const char* text : {"전체화면", "1:1", "1:2", "1:5", "1:10", "1:25", "1:50", "1:100", "1:200", "1:500"}) {
      scale->AddString(vetra::Cp949(text).c_str());
    }
    scale->SetCurSel(0);
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(kCursor));
    spin->SetRange(0, 699);
    spin->SetPos(350);
    auto* rows = dynamic_cast<CListCtrl*>(GetDlgItem(kRows));
    rows->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    rows->InsertColumn(0, vetra::Cp949("센서항목").c_str(), LVCFMT_LEFT, 200);
    rows->InsertColumn(1, vetra::Cp949("현재값").c_str(), LVCFMT_RIGHT, 100);
    rows->InsertColumn(2, vetra::Cp949("단 위").c_str(), LVCFMT_CENTER, 70);
    for (int i = 0; i < 12; ++i) {
      rows->InsertItem(i, vetra::Format("item %d", i).c_str());
      rows->SetItemText(i, 1, vetra::Format("%d.%d", i * 7, i).c_str());
      rows->SetItemText(i, 2, "rpm");
    }
    dynamic_cast<CProgressCtrl*>(GetDlgItem(kProgress))->SetPos(35);
    return TRUE;
  }

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
  {
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == kScale && code == CBN_CLOSEUP) {
      auto* scale = dynamic_cast<CComboBox*>(GetDlgItem(kScale));
      SetDlgItemText(kStatus, vetra::Format("scale %d", scale->GetCurSel()).c_str());
      return TRUE;
    }
    if (id == kItems && code == LBN_SELCHANGE) {
      auto* items = dynamic_cast<CListBox*>(GetDlgItem(kItems));
      SetDlgItemText(kStatus, vetra::Format("%d selected", items->GetSelCount()).c_str());
      return TRUE;
    }
    if (id == kOpen && code == BN_CLICKED) {
      CFileDialog dialog(TRUE, "", "", OFN_HIDEREADONLY, "All files (*.*)|*.*|Text (*.TXT)|*.TXT||", this);
      const bool ok = dialog.DoModal() == IDOK;
      SetDlgItemText(kStatus, ok ? (dialog.GetPathName() + vetra::Format(" %d", dialog.m_ofn.nFilterIndex)).c_str() : "cancel");
      return TRUE;
    }
    if (id == kPrint && code == BN_CLICKED) {
      CPrintDialog dialog(FALSE);
      const bool ok = dialog.DoModal() == IDOK;
      SetDlgItemText(kStatus, ok ? vetra::Format("%s x%d", dialog.GetDeviceName().c_str(), dialog.GetCopies()).c_str() : "cancel");
      return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
  }
};

vetra::ui::demo::DialogApp<ListsDialog> theApp;

}  // namespace

int main(int argc, char** argv) { return win::AfxWinMain(argc, argv); }
