#include "platform/ui/dialog.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/app.h"
#include "platform/ui/control_classes.h"
#include "platform/ui/dialog_navigation.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win {

using detail::WindowSystem;

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
  if (!control.m_hWnd) control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
  if (dx->m_bSaveAndValidate) dx->m_pDlgWnd->GetDlgItemText(id, value);
  else dx->m_pDlgWnd->SetDlgItemText(id, value.c_str());
}

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent)
    : m_pParentWnd(parent), m_template(dialogTemplate)
{
}

void CDialog::MapDialogRect(LPRECT rect) const
{
  rect->left *= kPixelsPerDialogUnit;
  rect->top *= kPixelsPerDialogUnit;
  rect->right *= kPixelsPerDialogUnit;
  rect->bottom *= kPixelsPerDialogUnit;
}

BOOL CDialog::CreateFromTemplate(CWnd* owner)
{
  const DialogTemplate& t = m_template;
  DWORD style = t.style & ~WS_VISIBLE;
  const bool child = (style & WS_CHILD) != 0;
  if (!child) style |= WS_POPUP;
  const CRect insets = WindowSystem::NonClientInsets(style, t.exStyle, child);
  const int width = t.cx * kPixelsPerDialogUnit + insets.left + insets.right;
  const int height = t.cy * kPixelsPerDialogUnit + insets.top + insets.bottom;
  CRect rect(t.x * kPixelsPerDialogUnit, t.y * kPixelsPerDialogUnit, 0, 0);
  if (!child && owner) {
    CPoint origin(0, 0);
    owner->ClientToScreen(&origin);
    rect.OffsetRect(origin.x, origin.y);
  }
  rect.right = rect.left + width;
  rect.bottom = rect.top + height;
  // A system-modal dialog stays above every other window.
  const DWORD exStyle = t.exStyle | ((t.style & DS_SYSMODAL) ? WS_EX_TOPMOST : 0);
  if (!CreateEx(exStyle, "#32770", t.caption.c_str(), style, rect, owner, 0)) return FALSE;
  const HWND self = m_hWnd;
  if (!t.fontFace.empty()) {
    m_font = std::make_unique<CFont>();
    if (!m_font->CreatePointFont(t.fontPoints * 10, t.fontFace.c_str())) m_font.reset();
  }
  if (m_font) SetFont(m_font.get(), FALSE);
  if (t.style & DS_CENTER) CenterWindow(child ? nullptr : owner);

  for (const DialogItem& item : t.items) {
    std::unique_ptr<CWnd> control = MakeControl(item.className);
    CWnd* raw = control.get();
    const CRect r(item.x * kPixelsPerDialogUnit, item.y * kPixelsPerDialogUnit,
                  (item.x + item.cx) * kPixelsPerDialogUnit, (item.y + item.cy) * kPixelsPerDialogUnit);
    if (!raw->CreateEx(item.exStyle, item.className.c_str(), item.text.c_str(), item.style | WS_CHILD, r,
                       this, static_cast<UINT>(item.id))) {
      continue;
    }
    if (m_font) raw->SetFont(m_font.get(), FALSE);
    auto* state = WindowSystem::Get().State(raw->m_hWnd);
    state->systemOwned = true;
    WindowSystem::Get().AdoptObject(std::move(control));
    // The first control of the template lies on top (and comes first in the tab order).
    auto& children = WindowSystem::Get().State(self)->children;
    std::erase(children, raw->m_hWnd);
    children.insert(children.begin(), raw->m_hWnd);
  }
  if (!WindowSystem::Get().State(self)) return FALSE;
  if (SendMessage(WM_INITDIALOG, 0, 0) && m_hWnd && !m_endModal) {
    if (CWnd* first = detail::FirstFocus(*this)) detail::FocusFromKeyboard(*first);
  }
  if (m_hWnd && (t.style & WS_VISIBLE) && !m_endModal) ShowWindow(SW_SHOW);
  return m_hWnd != nullptr;
}

INT_PTR CDialog::DoModal()
{
  CWnd* owner = m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : AfxGetMainWnd();
  if (owner == this || (owner && !owner->m_hWnd)) owner = nullptr;
  const bool disableOwner = owner && owner->IsWindowEnabled();
  m_modal = true;
  m_endModal = false;
  m_modalResult = -1;
  if (CreateFromTemplate(owner)) {
    if (disableOwner) owner->EnableWindow(FALSE);
    if (!m_endModal) {
      ShowWindow(SW_SHOWNORMAL);
      RunModalLoop();
    }
  }
  m_modal = false;
  m_endModal = false;
  const INT_PTR result = m_modalResult;
  const HWND ownerHandle = owner ? owner->m_hWnd : nullptr;
  if (disableOwner && IsWindow(ownerHandle)) owner->EnableWindow(TRUE);
  if (m_hWnd) {
    ShowWindow(SW_HIDE);
    DestroyWindow();
  }
  if (IsWindow(ownerHandle)) owner->SetActiveWindow();
  return result;
}

BOOL CDialog::Create(const DialogTemplate& dialogTemplate, CWnd* parent)
{
  m_template = dialogTemplate;
  m_pParentWnd = parent;
  m_modal = false;
  return CreateFromTemplate(parent);
}

void CDialog::EndDialog(int result)
{
  if (m_modal) {
    EndModalLoop(result);
    return;
  }
  m_modalResult = result;
  ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog()
{
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK()
{
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL save)
{
  CDataExchange dx(this, save);
  DoDataExchange(&dx);
  return TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
  if (control) control->SetFocus();
}

namespace {

// Tab on the only tab stop leaves it as it is: its text is not chosen anew (the print layout's
// remark box would otherwise be replaced by the next key typed).
void TabTo(CDialog& dialog, bool backwards)
{
  CWnd* holder = detail::ControlWithFocus(dialog);
  CWnd* next = detail::NextTabStop(dialog, holder, backwards);
  if (next && next != holder) detail::FocusFromKeyboard(*next);
}

}  // namespace

void CDialog::NextDlgCtrl() { TabTo(*this, false); }

void CDialog::PrevDlgCtrl() { TabTo(*this, true); }

void CDialog::SetDefID(UINT id) { m_defId = id; }

DWORD CDialog::GetDefID() const
{
  if (m_defId) return MAKELONG(static_cast<WORD>(m_defId), DC_HASDEFID);
  for (CWnd* c : detail::DialogControls(*this)) {
    if (c->SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON) {
      return MAKELONG(static_cast<WORD>(c->GetDlgCtrlID()), DC_HASDEFID);
    }
  }
  return MAKELONG(static_cast<WORD>(IDOK), DC_HASDEFID);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
  // Keys reach the dialog's own handling (Return, Esc, Tab) before the control sees them.
  const bool key = msg->message >= WM_KEYDOWN && msg->message <= WM_SYSCHAR;
  if (!key || !m_hWnd) return FALSE;
  return IsDialogMessage(m_hWnd, msg);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_INITDIALOG) return OnInitDialog();
  if (message == DM_GETDEFID) return GetDefID();
  if (message == DM_SETDEFID) {
    SetDefID(static_cast<UINT>(wParam));
    return TRUE;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_CLOSE) {
    // Closing a dialog is cancelling it, unless its Cancel button is disabled.
    CWnd* cancel = GetDlgItem(IDCANCEL);
    if (cancel && !cancel->IsWindowEnabled()) return 0;
    SendMessage(WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel ? cancel->m_hWnd : nullptr));
    return 0;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
  const UINT code = HIWORD(wParam);
  if (code != BN_CLICKED && code != 1) return CWnd::OnCommand(wParam, lParam);
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return TRUE;
    case IDCANCEL:
      OnCancel();
      return TRUE;
    default:
      return CWnd::OnCommand(wParam, lParam);
  }
}

namespace {

bool IsArrow(UINT vk) { return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN; }

// The keyboard picks a control: it takes the keyboard and, when `click` says so, acts as if
// clicked (a button is pressed, an automatic radio button or check box changes its check).
void PickControl(CWnd& control, bool click)
{
  detail::FocusFromKeyboard(control);
  if (click) control.SendMessage(BM_CLICK);
}

bool IsAutoRadio(CWnd& control)
{
  return (control.SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON) && (control.GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// A mnemonic letter (upper case): the control whose text marks it with "&". Buttons are pressed,
// the other controls take the keyboard. False when no control has the letter.
bool PickByMnemonic(CWnd& dialog, UINT vk)
{
  const bool letter = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
  if (!letter) return false;
  CWnd* target = detail::MnemonicTarget(dialog, detail::ControlWithFocus(dialog), static_cast<char>(vk));
  if (!target) return false;
  const UINT code = static_cast<UINT>(target->SendMessage(WM_GETDLGCODE));
  PickControl(*target, (code & DLGC_BUTTON) != 0);
  return true;
}

// The arrows move the keyboard within the control's group; an automatic radio button reached so
// becomes the checked one.
void MoveInGroup(CWnd& dialog, UINT vk)
{
  CWnd* holder = detail::ControlWithFocus(dialog);
  CWnd* next = detail::NextInGroup(dialog, holder, vk == VK_UP || vk == VK_LEFT);
  if (!next) return;
  if (next != holder || IsAutoRadio(*next)) PickControl(*next, IsAutoRadio(*next));
}

}  // namespace

BOOL IsDialogMessage(HWND dialog, MSG* msg)
{
  auto& system = WindowSystem::Get();
  if (!msg || !dialog || !system.State(dialog)) return FALSE;
  if (!system.IsDescendant(msg->hwnd, dialog)) return FALSE;
  auto* dlg = dynamic_cast<CDialog*>(CWnd::FromHandle(dialog));
  CWnd* dialogWnd = CWnd::FromHandle(dialog);
  const UINT vk = static_cast<UINT>(msg->wParam);
  const bool keyDown = msg->message == WM_KEYDOWN;
  const bool charMsg = msg->message == WM_CHAR;
  if (msg->message == WM_SYSKEYDOWN && dialogWnd && PickByMnemonic(*dialogWnd, vk)) return TRUE;
  if (keyDown || charMsg) {
    const UINT code = static_cast<UINT>(SendMessage(msg->hwnd, WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(msg)));
    const bool wantsAll = (code & DLGC_WANTALLKEYS) != 0;
    const UINT key = keyDown ? vk : (vk == '\r' ? VK_RETURN : vk == 0x1B ? VK_ESCAPE : vk == '\t' ? VK_TAB : 0);
    // A letter typed where the control with the keyboard takes no letters is a mnemonic.
    if (charMsg && !(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) && dialogWnd && vk < 0x80 &&
        std::isalnum(static_cast<int>(vk)) &&
        PickByMnemonic(*dialogWnd, static_cast<UINT>(std::toupper(static_cast<int>(vk))))) {
      return TRUE;
    }
    if (key == VK_TAB && !(code & DLGC_WANTTAB) && !wantsAll) {
      if (keyDown && dlg) {
        if (GetKeyState(VK_SHIFT) < 0) dlg->PrevDlgCtrl();
        else dlg->NextDlgCtrl();
      }
      return TRUE;
    }
    // With the keyboard on the dialog itself (no control to move from) the arrows are its own.
    if (keyDown && IsArrow(vk) && !(code & DLGC_WANTARROWS) && !wantsAll && dialogWnd &&
        detail::ControlWithFocus(*dialogWnd)) {
      MoveInGroup(*dialogWnd, vk);
      return TRUE;
    }
    if (key == VK_RETURN && !wantsAll) {
      if (keyDown) {
        WORD id = IDOK;
        if (dlg) id = LOWORD(dlg->GetDefID());
        // A push button with the focus is the one Return presses.
        if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
          if (CWnd* focused = CWnd::FromHandle(msg->hwnd)) id = static_cast<WORD>(focused->GetDlgCtrlID());
        }
        HWND control = nullptr;
        if (dlg) {
          if (CWnd* c = dlg->GetDlgItem(id)) {
            if (!c->IsWindowEnabled()) return TRUE;
            control = c->m_hWnd;
          }
        }
        SendMessage(dialog, WM_COMMAND, MAKELONG(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
      }
      return TRUE;
    }
    if (key == VK_ESCAPE && !wantsAll) {
      if (keyDown) {
        CWnd* cancel = dlg ? dlg->GetDlgItem(IDCANCEL) : nullptr;
        if (cancel && !cancel->IsWindowEnabled()) return TRUE;
        SendMessage(dialog, WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(cancel ? cancel->m_hWnd : nullptr));
      }
      return TRUE;
    }
  }
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}

}  // namespace win
