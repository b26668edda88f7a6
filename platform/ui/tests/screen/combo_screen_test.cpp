// A dialog's combo box bound to a member drops as far as its template's height allows when the
// user clicks its arrow on screen.
#include <string>

#include "platform/base/testing/x_screen.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/dialog.h"
#include "platform/ui/styles.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/tests/screen/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

constexpr int kListId = 100;

// A list of units 56 by 69 dialog units, as the oscilloscope's unit dialog has.
class UnitsDialog : public win::CDialog {
public:
  UnitsDialog()
      : CDialog(win::DialogTemplate{"units", win::WS_POPUP | win::WS_VISIBLE, 100, 100, 120, 90, "", 9,
                                    {{"COMBOBOX", "", kListId, win::WS_VISIBLE | win::WS_TABSTOP | win::WS_VSCROLL | win::CBS_DROPDOWNLIST,
                                      8, 8, 56, 69}}})
  {
  }
  void DoDataExchange(win::CDataExchange* dx) override { win::DDX_Control(dx, kListId, list); }
  win::BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    for (const char* unit : {"kpa", "bar", "kg/cm2", "mHg", "V", "psi"}) list.AddString(unit);
    list.SetCurSel(0);
    return win::TRUE;
  }
  win::CComboBox list;
};

using CombosOnScreen = ScreenFixture;

TEST_F(CombosOnScreen, TheListDropsWithRoomForAllSixUnits)
{
  UnitsDialog dialog;
  ASSERT_TRUE(dialog.Create(dialog.Template(), nullptr));
  ASSERT_FALSE(XWindowOf(dialog).empty());
  win::CRect field;
  dialog.list.GetWindowRect(&field);
  const int row = field.Height() - 8;  // the field is one row high and 8 pixels more
  // A first click may only make the window active: click on the arrow until the list drops.
  ASSERT_TRUE(vetra::testing::Xdotool({"mousemove", "--sync", std::to_string(field.right - 8),
                                       std::to_string(field.top + field.Height() / 2)}));
  ASSERT_TRUE(RunUntil([&] {
    vetra::testing::Xdotool({"click", "1"});
    return RunUntil([&] { return dialog.list.GetDroppedState() != 0; }, std::chrono::seconds(1));
  }));
  win::CRect dropped;
  dialog.list.GetDroppedList()->GetWindowRect(&dropped);
  EXPECT_GE(dropped.Height(), 6 * row);
  // On screen the list's ground reaches down past the fifth row.
  const std::uint32_t ground = win::GetSysColor(win::COLOR_WINDOW) & 0xFFFFFF;
  EXPECT_TRUE(RunUntil([&] { return vetra::testing::XScreenPixel(field.right - 4, field.bottom + 5 * row + row / 2) == ground; },
                       std::chrono::seconds(5)));
  dialog.DestroyWindow();
}

}  // namespace
}  // namespace vetra::ui::testing
