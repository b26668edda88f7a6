#include "controls/oscilloscope/windows/unit_select_dlg.h"

#include <array>

#include "platform/base/text.h"
#include "platform/ui/button.h"
#include "platform/ui/message_box.h"
#include "platform/ui/styles.h"

namespace tessial {
namespace {

constexpr int kPressureEntries = 6;
constexpr int kVacuumEntries = 4;

// The text of a list entry that has no choice: the line the file holds now, so that confirming
// without a choice does not wipe a unit the lists cannot show (a vacuum "psi", say).
std::string LineKept(std::string_view path, std::size_t line)
{
  const auto lines = ReadEnviroLines(path);
  return lines && line < lines->size() ? (*lines)[line] : std::string();
}

}  // namespace

win::DialogTemplate UnitSelectTemplate()
{
  using namespace win;
  constexpr DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN;
  DialogTemplate t;
  t.caption = vetra::Cp949("Vetra 단위변경");
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.cx = 171;
  t.cy = 75;
  t.fontFace = vetra::Cp949("굴림");
  t.fontPoints = 14;
  t.items = {
      {"BUTTON", vetra::Cp949("압력"), -1, WS_VISIBLE | BS_GROUPBOX, 7, 7, 77, 38},
      {"BUTTON", vetra::Cp949("진공"), -1, WS_VISIBLE | BS_GROUPBOX, 87, 7, 77, 38},
      {"COMBOBOX", "", kIdPressureList, kList, 15, 21, 56, 69},
      {"COMBOBOX", "", kIdVacuumList, kList, 99, 21, 56, 66},
      {"BUTTON", vetra::Cp949("확인"), IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 54, 155, 14},
  };
  return t;
}

CUnitSelectDlg::CUnitSelectDlg(win::CWnd* parent, std::string enviroPath)
    : CDialog(UnitSelectTemplate(), parent), m_enviroPath(std::move(enviroPath))
{
}

void CUnitSelectDlg::DoDataExchange(win::CDataExchange* dx)
{
  CDialog::DoDataExchange(dx);
  win::DDX_Control(dx, kIdVacuumList, m_vacuumList);
  win::DDX_Control(dx, kIdPressureList, m_pressureList);
}

win::BOOL CUnitSelectDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  for (const char* entry : {"kpa", "bar", "kg/cm2", "mHg"}) m_pressureList.AddString(entry);
  m_pressureList.AddString(vetra::Cp949("V(전압)").c_str());
  m_pressureList.AddString("psi");
  for (const char* entry : {"kpa", "mbar", "mmHg"}) m_vacuumList.AddString(entry);
  m_vacuumList.AddString(vetra::Cp949("V(전압)").c_str());

  const UnitChoice read = ReadUnitSettings({m_pressureIndex, m_vacuumIndex}, m_enviroPath);
  m_pressureIndex = read.pressure;
  m_vacuumIndex = read.vacuum;
  m_pressureList.SetCurSel(m_pressureIndex >= 0 && m_pressureIndex < kPressureEntries ? m_pressureIndex : -1);
  m_vacuumList.SetCurSel(m_vacuumIndex >= 0 && m_vacuumIndex < kVacuumEntries ? m_vacuumIndex : -1);
  return win::TRUE;
}

void CUnitSelectDlg::OnOK()
{
  const int pressure = m_pressureList.GetCurSel();
  const int vacuum = m_vacuumList.GetCurSel();
  const std::string pressureLine = pressure >= 0 ? PressureLineOf(pressure) : LineKept(m_enviroPath, 0);
  const std::string vacuumLine = vacuum >= 0 ? VacuumLineOf(vacuum) : LineKept(m_enviroPath, 1);
  // A file that cannot be written keeps the units the viewer shows, and the user hears why the
  // choice did not take.
  if (!WriteUnitSettings(pressureLine, vacuumLine, m_enviroPath))
    win::AfxMessageBox(UnitSettingsNotSavedText(m_enviroPath), win::MB_OK);
  CDialog::OnOK();
}

}  // namespace tessial
