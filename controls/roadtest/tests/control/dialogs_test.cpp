// The vehicle information dialog, the range commands, the time bar and the safety answers.
#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "controls/roadtest/windows/vehicle_info_dlg.h"
#include "controls/roadtest/windows/wave_move_dlg.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/ole/object_safety.h"
#include "platform/ui/idle.h"
#include "platform/ui/script.h"
#include "tools/skins/skin_set.h"

#include <cstdlib>

namespace morvit::testing {
namespace {

TEST_F(ControlTest, TheVehicleInformationShowsTheHeaderUntilTheEndButtonIsReleased)
{
  const char* shot = std::getenv("MORVIT_DIALOG_SCREENSHOT");
  if (shot != nullptr) {
    ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
    control = std::make_unique<CMorvitCtrl>();
    ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 1018, 708)));
  }
  PutRecording("v.RES");
  Open("v.RES");
  std::vector<std::string> texts;
  bool pressedOnEdge = false;
  vetra::ui::WhenIdle([&] {
    win::CWnd* dialog = win::CWnd::GetActiveWindow();
    if (shot != nullptr) {
      dialog->UpdateWindow();
      EXPECT_TRUE(vetra::ui::WriteScreenshot(shot, true));
    }
    for (int id = CVehicleInfoDlg::kMakerEdit; id <= CVehicleInfoDlg::kMakerEdit + 4; ++id) {
      std::string text;
      dialog->GetDlgItemText(id, text);
      texts.push_back(text);
    }
    // A press on the edge of the end button does not count; one inside does, released anywhere.
    dialog->PostMessage(win::WM_LBUTTONDOWN, 0, win::MAKELPARAM(223, 330));
    dialog->PostMessage(win::WM_LBUTTONUP, 0, win::MAKELPARAM(223, 330));
  });
  vetra::ui::WhenIdle([&] {
    win::CWnd* dialog = win::CWnd::GetActiveWindow();
    pressedOnEdge = dialog != nullptr && dialog->GetDlgItem(CVehicleInfoDlg::kMakerEdit) != nullptr;
    dialog->PostMessage(win::WM_LBUTTONDOWN, 0, win::MAKELPARAM(240, 330));
    dialog->PostMessage(win::WM_LBUTTONUP, 0, win::MAKELPARAM(5, 5));
  });
  ClickButton(SkinButton::VehicleInfo);
  EXPECT_TRUE(pressedOnEdge);  // still open after the press on the edge
  const VehicleHeader& h = control->Model().State().recording.header;
  EXPECT_EQ(texts, (std::vector<std::string>{h.maker, h.model, h.system, h.plate, h.symptom}));
  EXPECT_NE(h.symptom.find("\r\n"), std::string::npos);
}

// In the symptom box Tab moves on to the next field and Esc closes the dialog at once (without
// it, the dialog would wait for the headless limit).
TEST_F(ControlTest, TheVehicleInformationLeavesTabAndEscToTheDialogInTheSymptomBox)
{
  PutRecording("v.RES");
  Open("v.RES");
  int afterTab = 0;
  vetra::ui::WhenIdle([&] {
    win::CWnd* symptom = win::CWnd::GetActiveWindow()->GetDlgItem(CVehicleInfoDlg::kMakerEdit + 4);
    symptom->SetFocus();
    vetra::ui::PressKeys("tab");
    afterTab = win::CWnd::GetFocus()->GetDlgCtrlID();
    symptom->SetFocus();
    vetra::ui::PressKeys("esc");
  });
  const std::uint64_t start = vetra::MonotonicMs();
  ClickButton(SkinButton::VehicleInfo);
  EXPECT_EQ(afterTab, CVehicleInfoDlg::kMakerEdit);
  EXPECT_LT(vetra::MonotonicMs() - start, 1000u);
}

TEST(WaveMoveTest, StepsStayInsideTheirRangeAndPageStepsMoveByOne)
{
  const struct {
    win::UINT code;
    int from;
    int thumb;
    int to;
  } cases[] = {
      {win::SB_LINEDOWN, 150, 0, 150}, {win::SB_LINEUP, -150, 0, -150}, {win::SB_PAGEDOWN, 10, 0, 11},
      {win::SB_PAGEUP, 10, 0, 9},      {win::SB_THUMBTRACK, 0, -40, -40}, {win::SB_ENDSCROLL, 7, 0, 7},
  };
  for (const auto& c : cases) EXPECT_EQ(CWaveMoveDlg::OffsetAfter(c.code, c.from, c.thumb), c.to) << c.code << " " << c.from;
}

TEST_F(ControlTest, TheRangeButtonSwitchesBetweenNominalAndRecordedRanges)
{
  PutRecording("m.RES");
  Open("m.RES");
  const auto recorded = control->Model().State().recording.minMax;
  ClickButton(SkinButton::Range);
  EXPECT_EQ(control->Model().State().rangeMode, kRangeMinMax);
  ClickButton(SkinButton::Range);
  EXPECT_EQ(control->Model().State().rangeMode, kRangeFull);
  for (int i = 0; i < kRecordedCount; ++i) {
    EXPECT_EQ(control->Model().State().recording.minMax[static_cast<std::size_t>(i)].high, recorded[static_cast<std::size_t>(i)].high) << i;
  }
}

TEST_F(ControlTest, TheTimeBarPagesThroughTheRecording)
{
  PutRecording("t.RES");
  Open("t.RES");
  control->OnScaleCloseUp(4);  // 1:10, bar positions count hundreds of samples
  win::CScrollBar* bar = control->TimeScrollBar();
  ASSERT_NE(bar, nullptr);
  control->SendMessage(win::WM_HSCROLL, win::MAKELONG(win::SB_THUMBTRACK, 100), reinterpret_cast<win::LPARAM>(bar->m_hWnd));
  EXPECT_EQ(control->Model().State().page.start, 100 * 100);
  control->SendMessage(win::WM_HSCROLL, win::SB_PAGERIGHT, reinterpret_cast<win::LPARAM>(bar->m_hWnd));
  EXPECT_EQ(control->Model().State().page.start, (100 + 4 * 10) * 100);
  control->SendMessage(win::WM_HSCROLL, win::SB_LINELEFT, reinterpret_cast<win::LPARAM>(bar->m_hWnd));
  EXPECT_EQ(control->Model().State().page.start, (140 - 10) * 100);
}

TEST_F(ControlTest, TheControlIsSafeForItsPagesScripts)
{
  win::DWORD supported = 0;
  win::DWORD enabled = 0;
  EXPECT_EQ(control->ObjectSafety().GetInterfaceSafetyOptions(win::IID_IDispatch, &supported, &enabled), win::S_OK);
  EXPECT_NE(supported, 0u);
}

}  // namespace
}  // namespace morvit::testing
