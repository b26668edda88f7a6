#include "platform/ui/control_classes.h"

#include <map>

#include "platform/base/text.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
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
    return standard;
  }();
  return factories;
}

}  // namespace

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
