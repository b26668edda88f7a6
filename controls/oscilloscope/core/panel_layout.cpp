#include "controls/oscilloscope/core/panel_layout.h"

#include <algorithm>

#include "platform/base/text.h"

namespace tessial {

std::vector<win::RECT> PanelBoxes(int width, int height, int shown)
{
  std::vector<win::RECT> boxes;
  if (shown <= 0) return boxes;
  const double step = static_cast<double>(height - 5) / shown;
  for (int i = 0; i < shown; ++i) {
    boxes.push_back({1, static_cast<int>(i * step) + 1, width - 1, static_cast<int>((i + 1) * step) - 1});
  }
  return boxes;
}

win::RECT ZoomedPanelBox(int width, int height) { return {0, 0, width, height - 2}; }

std::array<win::POINT, kReadoutCount> ReadoutPoints(int shown, int boxHeight)
{
  std::array<win::POINT, kReadoutCount> points{};
  const int h = boxHeight;
  if (shown >= 5) {
    // Two columns: duty and frequency, the two cursors, maximum and minimum, then the mean.
    const int a = shown == 6 ? h / 4 : (h - 5) / 4;
    const int top = shown == 6 ? 6 : 9;
    for (int k = 0; k < kReadoutCount; ++k) points[k] = {k % 2 == 0 ? 10 : 115, (k / 2) * a + top};
    return points;
  }
  const int a = (h - 5) / 7;
  static constexpr int kTop[] = {23, 23, 8, 4, 5};
  const int top = kTop[std::clamp(shown, 0, 4)];
  for (int k = 0; k < kReadoutCount; ++k) points[k] = {10, top + k * a};
  return points;
}

std::array<std::string, kReadoutCount> ReadoutTexts(const MeasureTexts& texts)
{
  return {vetra::Cp949("듀티 - ") + texts.duty,  vetra::Cp949("주파수 ") + texts.frequency, vetra::Cp949("커서 A ") + texts.atA,
          vetra::Cp949("커서 B ") + texts.atB,   vetra::Cp949("최대값 ") + texts.maximum,   vetra::Cp949("최소값 ") + texts.minimum,
          vetra::Cp949("평균값 ") + texts.mean};
}

PanelFont PanelFontFor(int shown)
{
  switch (shown) {
    case 2: return {23, 0, 700};
    case 3: return {20, 0, 600};
    case 4: return {14, 0, 600};
    case 5:
    case 6: return {12, 0, 600};
    default: return {26, 11, 800};
  }
}

}  // namespace tessial
