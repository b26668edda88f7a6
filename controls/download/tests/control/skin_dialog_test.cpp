// The skinned download dialog with its pictures on the drive: the bar, the cancel area, the cursor.
#include "controls/download/core/progress.h"
#include "controls/download/tests/control/pakrel_fixture.h"
#include "controls/download/tests/control/download_skins.h"
#include "platform/ui/cursor.h"
#include "platform/ui/paint.h"

namespace pakrel::testing {
namespace {

using vetra::testing::HttpReply;
using vetra::testing::LoopbackHttpServer;

class SkinDialogTest : public ControlTest {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(WriteDownloadDialogSkins());
    ControlTest::SetUp();
  }
};

TEST_F(SkinDialogTest, TheBarGrowsFromTheLeftAndTheCancelAreaStopsTheTransfer)
{
  HttpReply reply;
  reply.patternSize = 8192;
  LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());
  struct Seen {
    int position = -1;
    win::COLORREF barStart = 0, barEnd = 0;
    bool hovering = false;
    vetra::ui::CursorShape cursor{};
  } seen;
  CDownloadDialogBase::SetAfterReadHookForTests([&seen](CDownloadDialogBase& dialog) {
    auto& skin = static_cast<CDownloadSkinDlg&>(dialog);
    if (skin.BytesWritten() != 4096) return;
    // Half of the announced size: the bar's first pixel is painted, its last not yet.
    skin.UpdateWindow();
    win::CClientDC dc(&skin);
    const win::CRect bar = skin.ProgressRect();
    seen.position = skin.Position();
    seen.barStart = dc.GetPixel(bar.left + 1, bar.top + bar.Height() / 2);
    seen.barEnd = dc.GetPixel(bar.right - 2, bar.top + bar.Height() / 2);
    vetra::ui::MoveMouse(skin, skin.CancelRect().CenterPoint());
    seen.hovering = skin.Hovering();
    seen.cursor = vetra::ui::CurrentCursor();
    vetra::ui::Click(skin, skin.CancelRect().CenterPoint());
  });
  Download("/reports/run.OSC", 8192, 1);
  EXPECT_EQ(seen.position, 5000);
  EXPECT_NE(seen.barStart, seen.barEnd);
  EXPECT_NE(seen.barEnd, CDownloadSkinDlg::kBackground);
  EXPECT_TRUE(seen.hovering);
  EXPECT_EQ(seen.cursor, vetra::ui::CursorShape::Hand);
  EXPECT_EQ(events, std::vector<win::DISPID>{kEventDnFail});
  EXPECT_TRUE(FilesIn("Windows").empty());
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());  // every picture was found
}

TEST_F(SkinDialogTest, ACancelBeforeTheTransferStartsSendsNoRequest)
{
  LoopbackHttpServer server(HttpReply{.body = "data"});
  vetra::testing::HttpPortOverride port(server.Port());
  // Runs as soon as the dialog waits for its start timer.
  vetra::ui::WhenIdle([this] {
    CDownloadSkinDlg& skin = control->SkinDialog();
    vetra::ui::Click(skin, skin.CancelRect().CenterPoint());
  });
  Download("/reports/run.OSC", 4, 1);
  EXPECT_EQ(events, std::vector<win::DISPID>{kEventDnFail});
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_TRUE(FilesIn("Windows").empty());
  EXPECT_TRUE(FilesIn("Vetra/TempE").empty());
}

// Return has no OK button to press in the dialog: the transfer still runs.
TEST_F(SkinDialogTest, ReturnBeforeTheTransferStartsEndsNothing)
{
  LoopbackHttpServer server(HttpReply{.body = "data"});
  vetra::testing::HttpPortOverride port(server.Port());
  vetra::ui::WhenIdle([] { vetra::ui::PressKeys("return"); });
  Download("/reports/run.OSC", 4, 1);
  EXPECT_EQ(server.Requests().size(), 1u);
}

}  // namespace
}  // namespace pakrel::testing
