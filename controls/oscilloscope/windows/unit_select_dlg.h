#pragma once
// The unit dialog of the oscilloscope viewer: the user picks the pressure and the vacuum unit,
// which go into the settings file "enviro" when confirmed. The control owns one dialog for its
// whole life, so the dialog keeps what it last read from one showing to the next.
#include <string>

#include "controls/oscilloscope/core/unit_settings.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/dialog.h"

namespace tessial {

inline constexpr int kUnitDialogTemplate = 102;
inline constexpr int kIdPressureList = 1000;
inline constexpr int kIdVacuumList = 1001;

// The dialog's layout in dialog units, with its texts in code page 949.
win::DialogTemplate UnitSelectTemplate();

class CUnitSelectDlg : public win::CDialog {
public:
  explicit CUnitSelectDlg(win::CWnd* parent = nullptr, std::string enviroPath = kEnviroPath);

  // The unit indexes read when the dialog last opened; -1 until a settings file (or its absence,
  // which means mHg and mmHg) gave one. A list whose index is outside it shows no selection.
  int PressureIndex() const { return m_pressureIndex; }
  int VacuumIndex() const { return m_vacuumIndex; }
  win::CComboBox& PressureList() { return m_pressureList; }
  win::CComboBox& VacuumList() { return m_vacuumList; }

  win::BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(win::CDataExchange* dx) override;

private:
  std::string m_enviroPath;
  int m_pressureIndex = -1;  // 0 kpa, 1 bar, 2 kg/cm2, 3 mHg, 4 V, 5 psi
  int m_vacuumIndex = -1;    // 0 kpa, 1 mbar, 2 mmHg, 3 V; 4 psi only from the file
  win::CComboBox m_vacuumList;
  win::CComboBox m_pressureList;
};

}  // namespace tessial
