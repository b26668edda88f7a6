#pragma once
// The vehicle information of the open recording, read-only: maker, model, system, vehicle number
// and symptom, on the viewer's skin pictures, closed by the drawn end button.
#include "controls/roadtest/core/recording.h"
#include "controls/roadtest/windows/skinned_dialog.h"

namespace morvit {

class CVehicleInfoDlg : public CSkinnedDialog {
public:
  static constexpr int kMakerEdit = 242;  // .. 246 for the symptom

  explicit CVehicleInfoDlg(win::CWnd* owner);
  void SetHeader(const VehicleHeader& header) { m_header = header; }

protected:
  win::BOOL OnInitDialog() override;
  void OnPaint() override;
  win::HBRUSH OnCtlColor(win::CDC* dc, win::CWnd* control, win::UINT ctlColor) override;

private:
  win::CBrush m_white{win::RGB(255, 255, 255)};
  VehicleHeader m_header;
};

}  // namespace morvit
