#pragma once
// A server page in miniature: a top-level window with the download control inside it, on a
// temporary drive, with the control's events, the started command lines and the message boxes
// collected, and a loopback server standing in for the report web server.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/download/pakrel_ctrl.h"
#include "controls/download/pakrel_identity.h"
#include "platform/base/process.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/net/testing/loopback_http_server.h"
#include "platform/ui/testing.h"

namespace pakrel::testing {

class Page : public win::CWnd {
public:
  win::BOOL Make() { return CreateEx(0, "Page", "page", win::WS_POPUP | win::WS_VISIBLE, win::CRect(0, 0, 800, 600), nullptr, 0); }
};

class ControlTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    drive.WriteFile("Windows/keep", "");
    vetra::SetProcessStarterForTests([this](const std::string& commandLine) {
      started.push_back(commandLine);
      return true;
    });
    page = std::make_unique<Page>();
    ASSERT_TRUE(page->Make());
    control = std::make_unique<CPakrelCtrl>();
    control->ConnectEvents([this](win::DISPID dispid, std::string_view, std::span<const win::COleVariant>) { events.push_back(dispid); });
    ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 200, 40)));
    vetra::ui::Pump();
  }
  void TearDown() override
  {
    CDownloadDialogBase::SetAfterReadHookForTests({});
    control.reset();
    page.reset();
    vetra::SetProcessStarterForTests({});
    vetra::ui::ResetForTests();
  }

  void Set(const char* name, const win::COleVariant& value)
  {
    // Virtual time that earlier steps let pass does not count as the headless program idling.
    vetra::ui::RestartHeadlessLimit();
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
  // What a page does to fetch a file: server, path, size, kind, then the start property.
  void Download(const std::string& serverPath, long size, short dataType)
  {
    Set("ServerIP", win::COleVariant("127.0.0.1"));
    Set("ServerFileName", win::COleVariant(serverPath));
    Set("FileSize", win::COleVariant(static_cast<win::LONG>(size)));
    Set("DataType", win::COleVariant(dataType));
    Set("RunOcx", win::COleVariant(static_cast<win::SHORT>(1)));
  }
  // Files of a folder below the drive, "keep" left out.
  std::vector<std::string> FilesIn(const std::string& folder) const
  {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(drive / folder, ec)) {
      if (entry.path().filename() != "keep") names.push_back(entry.path().filename().string());
    }
    return names;
  }
  // Texts of the message boxes shown so far, the skin reports left out.
  static std::vector<std::string> Messages()
  {
    std::vector<std::string> texts;
    for (const auto& box : vetra::ui::MessageBoxLog()) {
      if (!box.text.ends_with("Load Error")) texts.push_back(box.text);
    }
    return texts;
  }

  vetra::testing::TempDrive drive;
  std::unique_ptr<Page> page;
  std::unique_ptr<CPakrelCtrl> control;
  std::vector<win::DISPID> events;
  std::vector<std::string> started;
};

}  // namespace pakrel::testing
