// The print and print-setup dialogs as they show on screen: the printer, the orientation and
// (when printing) the number of copies.

#include <algorithm>

#include "platform/base/text.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/printer_catalogue.h"
#include "platform/ui/spin.h"

namespace vetra::ui {

namespace {

using namespace win;

constexpr int kPrinterChoice = 1139;
constexpr int kPortrait = 1056;
constexpr int kLandscape = 1057;
constexpr int kCopies = 1154;
constexpr int kCopiesSpin = 1155;

DialogTemplate PrintDialogTemplate(bool setup)
{
  DialogTemplate t;
  t.caption = Cp949(setup ? "인쇄 설정" : "인쇄");
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  t.cx = 230;
  t.cy = setup ? 100 : 120;
  t.fontFace = Cp949("굴림");
  t.fontPoints = 9;
  const DWORD visible = WS_VISIBLE;
  // The group boxes come last: the first controls of a template lie on top of the later ones.
  // Each run of controls from one with WS_GROUP is a group the arrows move in (the two
  // orientations are one).
  t.items = {
      {"STATIC", Cp949("이름:"), -1, visible, 14, 20, 30, 10},
      {"COMBOBOX", "", kPrinterChoice, visible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 46, 18, 170, 80},
      {"BUTTON", Cp949("세로"), kPortrait, visible | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 14, 58, 44, 12},
      {"BUTTON", Cp949("가로"), kLandscape, visible | BS_AUTORADIOBUTTON, 62, 58, 44, 12},
  };
  if (!setup) {
    t.items.push_back({"STATIC", Cp949("매수:"), -1, visible | WS_GROUP, 124, 59, 30, 10});
    t.items.push_back({"EDIT", "1", kCopies, visible | WS_BORDER | WS_TABSTOP | ES_NUMBER, 156, 57, 40, 12});
    t.items.push_back({"msctls_updown32", "", kCopiesSpin, visible | UDS_ARROWKEYS, 197, 57, 12, 12});
  }
  t.items.push_back({"BUTTON", Cp949("프린터"), -1, visible | WS_GROUP | BS_GROUPBOX, 7, 5, 216, 34});
  t.items.push_back({"BUTTON", Cp949("용지 방향"), -1, visible | WS_GROUP | BS_GROUPBOX, 7, 43, 106, 34});
  if (!setup) t.items.push_back({"BUTTON", Cp949("인쇄 매수"), -1, visible | WS_GROUP | BS_GROUPBOX, 117, 43, 106, 34});
  const int buttons = setup ? 82 : 100;
  t.items.push_back({"BUTTON", Cp949("확인"), IDOK, visible | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 119, buttons, 50, 14});
  t.items.push_back({"BUTTON", Cp949("취소"), IDCANCEL, visible | WS_TABSTOP | BS_PUSHBUTTON, 173, buttons, 50, 14});
  return t;
}

class PrintDialogWindow : public CDialog {
public:
  PrintDialogWindow(bool setup, PrintChoice choice, CWnd* owner)
      : CDialog(PrintDialogTemplate(setup), owner), m_setup(setup), m_choice(std::move(choice))
  {
  }

  const PrintChoice& Choice() const { return m_choice; }

  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    m_printers = AvailablePrinters();
    if (auto* choice = dynamic_cast<CComboBox*>(GetDlgItem(kPrinterChoice))) {
      for (const PrinterInfo& printer : m_printers) choice->AddString(printer.name.c_str());
      choice->SetCurSel(std::max(0, choice->FindStringExact(-1, m_choice.printer.c_str())));
    }
    CheckDlgButton(m_choice.orientation == DMORIENT_LANDSCAPE ? kLandscape : kPortrait, BST_CHECKED);
    if (!m_setup) {
      SetDlgItemInt(kCopies, static_cast<UINT>(m_choice.copies));
      if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(kCopiesSpin))) {
        spin->SetRange32(1, 9999);
        spin->SetPos(m_choice.copies);
      }
    }
    return TRUE;
  }

protected:
  // The copies box is the arrows' partner: Up and Down in it step them, and they step from the
  // number it holds, typed or not.
  BOOL PreTranslateMessage(MSG* msg) override
  {
    CWnd* copies = m_setup ? nullptr : GetDlgItem(kCopies);
    if (copies && msg->message == WM_KEYDOWN && msg->hwnd == copies->m_hWnd && (msg->wParam == VK_UP || msg->wParam == VK_DOWN)) {
      if (CWnd* spin = GetDlgItem(kCopiesSpin)) spin->SendMessage(WM_KEYDOWN, msg->wParam, msg->lParam);
      return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
  }

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
  {
    if (!m_setup && LOWORD(wParam) == kCopies && HIWORD(wParam) == EN_CHANGE) {
      BOOL ok = FALSE;
      const UINT typed = GetDlgItemInt(kCopies, &ok, FALSE);
      auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(kCopiesSpin));
      if (ok && spin) spin->SetPos(static_cast<int>(std::clamp<UINT>(typed, 1, 9999)));
    }
    return CDialog::OnCommand(wParam, lParam);
  }

  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override
  {
    if (code == SB_THUMBPOSITION) SetDlgItemInt(kCopies, pos);
    CDialog::OnVScroll(code, pos, bar);
  }

  void OnOK() override
  {
    if (auto* choice = dynamic_cast<CComboBox*>(GetDlgItem(kPrinterChoice))) {
      const int row = choice->GetCurSel();
      if (row >= 0 && static_cast<std::size_t>(row) < m_printers.size()) {
        m_choice.printer = m_printers[static_cast<std::size_t>(row)].name;
      }
    }
    m_choice.orientation = IsDlgButtonChecked(kLandscape) ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    if (!m_setup) {
      BOOL ok = FALSE;
      const UINT copies = GetDlgItemInt(kCopies, &ok, FALSE);
      m_choice.copies = ok ? static_cast<int>(std::clamp<UINT>(copies, 1, 9999)) : 1;
    }
    EndDialog(IDOK);
  }

private:
  bool m_setup;
  PrintChoice m_choice;
  std::vector<PrinterInfo> m_printers;
};

}  // namespace

bool RunPrintDialogWindow(bool setup, PrintChoice& choice, win::CWnd* owner)
{
  PrintDialogWindow dialog(setup, choice, owner);
  if (dialog.DoModal() != IDOK) return false;
  choice = dialog.Choice();
  return true;
}

}  // namespace vetra::ui
