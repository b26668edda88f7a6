#include "controls/oscilloscope/core/layout.h"

#include "platform/base/text.h"

namespace tessial {

ScreenLayout LayoutScreen(const win::RECT& client, int channels)
{
  const auto [l, t, r, b] = client;
  ScreenLayout s;
  s.graphArea = {l, t, r - 245, b - 152};
  s.graphHeight = (b - 152) - t;
  s.timeLabelStrip = {l, b - 43, r - 245, b - 28};
  s.scrollStrip = {l, b - 28, r - 245, b};
  s.graphWidth = r - l - 265;
  s.scrollBar = {0, b - 28, (r - 245 - l) - 20, b - 10};
  const int h = s.graphHeight;
  const int gw = s.graphWidth;
  s.measurePanel = {gw + 37, 109, gw + 261, h + 107};
  s.overlay = {0, 109, gw, 109 + h};
  s.exitButton = {gw + 8, h / 2 + 97, gw + 30, h / 2 + 118};
  if (channels <= 0) return s;
  const int n = std::min(channels, kMaxSlots);
  s.slotHeight = h / n - 5;
  for (int i = 0; i < n; ++i) {
    s.graphWindows[i] = {0, h * i / n + 109, gw, h * (i + 1) / n + 109};
    const int middle = h / 2 / n + h * i / n;
    s.zoomButtons[i] = {gw + 8, middle + 97, gw + 30, middle + 118};
  }
  return s;
}

std::array<AxisLabel, 5> TimeAxisLabels(double axisValue, const ScreenLayout& layout)
{
  std::array<AxisLabel, 5> labels;
  const int gw = layout.graphWidth;
  const int n = gw / 7;
  for (int i = 0; i < 5; ++i) {
    AxisLabel& label = labels[i];
    label.text = vetra::Format("%.1f", (i - 2) * axisValue * 2);
    const int length = static_cast<int>(label.text.size());
    label.x = 10 + n / 2 - 7 * length / 2 + 2 * i * ((gw - n) / 8);
    label.y = layout.timeLabelStrip.bottom - 14;
  }
  return labels;
}

win::POINT TimeAxisUnitPoint(const ScreenLayout& layout)
{
  return {layout.timeLabelStrip.left + layout.graphWidth - 10, layout.timeLabelStrip.bottom - 14};
}

}  // namespace tessial
