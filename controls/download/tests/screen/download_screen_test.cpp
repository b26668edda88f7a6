// On screen (SDL under Xvfb): the skinned download dialog stays alive while it transfers. The
// screen shows its bar growing, and a real click on its cancel area stops the transfer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "common/dib/dib.h"
#include "controls/download/pakrel_ctrl.h"
#include "controls/download/pakrel_identity.h"
#include "controls/download/tests/control/download_skins.h"
#include "platform/base/testing/x_input.h"
#include "platform/base/testing/x_screen.h"
#include "platform/net/testing/loopback_http_server.h"
#include "platform/ole/testing/hosted_control.h"
#include "platform/ui/system_metrics.h"

namespace pakrel::testing {
namespace {

using namespace std::chrono_literals;
using vetra::testing::HttpReply;
using vetra::testing::LoopbackHttpServer;

// A rectangle of the screen as the X server shows it.
struct XScreenPicture {
  int width = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
std::optional<XScreenPicture> GrabXScreen(const win::CRect& area)
{
  auto pixels = vetra::testing::XScreenPixels(area.left, area.top, area.Width(), area.Height());
  if (!pixels || pixels->size() != static_cast<std::size_t>(area.Width()) * area.Height()) return std::nullopt;
  return XScreenPicture{area.Width(), std::move(*pixels)};
}

class OnScreenDownloadTest : public vetra::testing::HostedControlTest<CPakrelCtrl> {
protected:
  void SetUp() override
  {
    ASSERT_NE(std::getenv("VETRA_TEST_ON_SCREEN"), nullptr) << "runs under scripts/on-screen";
    MakeFolders({"Windows"});
    ASSERT_TRUE(WriteDownloadDialogSkins());
    ASSERT_NO_FATAL_FAILURE(HostControl(win::CRect(0, 0, 200, 40), [this](CPakrelCtrl& made) {
      made.ConnectEvents([this](win::DISPID dispid, std::string_view, std::span<const win::COleVariant>) { events.push_back(dispid); });
    }));
  }

  static win::CSize PictureSize(const char* file)
  {
    vetra::CDib dib;
    dib.Open((std::string("C:\\Vetra\\Fenmark\\Img\\Dn\\") + file).c_str());
    return {dib.m_width, dib.m_height};
  }

  std::vector<win::DISPID> events;
};

// Whether two pictures differ inside a rectangle of them.
bool Differ(const XScreenPicture& a, const XScreenPicture& b, const win::CRect& area)
{
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (a.At(x, y) != b.At(x, y)) return true;
    }
  }
  return false;
}

TEST_F(OnScreenDownloadTest, TheBarAdvancesOnScreenAndARealClickOnTheCancelAreaStopsTheTransfer)
{
  // A slow server: 240 pieces of 1 KiB, one every 25 ms.
  HttpReply reply;
  reply.patternSize = 240 * 1024;
  reply.pieceSize = 1024;
  reply.pause = 25ms;
  LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());

  // Where the dialog shows: centred on the screen at its background's size.
  const win::CSize dialog = PictureSize("download_img.bmp");
  const win::CSize bar = PictureSize("download_img1.bmp");
  const win::CSize cancel = PictureSize("download_cancel.bmp");
  ASSERT_GT(dialog.cx, 0);
  const win::CRect onScreen(win::CPoint((win::GetSystemMetrics(win::SM_CXSCREEN) - dialog.cx) / 2,
                                        (win::GetSystemMetrics(win::SM_CYSCREEN) - dialog.cy) / 2),
                            dialog);
  const win::CRect barArea(win::CPoint(25, 101), bar);
  const win::CRect still(0, 0, dialog.cx, 20);  // a strip of the background above the bar

  struct Seen {
    std::atomic<int> advances{0};
    std::atomic<bool> clicked{false};
  } seen;
  std::thread user([&] {
    const auto give_up = std::chrono::steady_clock::now() + 20s;
    std::optional<XScreenPicture> before = GrabXScreen(onScreen);
    while (std::chrono::steady_clock::now() < give_up && seen.advances < 3) {
      std::this_thread::sleep_for(30ms);
      std::optional<XScreenPicture> now = GrabXScreen(onScreen);
      if (!before || !now) {
        before = std::move(now);
        continue;
      }
      // The dialog stands still and only its bar moved: the screen follows the transfer.
      if (!Differ(*before, *now, still) && Differ(*before, *now, barArea)) ++seen.advances;
      before = std::move(now);
    }
    if (seen.advances >= 3) {
      seen.clicked = vetra::testing::XClickAt(onScreen.left + 158 + cancel.cx / 2, onScreen.top + 130 + cancel.cy / 2);
    }
  });

  Set("ServerIP", win::COleVariant("127.0.0.1"));
  Set("ServerFileName", win::COleVariant("/reports/run.OSC"));
  Set("FileSize", win::COleVariant(static_cast<win::LONG>(*reply.patternSize)));
  Set("DataType", win::COleVariant(static_cast<win::SHORT>(1)));
  Set("RunOcx", win::COleVariant(static_cast<win::SHORT>(1)));
  user.join();

  EXPECT_GE(seen.advances.load(), 3) << "the bar never moved on screen";
  EXPECT_TRUE(seen.clicked.load());
  EXPECT_EQ(events, std::vector<win::DISPID>{kEventDnFail});
  EXPECT_LT(server.BodyBytesSent(), *reply.patternSize);  // stopped, not run to its end
  for (const char* folder : {"Windows", "Vetra/TempE"}) {
    for (const auto& entry : std::filesystem::directory_iterator(drive / folder)) {
      EXPECT_EQ(entry.path().filename(), "keep") << "left behind: " << entry.path();
    }
  }
}

}  // namespace
}  // namespace pakrel::testing
