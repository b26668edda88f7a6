// The road-test control as a page drives it: properties, loading, the screens and their deletion.
#include <algorithm>

#include "controls/roadtest/morvit_identity.h"
#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"
#include "platform/ui/message_box.h"

namespace morvit::testing {
namespace {

bool HasText(const vetra::gdi::DrawLog& log, const std::string& text)
{
  for (const auto& call : log.Find("TextOut")) {
    if (call.text == text) return true;
  }
  return false;
}

TEST_F(ControlTest, PropertiesComeInDispatchOrderAndReadBackEmpty)
{
  const struct {
    const char* name;
    int dispid;
    win::COleVariant value;
  } cases[] = {
      {"DownloadFile", kDispDownloadFile, win::COleVariant("http://h/a/b.RES")},
      {"ExecProcedure", kDispExecProcedure, win::COleVariant(static_cast<win::SHORT>(5))},
      {"ReadFileName", kDispReadFileName, win::COleVariant("x.RES")},
      {"ReloadMode", kDispReloadMode, win::COleVariant(static_cast<win::SHORT>(1))},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(control->Dispatch().FindName(c.name), std::optional<win::DISPID>(c.dispid)) << c.name;
    Set(c.name, c.value);
    const win::COleVariant back = Get(c.name);
    EXPECT_TRUE(back.AsString().empty() || back.AsShort() == 0) << c.name;
  }
  EXPECT_TRUE(control->Dispatch().FindName("AboutBox").has_value());
  EXPECT_EQ(control->Identity().clsid, "{445A50CA-88A0-445F-BD35-9DA86AAC0075}");
  EXPECT_EQ(control->Identity().progId, "MORVIT.MorvitCtrl.1");
}

TEST_F(ControlTest, DownloadFileNamesTheWorkingCopyFromTheClockAndTheLastPathElement)
{
  vetra::PinWallClockForTests(1'700'000'000);
  Set("DownloadFile", win::COleVariant("  http://report.host/data/2024/run.RES "));
  EXPECT_EQ(control->ReadFileName(), "1700000000run.RES");
  vetra::PinWallClockForTests(std::nullopt);
}

TEST_F(ControlTest, StepHundredLoadsAPackedRecordingAndShowsItsChannels)
{
  PutRecording("run.RES");
  vetra::gdi::ScopedDrawLog log;
  Open("run.RES");
  control->UpdateWindow();
  const RoadState& s = control->Model().State();
  ASSERT_TRUE(s.loaded);
  EXPECT_TRUE(s.dataShown);
  // The unpacked file lies beside the working copy while the recording is open.
  EXPECT_TRUE(std::filesystem::exists(Exchange("run.Dat")));
  ShowRows(2);
  log.Log().Clear();
  control->Invalidate(win::FALSE);
  control->UpdateWindow();
  const RoadState& after = control->Model().State();
  ASSERT_GE(after.shown.Count(), 2);
  const int item = after.ChannelOfRow(after.shown.Rows().front());
  const ChannelRecord& channel = after.recording.channels[static_cast<std::size_t>(item)];
  EXPECT_TRUE(HasText(log.Log(), channel.code + "   " + channel.name));
  EXPECT_TRUE(HasText(log.Log(), "A"));
  EXPECT_FALSE(log.Find("Polyline").empty());
  EXPECT_TRUE(MessageTexts().empty());
}

// Neither Esc nor Return (the window has no OK button) ends the window before the load ran.
TEST_F(ControlTest, TheLoadRunsInItsProgressWindowWhichNoKeyStops)
{
  for (const char* key : {"return", "esc"}) {
    SCOPED_TRACE(key);
    PutRecording("w.RES");
    win::CRect seen;
    vetra::ui::WhenIdle([&] {
      win::CWnd* window = win::CWnd::GetActiveWindow();
      if (window != nullptr && window != page.get()) window->GetWindowRect(&seen);
      vetra::ui::InjectKeyChord(*vetra::ui::ParseKeyChord(key));
    });
    Open("w.RES");
    EXPECT_EQ(seen.Width(), 360);
    EXPECT_EQ(seen.Height(), 176);
    EXPECT_TRUE(control->Model().State().loaded);
  }
}

TEST_F(ControlTest, TheControlDeletesWhatItMadeAndKeepsTheCopyOnlyWhenAskedAfterTheStart)
{
  const struct {
    const char* name;
    std::string file;
    bool reloadAfterStart;
    bool copyKept;
  } cases[] = {
      {"packed, not kept", "a.RES", false, false},
      {"packed, kept", "b.RES", true, true},
      {"unpacked, kept", "c.Dat", true, true},
  };
  for (const auto& c : cases) {
    PutRecording(c.file);
    // A ReloadMode set before the start is cleared by it.
    Set("ReloadMode", win::COleVariant(static_cast<win::SHORT>(1)));
    Open(c.file);
    if (c.reloadAfterStart) Set("ReloadMode", win::COleVariant(static_cast<win::SHORT>(1)));
    control->DestroyWindow();
    EXPECT_EQ(std::filesystem::exists(Exchange(c.file)), c.copyKept) << c.name;
    if (!c.file.ends_with(".Dat")) {
      EXPECT_FALSE(std::filesystem::exists(Exchange(c.file.substr(0, 1) + ".Dat"))) << c.name;
    }
    control = std::make_unique<CMorvitCtrl>();
    ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 1018, 708)));
  }
}

// After a load the copy that goes is the one the load read, not a name set later; a control that
// never loaded deletes the file its name property names, unless the page asked to keep it.
TEST_F(ControlTest, TheCopyThatGoesIsTheOneTheLoadReadOrElseTheNamedOne)
{
  const struct {
    const char* name;
    bool load;         // step 100 on a.RES before the name b.RES is set
    int step;          // a step run after the name, -1 for none
    bool keepAfterwards;  // ReloadMode = 1 as the last property set
    bool aStays, bStays;
  } cases[] = {
      {"loaded a, then named b", true, -1, false, false, true},
      {"named b, never started", false, -1, false, true, false},
      {"named b, a step that does nothing", false, 5, false, true, false},
      {"named b, kept", false, -1, true, true, true},
      {"named b, a step that does nothing, then kept", false, 5, true, true, true},
  };
  for (const auto& c : cases) {
    PutRecording("a.RES");
    PutRecording("b.RES");
    if (c.load) Open("a.RES");
    Set("ReadFileName", win::COleVariant("b.RES"));
    if (c.step >= 0) Set("ExecProcedure", win::COleVariant(static_cast<win::SHORT>(c.step)));
    if (c.keepAfterwards) Set("ReloadMode", win::COleVariant(static_cast<win::SHORT>(1)));
    control->DestroyWindow();
    EXPECT_EQ(std::filesystem::exists(Exchange("a.RES")), c.aStays) << c.name;
    EXPECT_EQ(std::filesystem::exists(Exchange("b.RES")), c.bStays) << c.name;
    control = std::make_unique<CMorvitCtrl>();
    ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 1018, 708)));
  }
}

TEST_F(ControlTest, MissingOrForeignNamesShowEmptyScreensAndTouchNothing)
{
  drive.WriteFile("Vetra/outside.RES", "x");
  for (const char* name : {"absent.RES", "../outside.RES", ""}) {
    Open(name);
    EXPECT_TRUE(control->Model().State().dataShown) << name;
    EXPECT_FALSE(control->Model().State().loaded) << name;
    EXPECT_EQ(control->Model().State().shown.Count(), 0) << name;
  }
  control->DestroyWindow();
  EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/outside.RES"));
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(ControlTest, OtherStepsDoNothingAndStepTwoHundredBuildsEmptyScreens)
{
  Set("ExecProcedure", win::COleVariant(static_cast<win::SHORT>(5)));
  EXPECT_FALSE(control->Model().State().dataShown);
  Set("ExecProcedure", win::COleVariant(static_cast<win::SHORT>(200)));
  EXPECT_TRUE(control->Model().State().dataShown);
  EXPECT_FALSE(control->Model().State().loaded);
}

TEST_F(ControlTest, StepTwoHundredAgainStartsTheViewAfresh)
{
  PutRecording("r.RES");
  Open("r.RES");
  const RoadState& s = control->Model().State();
  const std::vector<int> atStart = s.shown.Rows();
  const Page startPage = s.page;
  ASSERT_FALSE(atStart.empty());
  for (const bool zoom : {false, true}) {
    SCOPED_TRACE(zoom ? "zoom view open" : "normal view");
    control->OnScaleCloseUp(4);
    ASSERT_NE(s.page.scale, 0);
    control->RemoveDisplayedItem(0);
    vetra::ui::Pump();
    ASSERT_NE(s.shown.Rows(), atStart);
    ClickButton(SkinButton::Layout2);
    ASSERT_EQ(s.layoutMode, kLayoutOverlap);
    if (zoom) {
      ClickButton(SkinButton::Zoom);
      ASSERT_TRUE(s.zoomMode);
    }
    Set("ExecProcedure", win::COleVariant(static_cast<win::SHORT>(200)));
    vetra::ui::Pump();
    EXPECT_EQ(s.page.scale, 0);
    EXPECT_EQ(s.page.start, startPage.start);
    EXPECT_EQ(s.page.cursorA, startPage.cursorA);
    EXPECT_EQ(s.layoutMode, kLayoutParallel);
    EXPECT_EQ(s.shown.Rows(), atStart);
    EXPECT_FALSE(s.zoomMode);
    EXPECT_EQ(control->ScaleCombo()->GetCurSel(), 0);
    std::vector<int> listed;
    for (int row = 0; row < control->ItemList()->GetCount(); ++row)
      if (control->ItemList()->GetSel(row) > 0) listed.push_back(row);
    EXPECT_EQ(listed, atStart);
  }
}

TEST_F(ControlTest, ANinthItemIsRefusedWithTheMessage)
{
  PutRecording("r.RES");
  Open("r.RES");
  ShowRows(8);
  ASSERT_EQ(control->Model().State().shown.Count(), 8);
  std::vector<int> rows = control->Model().State().shown.Rows();
  int extra = 0;
  while (std::find(rows.begin(), rows.end(), extra) != rows.end()) ++extra;
  rows.push_back(extra);
  control->OnItemListSelChange(rows);
  EXPECT_EQ(control->Model().State().shown.Count(), 8);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{vetra::Cp949("8개 항목까지만 선택 할 수 있습니다.")});
}

}  // namespace
TEST_F(ControlTest, ARecordingThatCannotBeUnpackedIsReportedWithTheStopIcon)
{
  PutRecording("cut.RES");
  std::filesystem::resize_file(Exchange("cut.RES"), std::filesystem::file_size(Exchange("cut.RES")) / 2);
  Open("cut.RES");
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  const vetra::ui::MessageBoxRecord& box = vetra::ui::MessageBoxLog().back();
  EXPECT_EQ(box.caption, "Loading Error");
  EXPECT_EQ(box.type & win::MB_ICONMASK, win::MB_ICONSTOP);
}

}  // namespace morvit::testing
