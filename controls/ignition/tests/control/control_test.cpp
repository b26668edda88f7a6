#include <filesystem>

#include "controls/ignition/core/engine.h"
#include "controls/ignition/core/texts.h"
#include "controls/ignition/sparwen_identity.h"
#include "controls/ignition/tests/control/control_fixture.h"
#include "platform/ole/testing/control_checks.h"
#include "platform/base/text.h"

namespace sparwen::testing {
namespace {

namespace fs = std::filesystem;

TEST(SparwenIdentity, PropertiesInDispatchOrderAndSafeForScripting)
{
  CSparwenCtrl control;
  EXPECT_EQ(control.Identity().clsid, "{E8C23967-DC3C-4FC3-873A-AB0B0568A43B}");
  EXPECT_EQ(control.Identity().progId, "SPARWEN.SparwenCtrl.1");
  const vetra::testing::PropertyShape expected[] = {
      {"RunOcx", win::VT_I2}, {"DataFileName", win::VT_BSTR}, {"ReloadMode", win::VT_I2}};
  ASSERT_NO_FATAL_FAILURE(vetra::testing::ExpectPropertiesInDispatchOrder(control.Dispatch(), expected));
  EXPECT_TRUE(control.Events().empty());
  vetra::testing::ExpectSafeForScripting(control);
}

TEST_F(ControlTest, PrimaryAndSecondaryRecordingsLoadWithTheirChildrenAtTheLastPosition)
{
  const struct {
    IgnitionKind kind;
    const char* name;
    int mode;
    int frames;
    int cylinders;
    const char* unit;
  } cases[] = {
      {IgnitionKind::Secondary, "1234Temp.IG2", 1, 100, 4, "KV"},
      {IgnitionKind::Primary, "1234Temp.IG1", 3, 40, 6, "V"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    IgnitionOptions options = Options(c.mode, c.kind, c.frames);
    options.engineClass = c.cylinders == 4 ? 2 : 3;
    Load(options, c.name);
    EXPECT_TRUE(MessageTexts().empty());
    ASSERT_TRUE(control->Model().IsLoaded());
    EXPECT_EQ(State().Cylinders(), c.cylinders);
    EXPECT_EQ(State().DisplayMode(), c.mode);
    EXPECT_EQ(State().unitTexts[2], c.unit);

    ASSERT_NE(control->Graph(), nullptr);
    ASSERT_NE(control->ValuePanel(), nullptr);
    ASSERT_NE(control->CylinderBar(), nullptr);
    EXPECT_EQ(control->Graph()->GetDlgCtrlID(), 1526);
    EXPECT_EQ(control->ValuePanel()->GetDlgCtrlID(), 1525);
    EXPECT_EQ(control->CylinderBar()->GetDlgCtrlID(), 1527);
    EXPECT_TRUE(control->Graph()->IsWindowVisible());
    EXPECT_TRUE(control->ValuePanel()->IsWindowVisible());
    EXPECT_FALSE(control->CylinderBar()->IsWindowVisible());
    win::CRect graph;
    control->Graph()->GetWindowRect(&graph);
    control->ScreenToClient(&graph);
    EXPECT_EQ(graph, win::CRect(3, 112, 775, 684));

    int low = 0, high = 0;
    control->FrameScrollBar()->GetScrollRange(&low, &high);
    EXPECT_EQ(high, c.frames);
    EXPECT_EQ(control->FrameScrollBar()->GetScrollPos(), c.frames);
    EXPECT_EQ(control->Model().Playback().Position(), c.frames);
    EXPECT_EQ(control->VerticalScrollBar()->IsWindowEnabled() != win::FALSE, c.mode == 0 || c.mode == 3);
  }
}

TEST_F(ControlTest, ARecordingThatDoesNotOpenIsReportedAndLeavesTheSkinAlone)
{
  // A good recording first: a failed start afterwards leaves no stale children behind.
  Load(Options(1));
  ASSERT_NE(control->Graph(), nullptr);
  drive.WriteFile(WorkingCopy("short.Ig2"), std::string(100, '\x01'));  // cut inside its header
  for (const char* name : {"missing.Ig2", "short.Ig2", "..\\Windows\\keep", ""}) {
    SCOPED_TRACE(name);
    vetra::ui::ClearMessageBoxes();
    Start(name);
    ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
    const auto& box = vetra::ui::MessageBoxLog()[0];
    EXPECT_EQ(box.text, DataOpenErrorText(std::string("c:\\Vetra\\TempE\\") + name));
    EXPECT_EQ(box.caption, std::string("c:\\Vetra\\TempE\\") + name);
    EXPECT_FALSE(control->Model().IsLoaded());
    EXPECT_EQ(control->Graph(), nullptr);
    EXPECT_EQ(control->ValuePanel(), nullptr);
  }
  // The drawn buttons do nothing without a recording; the skin still paints.
  ClickButton(kGaiButton);
  ClickButton(kPlayForwardButton);
  EXPECT_FALSE(control->Playing());
  EXPECT_EQ(PixelOf(*control, 1010, 700), CSparwenCtrl::kBackground);
  EXPECT_TRUE(fs::exists(drive / "Windows/keep"));
}

TEST_F(ControlTest, ABadEngineClassIsReportedAndTheRecordingStillShowsWithoutCylinders)
{
  for (const int mode : {0, 1, 2, 3}) {
    SCOPED_TRACE(mode);
    vetra::ui::ClearMessageBoxes();
    std::string bytes = PutRecording(drive, Options(mode), "bad.Ig2");
    PutU8(bytes, 6000, 9);
    drive.WriteFile(WorkingCopy("bad.Ig2"), bytes);
    Start("bad.Ig2");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{BadEngineClassText(9)});
    ASSERT_TRUE(control->Model().IsLoaded());
    EXPECT_EQ(State().Cylinders(), 0);
    // Every window paints: no cylinder trace, only the serial trace of mode 0 that needs no engine.
    EXPECT_EQ(Count(Repaint(*control->Graph()), "Polyline"), mode == 0 ? 1 : 0);
    EXPECT_TRUE(TextsOf(Repaint(*control->ValuePanel())).empty());
    ClickButton(kTrendButton);
    ClickButton(kCylButton);
    ClickButton(kConfigButton);
    vetra::ui::Pump();
    EXPECT_EQ(MessageTexts().size(), 1u);
  }
}

TEST_F(ControlTest, ASecondStartRebuildsTheChildrenForTheNewRecording)
{
  Load(Options(1));
  Load(Options(3, IgnitionKind::Primary, 20), "second.Ig1");
  EXPECT_FALSE(State().Secondary());
  EXPECT_EQ(control->Model().Playback().Position(), 20);
  EXPECT_EQ(control->GetChildren().size(), 6u);  // graph, panel, bar and three scroll bars, once
}

TEST_F(ControlTest, APageThatStartsTheControlBeforeItsWindowSeesTheRecordingOnceItShows)
{
  PutRecording(drive, Options(2), "early.Ig2");
  CSparwenCtrl early;
  early.Dispatch().SetProperty(kDispDataFileName, win::COleVariant(std::string("early.Ig2")));
  early.Dispatch().SetProperty(kDispRunOcx, win::COleVariant(static_cast<win::SHORT>(1)));
  EXPECT_TRUE(early.Model().IsLoaded());
  EXPECT_EQ(early.Graph(), nullptr);
  ASSERT_TRUE(early.CreateControlWindow(page.get(), win::CRect(0, 0, 1017, 708)));
  vetra::ui::Pump();
  ASSERT_NE(early.Graph(), nullptr);
  EXPECT_EQ(early.FrameScrollBar()->GetScrollPos(), 10);
  EXPECT_TRUE(MessageTexts().empty());
}

// The working copy the load opened and the companion that DataFileName names in the Windows
// folder go with the control unless the page asked to keep them. A name set after the load, or a
// name never loaded, is not the working copy.
TEST(SparwenDestroy, ReloadModeDecidesWhetherTheLoadedWorkingCopyAndTheCompanionGo)
{
  const struct {
    short reloadMode;
    bool started;
    bool renamedAfterLoad;  // DataFileName names the other file when the control goes
    bool loadedDeleted;
    bool otherDeleted;
    bool loadedCompanionDeleted;
    bool otherCompanionDeleted;
  } cases[] = {
      {0, true, false, true, false, true, false},
      {1, true, false, false, false, false, false},
      {2, true, false, true, false, true, false},
      {0, false, false, false, false, true, false},
      {1, false, false, false, false, false, false},
      {0, true, true, true, false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "ReloadMode " << c.reloadMode << (c.started ? " started" : " not started")
                                      << (c.renamedAfterLoad ? " renamed" : ""));
    vetra::ui::ResetForTests();
    vetra::testing::TempDrive drive;
    drive.WriteFile("Windows/Osc123Temp.tmp", "companion");
    drive.WriteFile("Windows/Osc456Temp.tmp", "companion");
    PutRecording(drive, Options(1), "123Temp.Ig1");
    PutRecording(drive, Options(1), "456Temp.Ig1");
    {
      Page page;
      ASSERT_TRUE(page.Make());
      CSparwenCtrl control;
      ASSERT_TRUE(control.CreateControlWindow(&page, win::CRect(0, 0, 1017, 708)));
      control.Dispatch().SetProperty(kDispReloadMode, win::COleVariant(c.reloadMode));
      control.Dispatch().SetProperty(kDispDataFileName, win::COleVariant(std::string("123Temp.Ig1")));
      if (c.started) control.Dispatch().SetProperty(kDispRunOcx, win::COleVariant(static_cast<win::SHORT>(1)));
      if (c.renamedAfterLoad) control.Dispatch().SetProperty(kDispDataFileName, win::COleVariant(std::string("456Temp.Ig1")));
      vetra::ui::Pump();
    }
    EXPECT_EQ(fs::exists(drive / "Vetra/TempE/123Temp.Ig1"), !c.loadedDeleted);
    EXPECT_EQ(fs::exists(drive / "Vetra/TempE/456Temp.Ig1"), !c.otherDeleted);
    EXPECT_EQ(fs::exists(drive / "Windows/Osc123Temp.tmp"), !c.loadedCompanionDeleted);
    EXPECT_EQ(fs::exists(drive / "Windows/Osc456Temp.tmp"), !c.otherCompanionDeleted);
  }
  vetra::ui::ResetForTests();
}

class NoSkinTest : public ControlTest {
protected:
  bool WithSkins() const override { return false; }
};

TEST_F(NoSkinTest, MissingPicturesAreReportedByNameAndTheControlGoesOn)
{
  const std::vector<std::string> texts = MessageTexts();
  ASSERT_EQ(texts.size(), 52u);
  EXPECT_EQ(texts.front(), "m_VetraLogoBmp Load Error");
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "m_PrintButtonBmp Load Error"), 3);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Load Error"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "m_JikButtonDisBmp Load Error"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "m_PlayFButtonOverBmp Load Error"), 1);

  // The children report theirs when a recording builds them, and the recording still shows.
  vetra::ui::ClearMessageBoxes();
  Load(Options(3));
  const std::vector<std::string> children = MessageTexts();
  EXPECT_EQ(children.size(), 34u + 5u);
  EXPECT_EQ(std::count(children.begin(), children.end(), "m_RightDownBmp Load Error"), 1);
  EXPECT_EQ(std::count(children.begin(), children.end(), "m_PeakVoltBmp Load Error"), 1);
  EXPECT_TRUE(control->Model().IsLoaded());
  EXPECT_EQ(PixelOf(*control->Graph(), 0, 100), CIgnGraphWnd::kFrame);
}

}  // namespace
}  // namespace sparwen::testing
