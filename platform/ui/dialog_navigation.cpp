#include "platform/ui/dialog_navigation.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "platform/ui/edit.h"
#include "platform/ui/styles.h"

namespace win::detail {

namespace {

UINT DialogCode(CWnd& control) { return static_cast<UINT>(control.SendMessage(WM_GETDLGCODE)); }

// A control says through its dialog code which keys it handles (a button its Space, an edit its
// characters, a list its arrows). A label or group frame says it is static; a picture, an icon, a
// progress bar or a plain window asks for no keys at all.
bool TakesKeyboard(CWnd& control)
{
  const UINT code = DialogCode(control);
  return code != 0 && !(code & DLGC_STATIC);
}

bool IsRadio(CWnd& control) { return (DialogCode(control) & DLGC_RADIOBUTTON) != 0; }

bool IsChecked(CWnd& control) { return control.SendMessage(BM_GETCHECK) == BST_CHECKED; }

// Where the group holding controls[at] begins and ends (one past its last control).
std::pair<std::size_t, std::size_t> GroupBounds(const std::vector<CWnd*>& controls, std::size_t at)
{
  std::size_t begin = at;
  while (begin > 0 && !(controls[begin]->GetStyle() & WS_GROUP)) --begin;
  std::size_t end = at + 1;
  while (end < controls.size() && !(controls[end]->GetStyle() & WS_GROUP)) ++end;
  return {begin, end};
}

// Tab reaches a radio group at its checked button, or at its tab stop while none is checked.
bool IsTabStop(const std::vector<CWnd*>& controls, std::size_t at)
{
  CWnd& control = *controls[at];
  if (!CanTakeFocus(control)) return false;
  if (!IsRadio(control)) return (control.GetStyle() & WS_TABSTOP) != 0;
  const auto [begin, end] = GroupBounds(controls, at);
  for (std::size_t i = begin; i < end; ++i) {
    if (IsRadio(*controls[i]) && CanTakeFocus(*controls[i]) && IsChecked(*controls[i])) return i == at;
  }
  return (control.GetStyle() & WS_TABSTOP) != 0;
}

std::ptrdiff_t IndexOf(const std::vector<CWnd*>& controls, const CWnd* control)
{
  const auto it = std::find(controls.begin(), controls.end(), control);
  return it == controls.end() ? -1 : it - controls.begin();
}

// The first control after `from` (cyclically, `from` itself last) that passes the test.
template <typename Test>
CWnd* Step(const std::vector<CWnd*>& controls, std::ptrdiff_t from, bool backwards, Test test)
{
  const auto n = static_cast<std::ptrdiff_t>(controls.size());
  if (n == 0) return nullptr;
  if (from < 0) from = backwards ? 0 : n - 1;
  for (std::ptrdiff_t k = 1; k <= n; ++k) {
    const std::ptrdiff_t i = ((backwards ? from - k : from + k) % n + n) % n;
    if (test(static_cast<std::size_t>(i))) return controls[static_cast<std::size_t>(i)];
  }
  return nullptr;
}

}  // namespace

std::vector<CWnd*> DialogControls(const CWnd& dialog)
{
  std::vector<CWnd*> controls = dialog.GetChildren();
  // Handles are handed out in rising order, so they keep the order the controls were made in.
  std::sort(controls.begin(), controls.end(), [](const CWnd* a, const CWnd* b) {
    return reinterpret_cast<std::uintptr_t>(a->m_hWnd) < reinterpret_cast<std::uintptr_t>(b->m_hWnd);
  });
  return controls;
}

CWnd* ControlWithFocus(const CWnd& dialog)
{
  for (CWnd* w = CWnd::GetFocus(); w; w = w->GetParent()) {
    if (w->GetParent() == &dialog && (w->GetStyle() & WS_CHILD)) return w;
    if (!(w->GetStyle() & WS_CHILD)) break;
  }
  return nullptr;
}

bool CanTakeFocus(CWnd& control)
{
  // The control's own visibility: the dialog itself may not show yet.
  return (control.GetStyle() & WS_VISIBLE) && control.IsWindowEnabled() && TakesKeyboard(control);
}

std::vector<CWnd*> GroupOf(const CWnd& parent, const CWnd& control)
{
  const std::vector<CWnd*> controls = DialogControls(parent);
  const std::ptrdiff_t at = IndexOf(controls, &control);
  if (at < 0) return {};
  const auto [begin, end] = GroupBounds(controls, static_cast<std::size_t>(at));
  return {controls.begin() + static_cast<std::ptrdiff_t>(begin), controls.begin() + static_cast<std::ptrdiff_t>(end)};
}

CWnd* NextTabStop(const CWnd& dialog, CWnd* from, bool backwards)
{
  const std::vector<CWnd*> controls = DialogControls(dialog);
  return Step(controls, IndexOf(controls, from), backwards, [&](std::size_t i) { return IsTabStop(controls, i); });
}

CWnd* NextInGroup(const CWnd& dialog, CWnd* from, bool backwards)
{
  if (!from) return nullptr;
  const std::vector<CWnd*> group = GroupOf(dialog, *from);
  return Step(group, IndexOf(group, from), backwards, [&](std::size_t i) { return CanTakeFocus(*group[i]); });
}

CWnd* FirstFocus(const CWnd& dialog)
{
  if (CWnd* stop = NextTabStop(dialog, nullptr, false)) return stop;
  const std::vector<CWnd*> controls = DialogControls(dialog);
  const auto it = std::find_if(controls.begin(), controls.end(), [](CWnd* c) { return CanTakeFocus(*c); });
  return it == controls.end() ? nullptr : *it;
}

void FocusFromKeyboard(CWnd& control)
{
  control.SetFocus();
  CWnd* focus = CWnd::GetFocus();
  const bool landed = focus && (focus == &control || control.IsChild(focus));
  if (landed && (DialogCode(*focus) & DLGC_HASSETSEL)) focus->SendMessage(EM_SETSEL, 0, -1);
}

bool MarksLetter(const std::string& text, char letter)
{
  const int wanted = std::toupper(static_cast<unsigned char>(letter));
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(text[i + 1])) == wanted;
  }
  return false;
}

CWnd* MnemonicTarget(const CWnd& dialog, CWnd* from, char letter)
{
  const std::vector<CWnd*> controls = DialogControls(dialog);
  CWnd* marked = Step(controls, IndexOf(controls, from), false, [&](std::size_t i) {
    CWnd& c = *controls[i];
    if (!(c.GetStyle() & WS_VISIBLE) || !c.IsWindowEnabled()) return false;
    return MarksLetter(c.GetWindowText(), letter);
  });
  if (!marked || CanTakeFocus(*marked)) return marked;
  // A label names the control that follows it.
  const std::ptrdiff_t at = IndexOf(controls, marked);
  for (auto i = static_cast<std::size_t>(at) + 1; i < controls.size(); ++i) {
    if (CanTakeFocus(*controls[i])) return controls[i];
  }
  return nullptr;
}

}  // namespace win::detail
