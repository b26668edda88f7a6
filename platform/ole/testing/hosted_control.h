#pragma once
// A page in miniature for a control's tests: a top-level window the size of the page's object with
// the control inside it, on a temporary drive, driven through its properties as a page drives it.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/testing/temp_drive.h"
#include "platform/ole/variant.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"
#include "platform/ui/testing.h"

namespace vetra::testing {

// The size of a viewer page's object, which the chooser's pages give every viewer control.
inline const win::CRect kViewerObject{0, 0, 1017, 708};

// The page's window the control is made in.
class HostPage : public win::CWnd {
public:
  win::BOOL Make(const win::CRect& bounds = kViewerObject)
  {
    return CreateEx(0, "Page", "page", win::WS_POPUP | win::WS_VISIBLE, bounds, nullptr, 0);
  }
};

// The fixture base of a control's window tests. Each control's fixture lays out its drive in its
// SetUp, then calls HostControl.
template <class Control>
class HostedControlTest : public ::testing::Test {
protected:
  // Makes the page and the control filling it; `beforeWindow` sees the control before its window
  // is made (to connect its events).
  void HostControl(const win::CRect& bounds, const std::function<void(Control&)>& beforeWindow = {})
  {
    page = std::make_unique<HostPage>();
    ASSERT_TRUE(page->Make(bounds));
    control = std::make_unique<Control>();
    if (beforeWindow) beforeWindow(*control);
    ASSERT_TRUE(control->CreateControlWindow(page.get(), bounds));
    vetra::ui::Pump();
  }
  // Makes folders on the drive, each with a file "keep" in it.
  void MakeFolders(std::initializer_list<std::string_view> folders) const
  {
    for (const std::string_view folder : folders) drive.WriteFile(std::string(folder) + "/keep", "");
  }
  void TearDown() override
  {
    control.reset();
    page.reset();
    vetra::ui::ResetForTests();
  }

  void Set(const char* name, const win::COleVariant& value)
  {
    const auto dispid = control->Dispatch().FindName(name);
    ASSERT_TRUE(dispid.has_value()) << name;
    ASSERT_EQ(control->Dispatch().SetProperty(*dispid, value), win::S_OK) << name;
  }
  win::COleVariant Get(const char* name) const
  {
    win::COleVariant value;
    control->Dispatch().GetProperty(*control->Dispatch().FindName(name), value);
    return value;
  }
  // The colour of a client pixel of a window as the screen shows it.
  static win::COLORREF PixelOf(win::CWnd& wnd, int x, int y)
  {
    win::CClientDC dc(&wnd);
    return dc.GetPixel(x, y);
  }
  // Texts of the message boxes shown so far.
  static std::vector<std::string> MessageTexts()
  {
    std::vector<std::string> texts;
    for (const auto& box : vetra::ui::MessageBoxLog()) texts.push_back(box.text);
    return texts;
  }

  TempDrive drive;
  std::unique_ptr<HostPage> page;
  std::unique_ptr<Control> control;
};

}  // namespace vetra::testing
