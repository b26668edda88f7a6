#include "platform/ui/control_classes.h"

#include <map>

#include "platform/base/text.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_view.h"
#include "platform/ui/progress.h"
#include "platform/ui/spin.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/static.h"

namespace win {

namespace {

std::map<std::string, ControlFactory>& Factories()
{
  static std::map<std::string, ControlFactory> factories = [] {
    std::map<std::string, ControlFactory> standard;
    standard["BUTTON"] = [] { return std::make_unique<CButton>(); };
    standard["EDIT"] = [] { return std::make_unique<CEdit>(); };
    standard["STATIC"] = [] { return std::make_unique<CStatic>(); };
    standard["SCROLLBAR"] = [] { return std::make_unique<CScrollBar>(); };
    standard["LISTBOX"] = [] { return std::make_unique<CListBox>(); };
    standard["COMBOBOX"] = [] { return std::make_unique<CComboBox>(); };
    standard["SYSLISTVIEW32"] = [] { return std::make_unique<CListCtrl>(); };
    standard["MSCTLS_UPDOWN32"] = [] { return std::make_unique<CSpinButtonCtrl>(); };
    standard["MSCTLS_PROGRESS32"] = [] { return std::make_unique<CProgressCtrl>(); };
    return standard;
  }();
  return factories;
}

std::map<std::string, UINT>& ClassStyles()
{
  // The list, list view and combo classes answer double clicks, and so do the controls that take
  // a quick second press as another press (buttons, scroll bars, spins). The framework's default
  // window class and the class of its controls' windows ask for them as well: there a quick
  // second press is a double click, which a window that only handles presses ignores.
  static std::map<std::string, UINT> styles = {
      {"LISTBOX", CS_DBLCLKS},   {"COMBOBOX", CS_DBLCLKS},  {"SYSLISTVIEW32", CS_DBLCLKS},
      {"BUTTON", CS_DBLCLKS},    {"SCROLLBAR", CS_DBLCLKS}, {"MSCTLS_UPDOWN32", CS_DBLCLKS},
      {"AFXWND", CS_DBLCLKS},    {"VETRACONTROL", CS_DBLCLKS},
  };
  return styles;
}

}  // namespace

void RegisterClassStyle(const std::string& className, UINT style) { ClassStyles()[vetra::ToUpperAscii(className)] = style; }

UINT ClassStyleOf(const std::string& className)
{
  auto it = ClassStyles().find(vetra::ToUpperAscii(className));
  return it == ClassStyles().end() ? 0 : it->second;
}

void RegisterControlClass(const std::string& className, ControlFactory factory)
{
  Factories()[vetra::ToUpperAscii(className)] = std::move(factory);
}

std::unique_ptr<CWnd> MakeControl(const std::string& className)
{
  auto it = Factories().find(vetra::ToUpperAscii(className));
  if (it == Factories().end()) return std::make_unique<CWnd>();
  return it->second();
}

}  // namespace win
