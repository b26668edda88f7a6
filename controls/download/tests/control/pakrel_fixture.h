#pragma once
// A server page in miniature: a top-level window with the download control inside it, on a
// temporary drive, with the control's events, the started command lines and the message boxes
// collected, and a loopback server standing in for the report web server.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "controls/download/pakrel_ctrl.h"
#include "controls/download/pakrel_identity.h"
#include "platform/base/text.h"
#include "platform/net/testing/loopback_http_server.h"
#include "platform/ole/testing/hosted_control.h"
#include "platform/ole/testing/recorded_starts.h"

namespace pakrel::testing {

class ControlTest : public vetra::testing::HostedControlTest<CPakrelCtrl> {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    MakeFolders({"Windows"});
    ASSERT_NO_FATAL_FAILURE(HostControl(win::CRect(0, 0, 200, 40), [this](CPakrelCtrl& made) {
      made.ConnectEvents([this](win::DISPID dispid, std::string_view, std::span<const win::COleVariant>) { events.push_back(dispid); });
    }));
  }
  void TearDown() override
  {
    CDownloadDialogBase::SetAfterReadHookForTests({});
    HostedControlTest::TearDown();
  }

  void Set(const char* name, const win::COleVariant& value)
  {
    // Virtual time that earlier steps let pass does not count as the headless program idling.
    vetra::ui::RestartHeadlessLimit();
    HostedControlTest::Set(name, value);
  }
  // What a page does to fetch a file: server, path, size, kind, then the start property.
  void Download(const std::string& serverPath, long size, short dataType, const char* host = "127.0.0.1")
  {
    Set("ServerIP", win::COleVariant(host));
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

  std::vector<win::DISPID> events;
  std::vector<std::string> started;
  vetra::testing::RecordedStarts starts{started};
};

}  // namespace pakrel::testing
