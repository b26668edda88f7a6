#include <filesystem>

#include "controls/oscilloscope/tessial_identity.h"
#include "controls/oscilloscope/tests/control/control_fixture.h"
#include "platform/ole/testing/control_checks.h"
#include "platform/ui/message_box.h"

namespace tessial::testing {
namespace {

const std::vector<std::string> kLoaded = {"TESSIAL Run OCX Start\r\n", "TESSIAL Run OCX End\r\n"};

TEST(TessialIdentity, PropertiesInDispatchOrderWithTheStockErrorEvent)
{
  CTessialCtrl control;
  EXPECT_EQ(control.Identity().clsid, "{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}");
  EXPECT_EQ(control.Identity().progId, "TESSIAL.TessialCtrl.1");
  const vetra::testing::PropertyShape expected[] = {
      {"RunOcx", win::VT_I2}, {"DataFileName", win::VT_BSTR}, {"ErrorCode", win::VT_I2},
      {"VoltStringCh1", win::VT_BSTR}, {"VoltStringCh2", win::VT_BSTR}, {"VoltStringCh3", win::VT_BSTR},
      {"VoltStringCh4", win::VT_BSTR}, {"VoltStringCh5", win::VT_BSTR}, {"VoltStringCh6", win::VT_BSTR},
      {"ZoomChIndex", win::VT_I2}, {"ReloadMode", win::VT_I2}};
  ASSERT_NO_FATAL_FAILURE(vetra::testing::ExpectPropertiesInDispatchOrder(control.Dispatch(), expected));
  // Safe for scripting and for untrusted data, as every viewer page needs it.
  vetra::testing::ExpectSafeForScripting(control);
  ASSERT_EQ(control.Events().size(), 1u);
  EXPECT_EQ(control.Events()[0].name, "Error");
  EXPECT_EQ(control.Events()[0].dispid, win::DISPID_ERROREVENT);
}

TEST_F(ControlTest, LoadBuildsOneGraphPerShownChannelAndOpensAtTheEnd)
{
  // The page's own texts in the slots that show no channel stay as the page set them.
  for (int slot = 4; slot <= 6; ++slot) Set(vetra::Format("VoltStringCh%d", slot).c_str(), win::COleVariant(vetra::Format("page %d", slot)));
  Load(Options({Channel(0), Channel(3), Channel(7)}, 5 * 700));
  EXPECT_EQ(traces, kLoaded);
  EXPECT_EQ(Get("ErrorCode").AsShort(), 0);
  EXPECT_EQ(Get("ZoomChIndex").AsShort(), 0);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());

  const ScreenLayout& layout = control->Layout();
  for (int slot = 0; slot < 3; ++slot) {
    CScopeGraphWnd* graph = control->Graph(slot);
    ASSERT_NE(graph, nullptr) << slot;
    EXPECT_EQ(graph->GetDlgCtrlID(), 1325 + slot);
    EXPECT_EQ(graph->Type(), std::vector<int>({0, 3, 7})[slot]);
    win::CRect place;
    graph->GetWindowRect(&place);
    control->ScreenToClient(&place);
    EXPECT_EQ(place, win::CRect(layout.graphWindows[slot]));
    EXPECT_EQ(Get(vetra::Format("VoltStringCh%d", slot + 1).c_str()).AsString(), control->Model().VoltString(slot));
    EXPECT_FALSE(control->Model().VoltString(slot).empty());
  }
  EXPECT_EQ(control->Graph(3), nullptr);
  for (int slot = 4; slot <= 6; ++slot) EXPECT_EQ(Get(vetra::Format("VoltStringCh%d", slot).c_str()).AsString(), vetra::Format("page %d", slot));
  ASSERT_NE(control->Panel(), nullptr);
  EXPECT_TRUE(control->Panel()->IsWindowVisible());
  EXPECT_EQ(control->Panel()->Rows(), 3);
  ASSERT_NE(control->Overlay(), nullptr);
  EXPECT_FALSE(control->Overlay()->IsWindowVisible());

  // Five windows long: the window stands at the last of them, the bar ranges over all of them.
  const Playback& p = control->Model().State().playback;
  EXPECT_EQ(p.maxPosition, 4 * 700);
  EXPECT_EQ(p.position, p.maxPosition);
  win::CScrollBar* bar = control->FrameScrollBar();
  ASSERT_NE(bar, nullptr);
  int low = 0, high = 0;
  bar->GetScrollRange(&low, &high);
  EXPECT_EQ(high, 4 * 700);
  EXPECT_EQ(bar->GetScrollPos(), 4 * 700);
  EXPECT_TRUE(bar->IsWindowEnabled());
}

TEST_F(ControlTest, ASecondStartRebuildsTheWindowsWithoutDuplicates)
{
  Load(Options({Channel(0), Channel(1), Channel(2)}));
  const std::string secondSlot = Get("VoltStringCh2").AsString();
  ASSERT_FALSE(secondSlot.empty());
  PutRecording(drive, vetra::samples::OscBytes(Options({Channel(5)})), "other.Osc");
  Set("DataFileName", win::COleVariant("other.Osc"));
  Set("RunOcx", win::COleVariant(static_cast<win::SHORT>(0)));  // any value starts the load
  vetra::ui::Pump();
  EXPECT_NE(control->Graph(0), nullptr);
  EXPECT_EQ(control->Graph(1), nullptr);
  int graphs = 0;
  for (win::CWnd* child : control->GetChildren()) graphs += child->GetDlgCtrlID() >= 1325 && child->GetDlgCtrlID() <= 1330;
  EXPECT_EQ(graphs, 1);
  // Only the shown slot's text is written; the others keep what they held.
  EXPECT_EQ(Get("VoltStringCh1").AsString(), control->Model().VoltString(0));
  EXPECT_EQ(Get("VoltStringCh2").AsString(), secondSlot);
  // A recording shorter than a window: nothing to scroll.
  EXPECT_FALSE(control->FrameScrollBar()->IsWindowEnabled());
}

TEST_F(ControlTest, ARecordingThatCannotBeOpenedSetsErrorCodeFiresErrorAndSaysSo)
{
  std::string shortHeader = vetra::samples::OscBytes(Options({Channel(0)}));
  shortHeader.resize(8000);
  std::string noChannel = vetra::samples::OscBytes(Options({Channel(0)}));
  PutInt(noChannel, osc::kBlockA + osc::kAChannels, 0);  // type 0 no longer enabled
  PutRecording(drive, shortHeader, "short.Osc");
  PutRecording(drive, noChannel, "none.Osc");
  const struct {
    const char* name;
    const char* path;  // in the message
  } cases[] = {
      {"missing.Osc", "c:\\Vetra\\TempE\\missing.Osc"},
      {"short.Osc", "c:\\Vetra\\TempE\\short.Osc"},
      {"none.Osc", "c:\\Vetra\\TempE\\none.Osc"},
      {"..\\Temp\\enviro", "c:\\Vetra\\TempE\\..\\Temp\\enviro"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // An earlier recording of two channels; nothing of it may survive the failed load.
    Load(Options({Channel(3), Channel(7)}, 5 * 700), "earlier.Osc");
    ASSERT_NE(control->Graph(1), nullptr);
    traces.clear();
    events.clear();
    vetra::ui::ClearMessageBoxes();
    Start(c.name);
    EXPECT_EQ(Get("ErrorCode").AsShort(), 1);
    EXPECT_EQ(events, std::vector<win::DISPID>{win::DISPID_ERROREVENT});
    ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
    EXPECT_EQ(vetra::ui::MessageBoxLog()[0].text, vetra::Cp949("데이터 오픈 에러 : ") + c.path);
    EXPECT_EQ(traces, std::vector<std::string>{"TESSIAL Run OCX Start\r\n"});
    // The screen is built from the defaults: one empty graph of type 0, its scale text in the
    // first slot, the other slots cleared.
    ASSERT_NE(control->Graph(0), nullptr);
    EXPECT_EQ(control->Graph(0)->Type(), 0);
    EXPECT_EQ(control->Graph(1), nullptr);
    EXPECT_EQ(control->Panel()->Rows(), 1);
    EXPECT_EQ(Get("VoltStringCh1").AsString(), "20.0 V");
    for (int slot = 2; slot <= 6; ++slot) EXPECT_EQ(Get(vetra::Format("VoltStringCh%d", slot).c_str()).AsString(), "") << slot;
    EXPECT_FALSE(control->FrameScrollBar()->IsWindowEnabled());
  }
  // The next good load clears the error.
  Load(Options({Channel(0)}));
  EXPECT_EQ(Get("ErrorCode").AsShort(), 0);
}

// The working copy the load opened and the companion DataFileName names go with the control
// unless the page asked to keep them; a name set after the load, or never loaded, is not the
// working copy.
TEST_F(ControlTest, DestroyDeletesTheLoadedWorkingCopyAndTheCompanionUnlessReloadModeIsOne)
{
  const struct {
    const char* name;
    short reloadMode;
    bool started;
    const char* nameWhenDestroyed;  // DataFileName when the control goes
    bool loadedDeleted;
    bool otherDeleted;
    bool loadedCompanionDeleted;
    bool otherCompanionDeleted;
  } cases[] = {
      {"rec.Osc", 0, true, "rec.Osc", true, false, true, false},
      {"rec.Osc", 1, true, "rec.Osc", false, false, false, false},
      {"rec.Osc", 2, true, "rec.Osc", true, false, true, false},
      {"rec.Osc", -1, true, "rec.Osc", true, false, true, false},
      {"..\\TempE\\rec.Osc", 0, true, "..\\TempE\\rec.Osc", false, false, false, false},  // not a plain name
      {"rec.Osc", 0, false, "rec.Osc", false, false, true, false},
      {"rec.Osc", 0, true, "two.Osc", true, false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.name << " reload " << c.reloadMode << (c.started ? "" : " not started") << " then " << c.nameWhenDestroyed);
    PutRecording(drive, vetra::samples::OscBytes(Options({Channel(0)})), "rec.Osc");
    PutRecording(drive, vetra::samples::OscBytes(Options({Channel(0)})), "two.Osc");
    drive.WriteFile("Windows/Oscrec.tmp", "companion");
    drive.WriteFile("Windows/Osctwo.tmp", "companion");
    auto viewer = std::make_unique<CTessialCtrl>();
    ASSERT_TRUE(viewer->CreateControlWindow(page.get(), win::CRect(0, 0, 1017, 708)));
    control.swap(viewer);
    if (c.started) {
      Start(c.name, c.reloadMode);
    } else {
      Set("ReloadMode", win::COleVariant(c.reloadMode));
    }
    Set("DataFileName", win::COleVariant(std::string(c.nameWhenDestroyed)));
    control.swap(viewer);
    traces.clear();
    viewer.reset();
    EXPECT_EQ(std::filesystem::exists(drive / "Vetra/TempE/rec.Osc"), !c.loadedDeleted);
    EXPECT_EQ(std::filesystem::exists(drive / "Vetra/TempE/two.Osc"), !c.otherDeleted);
    EXPECT_EQ(std::filesystem::exists(drive / "Windows/Oscrec.tmp"), !c.loadedCompanionDeleted);
    EXPECT_EQ(std::filesystem::exists(drive / "Windows/Osctwo.tmp"), !c.otherCompanionDeleted);
    EXPECT_EQ(traces, std::vector<std::string>{"TESSIAL : OnDestroy\r\n"});
  }
}

}  // namespace
}  // namespace tessial::testing
