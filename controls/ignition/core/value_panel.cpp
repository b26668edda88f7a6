#include "controls/ignition/core/value_panel.h"

#include <algorithm>
#include <array>

#include "controls/ignition/core/texts.h"
#include "platform/base/text.h"

namespace sparwen {

std::string ValueLabel(int valueIndex)
{
  static constexpr std::array<const char*, 5> kLabels = {"드웰시간", "점화시간", "점화전압", "피크전압", " Tr Off"};
  return valueIndex >= 0 && valueIndex < 5 ? vetra::Cp949(kLabels[static_cast<std::size_t>(valueIndex)]) : std::string();
}

std::string TitlePictureFile(int valueIndex)
{
  static constexpr std::array<const char*, 5> kFiles = {"dwell.bmp", "ig_time.bmp", "ig_volt.bmp", "peak_volt.bmp", "tr_off.bmp"};
  return valueIndex >= 0 && valueIndex < 5 ? kFiles[static_cast<std::size_t>(valueIndex)] : std::string();
}

int ValueRowCount(int ignitionKind) { return ignitionKind != 0 ? 4 : 5; }

win::RECT PanelRow(int i, int n, int width, int height)
{
  if (n <= 0) return {};
  const int band = height - kValuePanelHeaderHeight;
  return {2, kValuePanelHeaderHeight + band * i / n, width - 2, kValuePanelHeaderHeight + band * (i + 1) / n};
}

win::POINT RowNameOrigin(const win::RECT& row)
{
  const int h = (row.bottom - row.top) / 2;
  return {row.left + 10, row.top + h - 12};
}

win::POINT RowValueOrigin(const win::RECT& row, int valueBytes)
{
  const int h = (row.bottom - row.top) / 2;
  return {row.right - (9 * valueBytes + 18), row.top + h + 12};
}

win::POINT HeadingOrigin(int textWidth, int headingBytes) { return {textWidth / 2 - (9 * headingBytes) / 2, 14}; }

ValuePanelContent BuildValuePanel(const IgnitionState& state, int width, int height)
{
  ValuePanelContent panel;
  const int cylinders = std::clamp(state.Cylinders(), 0, kMaxCylinders);
  const bool known = state.graph.cylinderSync == 1;
  auto value = [&state](int row, int column) {
    if (column < 0 || column >= kValueColumns) return std::string();
    return ValueText(state.values[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)], state.unitTexts[static_cast<std::size_t>(column)]);
  };
  if (state.DisplayMode() != 3) {
    const int page = state.digitalPage;
    panel.titlePicture = page >= 0 && page < 5 ? page : -1;
    for (int p = 0; p < cylinders; ++p) {
      const int c = state.CylinderAt(p + 1);
      PanelRowContent row;
      row.rect = PanelRow(p, cylinders, width, height);
      row.shaded = p % 2 == 0;
      row.colour = known ? state.CylinderColour(c) : kUnknownCylinderColour;
      row.name = known ? vetra::Format("%d", c) + vetra::Cp949("번") : vetra::Cp949("? 번");
      row.value = value(p, page);
      panel.rows.push_back(std::move(row));
    }
    return panel;
  }
  // Without an engine there is no selected cylinder to name.
  if (cylinders == 0) return panel;
  const int s = state.SelectedIndex();
  const int c = state.CylinderAt(s + 1);
  panel.headingShown = true;
  panel.headingColour = known ? state.CylinderColour(c) : kUnknownCylinderColour;
  panel.heading = known ? vetra::Format("%d CYL", c) : vetra::Cp949("? 번");
  const int rows = ValueRowCount(state.settings.ignitionKind);
  for (int r = 0; r < rows; ++r) {
    PanelRowContent row;
    row.rect = PanelRow(r, rows, width, height);
    row.shaded = r % 2 == 0;
    row.colour = panel.headingColour;
    row.name = ValueLabel(r);
    row.value = value(s, r);
    panel.rows.push_back(std::move(row));
  }
  return panel;
}

}  // namespace sparwen
