// The units button: the unit dialog, the settings file it writes and the units the viewer then shows.
#include <filesystem>
#include <functional>
#include <optional>

#include "controls/oscilloscope/tests/control/control_fixture.h"
#include "platform/base/testing/full_disk.h"
#include "platform/gdi/display.h"
#include "platform/ui/input.h"
#include "platform/ui/paint.h"
#include "platform/ui/system_colors.h"

namespace tessial::testing {
namespace {

constexpr char kEnviro[] = "Vetra/Temp/enviro";
constexpr int kVacuumSlot = 0;    // type 7 comes first in type order
constexpr int kPressureSlot = 1;  // type 8

class UnitsTest : public ControlTest {
protected:
  void BeforeControl() override
  {
    drive.WriteFile("Vetra/Fenmark/Img/Ign/menu_02.bmp", SolidBmp(80, 30, win::RGB(0, 0, 200)));
    drive.WriteFile("Vetra/Temp/keep", "");
  }
  void LoadPressureAndVacuum() { Load({.channels = {{.type = 7}, {.type = 8}}}); }
  // Presses the units button; `inDialog` runs while the dialog shows and ends it.
  void UseUnitsButton(std::function<void(CUnitSelectDlg&)> inDialog)
  {
    bool shown = false;
    vetra::ui::WhenIdle([&] {
      CUnitSelectDlg& dialog = control->UnitDialog();
      shown = dialog.m_hWnd != nullptr && dialog.IsWindowVisible();
      inDialog(dialog);
    });
    vetra::ui::ClickAlone(*control, {110, 80});
    EXPECT_TRUE(shown);
    EXPECT_EQ(control->UnitDialog().m_hWnd, nullptr);
  }
  static void ClickOn(win::CWnd& wnd)
  {
    win::CRect r;
    wnd.GetWindowRect(&r);
    vetra::ui::InjectMouseMove(r.CenterPoint());
    vetra::ui::InjectButton(r.CenterPoint(), 0, true);
    vetra::ui::InjectButton(r.CenterPoint(), 0, false);
  }
  std::optional<std::string> Enviro() const
  {
    if (!std::filesystem::exists(drive.Root() / kEnviro)) return std::nullopt;
    return drive.ReadFile(kEnviro);
  }
  std::string Volt(int slot) const { return Get(vetra::Format("VoltStringCh%d", slot + 1).c_str()).AsString(); }
};

// Each list drops as far as its template's height allows: all six pressure units at once.
TEST_F(UnitsTest, TheListsDropWithRoomForTheirUnits)
{
  LoadPressureAndVacuum();
  UseUnitsButton([](CUnitSelectDlg& dialog) {
    for (win::CComboBox* list : {&dialog.PressureList(), &dialog.VacuumList()}) {
      list->ShowDropDown(win::TRUE);
      win::CWnd* dropped = list->GetDroppedList();
      ASSERT_NE(dropped, nullptr);
      win::CRect field, rows;
      list->GetWindowRect(&field);
      dropped->GetWindowRect(&rows);
      // Six rows of the pressure list's template height (69 units) fit; the vacuum list's four
      // entries are shown whole.
      EXPECT_GE(rows.Height(), std::min(list->GetCount(), 5) * (field.Height() - 8)) << list->GetCount();
      EXPECT_EQ(rows.top, field.bottom);
      list->ShowDropDown(win::FALSE);
    }
    dialog.EndDialog(win::IDCANCEL);
  });
}

TEST_F(UnitsTest, TheDialogIsBuiltAsDesignedWithTheViewersDefaultUnits)
{
  LoadPressureAndVacuum();
  UseUnitsButton([](CUnitSelectDlg& dialog) {
    std::string caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, vetra::Cp949("Vetra 단위변경"));
    win::CRect client, ok;
    dialog.GetClientRect(&client);
    EXPECT_EQ(client, win::CRect(0, 0, 342, 150));
    dialog.GetDlgItem(win::IDOK)->GetWindowRect(&ok);
    dialog.ScreenToClient(&ok);
    EXPECT_EQ(ok, win::CRect(14, 108, 324, 136));
    const auto entries = [](win::CComboBox& list) {
      std::vector<std::string> texts(list.GetCount());
      for (int i = 0; i < list.GetCount(); ++i) list.GetLBText(i, texts[i]);
      return texts;
    };
    const std::string volt = vetra::Cp949("V(전압)");
    EXPECT_EQ(entries(dialog.PressureList()), (std::vector<std::string>{"kpa", "bar", "kg/cm2", "mHg", volt, "psi"}));
    EXPECT_EQ(entries(dialog.VacuumList()), (std::vector<std::string>{"kpa", "mbar", "mmHg", volt}));
    // No settings file: mHg and mmHg, as the viewer shows.
    EXPECT_EQ(dialog.PressureList().GetCurSel(), 3);
    EXPECT_EQ(dialog.VacuumList().GetCurSel(), 2);
    // Both lists show through their group boxes, each with the unit chosen in its field.
    for (win::CComboBox* list : {&dialog.PressureList(), &dialog.VacuumList()}) {
      win::detail::PaintAll();
      vetra::gdi::ComposeScreen();
      win::CRect field;
      list->GetWindowRect(&field);
      const auto at = [](int x, int y) { return vetra::gdi::ColorrefFromPixel(vetra::gdi::Screen()->Get(x, y)); };
      EXPECT_EQ(at(field.left + 4, field.top + 4), win::GetSysColor(win::COLOR_WINDOW));
      EXPECT_EQ(at(field.right - 10, field.top + 4), win::GetSysColor(win::COLOR_BTNFACE));  // the drop button
    }
    EXPECT_EQ(dialog.PressureList().GetWindowText(), "mHg");
    EXPECT_EQ(dialog.VacuumList().GetWindowText(), "mmHg");
    const win::CWnd* focus = win::CWnd::GetFocus();  // the pressure list or its edit field
    EXPECT_TRUE(focus != nullptr && (focus == &dialog.PressureList() || focus->GetParent() == &dialog.PressureList()));
    dialog.EndDialog(win::IDCANCEL);
  });
}

TEST_F(UnitsTest, OkWritesTheChosenUnitsAndTheScalesFollow)
{
  const std::string crlf3 = "\r\n\r\n\r\n";
  const struct {
    const char* name;
    std::optional<std::string> before;
    int pressure, vacuum;  // list entries chosen, -1 none
    std::string written;
    std::string pressureUnit, vacuumUnit;
  } cases[] = {
      {"psi and mbar", std::nullopt, 5, 1, "psi\r\nmbar\r\n" + crlf3, "psi", "mbar"},
      {"the voltage entries write V", std::nullopt, 4, 3, "V\r\nV\r\n" + crlf3, "V", "V"},
      {"a longer earlier file is replaced whole", "kg/cm2\r\nmmHg\r\n" + crlf3 + "left over from before\r\n", 0, 0,
       "kpa\r\nkpa\r\n" + crlf3, "KPa", "KPa"},
      // A unit the list cannot show stays in the file as it was.
      {"vacuum psi is kept", "KG/CM2\r\npsi\r\n", 1, -1, "bar\r\npsi\r\n" + crlf3, "bar", "psi"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.before) drive.WriteFile(kEnviro, *c.before);
    LoadPressureAndVacuum();
    UseUnitsButton([&](CUnitSelectDlg& dialog) {
      dialog.PressureList().SetCurSel(c.pressure);
      dialog.VacuumList().SetCurSel(c.vacuum);
      ClickOn(*dialog.GetDlgItem(win::IDOK));
    });
    EXPECT_EQ(Enviro(), c.written);
    EXPECT_TRUE(Volt(kPressureSlot).ends_with(" " + c.pressureUnit)) << Volt(kPressureSlot);
    EXPECT_TRUE(Volt(kVacuumSlot).ends_with(" " + c.vacuumUnit)) << Volt(kVacuumSlot);
    EXPECT_EQ(control->Model().State().topTexts[8], Volt(kPressureSlot));
    std::filesystem::remove(drive.Root() / kEnviro);
  }
}

// Tab from the pressure list reaches the vacuum list, whose unit Down then changes; Return
// confirms. Shift+Tab goes back through OK.
TEST_F(UnitsTest, TabDownAndReturnChangeTheVacuumUnit)
{
  LoadPressureAndVacuum();
  std::vector<int> shiftTabs;
  UseUnitsButton([&](CUnitSelectDlg& dialog) {
    const auto holder = [&] {
      win::CWnd* focus = win::CWnd::GetFocus();
      return focus && focus->GetParent() != &dialog ? focus->GetParent()->GetDlgCtrlID() : focus ? focus->GetDlgCtrlID() : 0;
    };
    for (int i = 0; i < 3; ++i) {
      vetra::ui::PressKeys("shift+tab");
      shiftTabs.push_back(holder());
    }
    for (const char* key : {"tab", "down", "return"}) vetra::ui::PressKeys(key);
  });
  EXPECT_EQ(shiftTabs, (std::vector<int>{win::IDOK, 1001, 1000}));
  EXPECT_EQ(Enviro(), "mHg\r\nV\r\n\r\n\r\n\r\n");
}

TEST_F(UnitsTest, CancelWritesNothingAndKeepsTheUnits)
{
  const struct {
    const char* name;
    std::optional<std::string> before;
    const char* key;  // the key that cancels, or none for the close box
  } cases[] = {
      {"esc without a settings file", std::nullopt, "esc"},
      {"close box with a settings file", "bar\r\nmbar\r\n", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.before) drive.WriteFile(kEnviro, *c.before);
    LoadPressureAndVacuum();
    const std::string pressure = Volt(kPressureSlot);
    UseUnitsButton([&](CUnitSelectDlg& dialog) {
      dialog.PressureList().SetCurSel(0);
      if (c.key) vetra::ui::InjectKeyChord(*vetra::ui::ParseKeyChord(c.key));
      else dialog.PostMessage(win::WM_SYSCOMMAND, win::SC_CLOSE);
    });
    EXPECT_EQ(Enviro(), c.before);
    EXPECT_EQ(Volt(kPressureSlot), pressure);
    std::filesystem::remove(drive.Root() / kEnviro);
  }
}

TEST_F(UnitsTest, UnitsThatCannotBeSavedAreSaidAndTheFileStaysAsItWas)
{
  drive.WriteFile(kEnviro, "bar\r\nmbar\r\n");
  LoadPressureAndVacuum();
  const std::string pressure = Volt(kPressureSlot);
  {
    const vetra::testing::FullDisk disk(4);
    ASSERT_TRUE(disk.Active());
    UseUnitsButton([&](CUnitSelectDlg& dialog) {
      dialog.PressureList().SetCurSel(5);
      ClickOn(*dialog.GetDlgItem(win::IDOK));
    });
  }
  EXPECT_EQ(Enviro(), "bar\r\nmbar\r\n");
  EXPECT_EQ(Volt(kPressureSlot), pressure);
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(vetra::ui::MessageBoxLog()[0].text, UnitSettingsNotSavedText("c:\\Vetra\\Temp\\enviro"));
}

// A line that names no unit leaves its list without a selection, and OK then keeps the line.
TEST_F(UnitsTest, LinesNamingNoUnitSelectNothingAndOkKeepsThem)
{
  const struct {
    const char* name;
    std::string file;
    int pressure, vacuum;  // preselected entries
  } cases[] = {
      {"binary bytes", std::string("\xff\xfe\0\x01garbage\r", 12), -1, -1},
      {"an over-long line", std::string(600, 'k') + "\r\nmbar\r\n", -1, 1},
      {"vacuum psi selects nothing", "bar\npsi", 1, -1},
      {"neither line names a unit", "foo\r\nbar\r\n", -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    drive.WriteFile(kEnviro, c.file);
    control = std::make_unique<CTessialCtrl>();  // a dialog that never read a file
    ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 1017, 708)));
    vetra::ui::ClearMessageBoxes();
    LoadPressureAndVacuum();
    const std::string pressure = Volt(kPressureSlot);
    const std::string vacuum = Volt(kVacuumSlot);
    const std::vector<std::string> original = ReadEnviroLines().value_or(std::vector<std::string>{});
    UseUnitsButton([&](CUnitSelectDlg& dialog) {
      EXPECT_EQ(dialog.PressureList().GetCurSel(), c.pressure);
      EXPECT_EQ(dialog.VacuumList().GetCurSel(), c.vacuum);
      ClickOn(*dialog.GetDlgItem(win::IDOK));
    });
    const auto lines = ReadEnviroLines();
    ASSERT_TRUE(lines.has_value());
    ASSERT_GE(lines->size(), 2u);
    if (c.pressure < 0) {
      EXPECT_EQ((*lines)[0], original.size() > 0 ? original[0] : "");
    }
    if (c.vacuum < 0) {
      EXPECT_EQ((*lines)[1], original.size() > 1 ? original[1] : "");
    }
    // The viewer's units stay what they were.
    EXPECT_EQ(Volt(kPressureSlot), pressure);
    EXPECT_EQ(Volt(kVacuumSlot), vacuum);
  }
}

}  // namespace
}  // namespace tessial::testing
