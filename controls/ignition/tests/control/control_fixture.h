#pragma once
// A viewer page in miniature: a top-level window the size of the page's object with the ignition
// control inside it, on a temporary drive that holds the skin set and the exchange folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/ignition/sparwen_ctrl.h"
#include "controls/ignition/tests/fixtures.h"
#include "platform/base/drive.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"
#include "platform/ole/testing/hosted_control.h"

namespace sparwen::testing {

// Copies the ignition viewer's pictures from the skin set the build drew (SPARWEN_SKIN_DRIVE)
// onto the current drive.
inline bool PutIgnitionSkins()
{
  namespace fs = std::filesystem;
  const fs::path images = fs::path(SPARWEN_SKIN_DRIVE) / "Vetra/Fenmark/Img";
  std::error_code ec;
  bool copied = false;
  for (const auto& folder : fs::directory_iterator(images, ec)) {
    if (!vetra::EqualsNoCase(folder.path().filename().string(), "ign")) continue;
    const fs::path target = vetra::MapPath("C:\\Vetra\\Fenmark\\Img") / folder.path().filename();
    fs::create_directories(target, ec);
    fs::copy(folder.path(), target, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    copied = !ec;
  }
  return copied;
}

using Page = vetra::testing::HostPage;

class ControlTest : public vetra::testing::HostedControlTest<CSparwenCtrl> {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    MakeFolders({"Vetra/Fenmark/Temp", "Vetra/TempE", "Windows"});
    if (WithSkins()) {
      ASSERT_TRUE(PutIgnitionSkins());
    }
    ASSERT_NO_FATAL_FAILURE(HostControl(vetra::testing::kViewerObject));
  }
  virtual bool WithSkins() const { return true; }

  // What the viewer page does after loading.
  void Start(const std::string& name, short reloadMode = 0)
  {
    Set("ReloadMode", win::COleVariant(static_cast<win::SHORT>(reloadMode)));
    Set("DataFileName", win::COleVariant(name));
    Set("RunOcx", win::COleVariant(static_cast<win::SHORT>(1)));
    vetra::ui::Pump();
  }
  void Load(const IgnitionOptions& options, const std::string& name = "test.Ig2")
  {
    PutRecording(drive, options, name);
    Start(name);
  }
  const IgnitionState& State() const { return control->Model().State(); }
  // Clicks the middle of drawn button 1..15.
  void ClickButton(int button)
  {
    const win::RECT r = control->Buttons().Places()[static_cast<std::size_t>(button - 1)];
    vetra::ui::ClickAlone(*control, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    vetra::ui::Pump();
  }
  // Clicks the middle of cylinder-bar button 1..11.
  void ClickBar(int code)
  {
    const win::RECT r = control->CylinderBar()->ButtonRects()[static_cast<std::size_t>(code - 1)];
    vetra::ui::ClickAlone(*control->CylinderBar(), {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    vetra::ui::Pump();
  }
  // The draw calls of one repaint of a window, from its back buffer.
  static std::vector<vetra::gdi::DrawCall> Repaint(win::CWnd& wnd)
  {
    vetra::gdi::ScopedDrawLog log;
    wnd.Invalidate(win::FALSE);
    vetra::ui::Pump();
    return log.Calls();
  }
  static std::vector<std::string> TextsOf(const std::vector<vetra::gdi::DrawCall>& calls)
  {
    std::vector<std::string> texts;
    for (const auto& call : calls) {
      if (call.op == "TextOut") texts.push_back(call.text);
    }
    return texts;
  }
  static int Count(const std::vector<vetra::gdi::DrawCall>& calls, const std::string& op)
  {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&op](const auto& call) { return call.op == op; }));
  }
};

}  // namespace sparwen::testing
