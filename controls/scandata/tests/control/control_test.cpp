// The control as a page sees it: identity and properties, the load through the properties, the
// item lists and the choice of graph items, and what becomes of the working copy.
#include <filesystem>

#include "controls/scandata/quarnel_identity.h"
#include "controls/scandata/tests/control/control_fixture.h"
#include "platform/ole/testing/control_checks.h"
#include "platform/base/text.h"
#include "platform/ui/message_box.h"

namespace quarnel::testing {
namespace {

namespace fs = std::filesystem;

TEST(QuarnelIdentity, PropertiesInDispatchOrderAndTheUnfiredEvents)
{
  CQuarnelCtrl control;
  EXPECT_EQ(control.Identity().clsid, "{16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E}");
  EXPECT_EQ(control.Identity().progId, "BRINDLE.BrindleCtrl.1");
  const vetra::testing::PropertyShape expected[] = {
      {"RunPrint", win::VT_I2}, {"RunScantool", win::VT_I2}, {"RunEcuId", win::VT_BSTR},
      {"RunDtc", win::VT_BSTR}, {"RunActuator", win::VT_I2}, {"ReturnActuator", win::VT_I2},
      {"RpmData", win::VT_BSTR}, {"Maker", win::VT_BSTR}, {"Car", win::VT_BSTR}, {"SystemI", win::VT_BSTR},
      {"SystemII", win::VT_BSTR}, {"StopMode", win::VT_I2}, {"SubMenuMode", win::VT_I2},
      {"Cylinder", win::VT_BSTR}, {"Igntype", win::VT_BSTR}, {"Fireorder", win::VT_BSTR},
      {"StopHelp", win::VT_I2}, {"RunAddOn", win::VT_I2}, {"SaveDataFilePath", win::VT_BSTR},
      {"ReloadMode", win::VT_I2}};
  ASSERT_NO_FATAL_FAILURE(vetra::testing::ExpectPropertiesInDispatchOrder(control.Dispatch(), expected));
  const std::vector<std::string> events = {"SetData", "SendRpm", "StopMode", "SetHelp", "StopChange", "MenuDisable", "DtcReload", "AddOnBtnSet"};
  ASSERT_EQ(control.Events().size(), events.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(control.Events()[i].name, events[i]);
    EXPECT_EQ(control.Events()[i].dispid, static_cast<win::DISPID>(i + 1));
  }
  vetra::testing::ExpectSafeForScripting(control);
}

TEST_F(ControlTest, PropertiesThatCarryNothingReadBackTheirFixedValues)
{
  // Before a file is read.
  EXPECT_EQ(Get("RunEcuId").AsString(), "");
  for (const char* name : {"Maker", "Car", "SystemI", "SystemII", "Cylinder", "Igntype", "Fireorder", "RunDtc"}) {
    Set(name, win::COleVariant(std::string("12")));
    EXPECT_EQ(Get(name).AsString(), "") << name;
  }
  for (const char* name : {"RunActuator", "ReturnActuator", "SubMenuMode", "StopHelp", "RunAddOn", "ReloadMode"}) {
    SetShort(name, 1);
    EXPECT_EQ(Get(name).AsShort(), 0) << name;
  }
  control->SetModifiedFlag(win::FALSE);
  for (const int value : {0, 7, 200, 207}) SetShort("RunScantool", value);
  EXPECT_TRUE(control->IsModified());
  EXPECT_EQ(Get("RunScantool").AsShort(), 0);
  EXPECT_EQ(control->UpperList(), nullptr);  // nothing was built
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());
}

TEST_F(ControlTest, LoadFillsTheListsWithNamesValuesAndUnitsAndOpensTheGraphView)
{
  vetra::samples::ScanOptions options = SampleOptions(12, 600);
  options.systemText = "SIRIUS-II";
  LoadSample(options);
  EXPECT_EQ(Get("RunEcuId").AsString(), "SIRIUS-II");
  EXPECT_EQ(Get("StopMode").AsShort(), 1);
  ASSERT_FALSE(traces.empty());
  EXPECT_TRUE(traces[0].starts_with("EcuID: ")) << traces[0];

  // The graph view with the first eight recorded items and a remove button beside each.
  EXPECT_EQ(control->Model().State().view, View::graph);
  EXPECT_FALSE(control->UpperList()->IsWindowVisible());
  EXPECT_FALSE(control->ChooserList()->IsWindowVisible());
  EXPECT_TRUE(control->PositionBar()->IsWindowEnabled());
  for (int i = 0; i < 8; ++i) {
    CRemoveButtonWnd& button = *control->RemoveButton(i);
    EXPECT_TRUE(button.IsWindowVisible()) << i;
    EXPECT_EQ(button.GetDlgCtrlID(), 1325 + i);
    win::CRect place;
    button.GetWindowRect(&place);
    control->ScreenToClient(&place);
    EXPECT_EQ(place, win::CRect(control->Model().State().layout.slots[static_cast<std::size_t>(i)].removeButton));
  }

  ClickAt(120, 80);  // graph/text
  EXPECT_EQ(control->Model().State().view, View::text);
  CTableListWnd& upper = *control->UpperList();
  CTableListWnd& lower = *control->LowerList();
  ASSERT_TRUE(upper.IsWindowVisible());
  ASSERT_TRUE(lower.IsWindowVisible());
  win::CRect place;
  upper.GetWindowRect(&place);
  control->ScreenToClient(&place);
  EXPECT_EQ(place, win::CRect(3, 109, 1009, 109 + 36 + 31 * 8));
  lower.GetWindowRect(&place);
  control->ScreenToClient(&place);
  EXPECT_EQ(place, win::CRect(3, 144 + 31 * 8, 1009, 677));
  ASSERT_EQ(upper.RowCount(), 8);
  ASSERT_EQ(lower.RowCount(), 4);
  EXPECT_EQ(upper.Rows()[0].image, 1);
  EXPECT_EQ(lower.Rows()[0].image, 0);
  // The items not on the graph come in id order: item 0, the engine speed, heads the lower list.
  const std::vector<std::string>& engine = lower.Rows()[0].texts;
  EXPECT_EQ(engine[1], vetra::Cp949("엔진회전수"));
  EXPECT_NE(engine[3].find("RPM"), std::string::npos) << engine[3];
  for (const int column : {2, 4, 5}) EXPECT_FALSE(engine[static_cast<std::size_t>(column)].empty()) << column;
  // The rows show the sample at the position: to the end, and the value is the last sample's.
  ClickAt(978, 84);
  EXPECT_EQ(Position(), 599);
  ScanTextContext text = control->Model().State().text;
  EXPECT_EQ(control->LowerList()->Rows()[0].texts[2], text.ItemValueText(0, control->Model().State().recording.Sample(0, 599)));
}

TEST_F(ControlTest, TextViewMovesRowsBetweenTheListsUpToEightGraphItems)
{
  LoadSample(SampleOptions(12, 300));
  ClickAt(120, 80);
  CTableListWnd& upper = *control->UpperList();
  CTableListWnd& lower = *control->LowerList();

  vetra::ui::QueueMessageBoxAnswer(win::IDOK);
  vetra::ui::Click(lower, lower.CellPoint(1, 0));  // the image column: a ninth item is refused
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(vetra::ui::MessageBoxLog()[0].text, vetra::Cp949("항목명은 8개만 선택할수 있습니다."));
  EXPECT_EQ(vetra::ui::MessageBoxLog()[0].caption, vetra::Cp949("항목선택"));
  EXPECT_EQ(vetra::ui::MessageBoxLog()[0].type & win::MB_ICONMASK, win::MB_ICONEXCLAMATION);
  EXPECT_EQ(upper.RowCount(), 8);

  // Both lists take the size of their rows at every move.
  const auto expectPlaces = [&](int shown) {
    win::CRect place;
    upper.GetWindowRect(&place);
    control->ScreenToClient(&place);
    EXPECT_EQ(place, win::CRect(3, 109, 1009, 109 + 36 + 31 * shown)) << shown;
    lower.GetWindowRect(&place);
    control->ScreenToClient(&place);
    EXPECT_EQ(place, win::CRect(3, 144 + 31 * shown, 1009, 677)) << shown;
  };
  vetra::ui::Click(upper, upper.CellPoint(0, 2));  // a single click on a text moves nothing
  EXPECT_EQ(upper.RowCount(), 8);
  vetra::ui::Click(upper, upper.CellPoint(0, 0));
  EXPECT_EQ(upper.RowCount(), 7);
  expectPlaces(7);
  vetra::ui::Click(upper, upper.CellPoint(0, 0));
  EXPECT_EQ(upper.RowCount(), 6);
  expectPlaces(6);
  vetra::ui::Click(lower, lower.CellPoint(1, 0));
  ASSERT_EQ(upper.RowCount(), 7);
  expectPlaces(7);
  const std::string moved = lower.Rows()[1].texts[1];
  vetra::ui::Click(lower, lower.CellPoint(1, 0));
  ASSERT_EQ(upper.RowCount(), 8);
  expectPlaces(8);
  EXPECT_EQ(upper.Rows()[7].texts[1], moved);
  EXPECT_EQ(upper.Rows()[7].image, 1);
  EXPECT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
}

TEST_F(ControlTest, TheChooserTogglesGraphItemsAndKeepsTheLastOne)
{
  LoadSample(SampleOptions(10, 300));
  ClickAt(300, 80);  // item/value: the chooser replaces the remove buttons
  CTableListWnd& chooser = *control->ChooserList();
  ASSERT_TRUE(chooser.IsWindowVisible());
  EXPECT_FALSE(control->RemoveButton(0)->IsWindowVisible());
  EXPECT_EQ(control->Buttons().Picture(DrawnButton::itemValue), "BtnValue_O");  // the pointer is still on it
  ASSERT_EQ(chooser.RowCount(), 10);
  EXPECT_TRUE(chooser.Rows()[0].texts[0].starts_with(vetra::Cp949("★ ")));
  EXPECT_TRUE(chooser.Rows()[8].texts[0].starts_with("   "));

  vetra::ui::QueueMessageBoxAnswer(win::IDOK);
  vetra::ui::Click(chooser, chooser.CellPoint(8, 0));  // a ninth graph item
  EXPECT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(control->Model().State().ShownCount(), 8);

  for (int row = 0; row < 8; ++row) vetra::ui::Click(chooser, chooser.CellPoint(row, 0));
  EXPECT_EQ(control->Model().State().ShownCount(), 1);  // the last one stays
  EXPECT_TRUE(chooser.Rows()[7].texts[0].starts_with(vetra::Cp949("★ ")));
  EXPECT_EQ(Get("StopMode").AsShort(), 1);

  ClickAt(300, 80);  // back to the remove buttons, one per graph
  EXPECT_FALSE(chooser.IsWindowVisible());
  EXPECT_TRUE(control->RemoveButton(0)->IsWindowVisible());
  EXPECT_FALSE(control->RemoveButton(1)->IsWindowVisible());
}

TEST_F(ControlTest, RemoveButtonsTakeAnItemOffTheGraph)
{
  LoadSample(SampleOptions(3, 300));
  const int second = control->Model().GraphItemId(1);
  vetra::ui::Click(*control->RemoveButton(0), {10, 10});
  ASSERT_EQ(control->Model().State().ShownCount(), 2);
  EXPECT_EQ(control->Model().GraphItemId(0), second);
  EXPECT_FALSE(control->RemoveButton(2)->IsWindowVisible());
  vetra::ui::Click(*control->RemoveButton(1), {10, 10});
  vetra::ui::Click(*control->RemoveButton(0), {10, 10});  // the last graph stays
  EXPECT_EQ(control->Model().State().ShownCount(), 1);
}

TEST_F(ControlTest, TheWorkingCopyGoesWithTheControlUnlessKeptAfterTheLoad)
{
  const struct {
    int before, after;  // ReloadMode before RunScantool = 1 and after it (-1: not set)
    bool kept;
  } cases[] = {{1, -1, false}, {0, 1, true}, {1, 0, false}, {0, 2, false}};
  for (const auto& c : cases) {
    SetUp();
    drive.WriteFile("Vetra/TempE/keep.SCN", Ramp(20).Str());
    SetShort("ReloadMode", c.before);
    Set("SaveDataFilePath", win::COleVariant(std::string("keep.SCN")));
    SetShort("RunScantool", 1);
    if (c.after >= 0) SetShort("ReloadMode", c.after);
    EXPECT_EQ(Get("ReloadMode").AsShort(), 0);
    control.reset();
    EXPECT_EQ(fs::exists(drive / "Vetra/TempE/keep.SCN"), c.kept) << c.before << " " << c.after;
    TearDown();
  }
}

TEST_F(ControlTest, AWorkingCopyNameThatIsNoPlainNameReadsNothingAndDeletesNothing)
{
  drive.WriteFile("Vetra/victim.SCN", Ramp(20).Str());
  Start("..\\victim.SCN");
  EXPECT_FALSE(control->Model().State().Loaded());
  EXPECT_FALSE(control->PositionBar()->IsWindowEnabled());
  control.reset();
  EXPECT_TRUE(fs::exists(drive / "Vetra/victim.SCN"));
}

TEST_F(ControlTest, ASecondLoadReusesTheWindowsAndForgetsTheFirstRecording)
{
  LoadSample(SampleOptions(12, 300));
  CTableListWnd* upper = control->UpperList();
  SetShort("RunScantool", 205);  // running when the next load comes
  LoadBytes(Ramp(50));
  EXPECT_EQ(control->UpperList(), upper);
  EXPECT_EQ(control->Model().State().ShownCount(), 1);
  EXPECT_EQ(control->ChooserList()->RowCount(), 1);
  vetra::ui::AdvanceClock(100);
  EXPECT_EQ(Position(), 0);  // the timer of the first recording is gone

  // A recording that cannot be read leaves empty screens, not the last one's.
  Start("missing.SCN");
  EXPECT_EQ(control->Model().State().view, View::text);
  EXPECT_TRUE(control->UpperList()->IsWindowVisible());
  EXPECT_EQ(control->UpperList()->RowCount() + control->LowerList()->RowCount(), 0);
  EXPECT_FALSE(control->RemoveButton(0)->IsWindowVisible());
  EXPECT_FALSE(control->PositionBar()->IsWindowEnabled());
  EXPECT_EQ(control->Buttons().Picture(DrawnButton::graphText), "BtnGrap_Dis");
  EXPECT_EQ(Get("RunEcuId").AsString(), "");
}

}  // namespace
}  // namespace quarnel::testing
