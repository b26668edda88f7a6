#include "controls/ignition/core/cylinder_bar.h"

#include <algorithm>

#include "controls/ignition/core/texts.h"

namespace sparwen {
namespace {

// Whether cylinder c (1..8) exists on an engine of `count` cylinders.
bool CylinderPresent(int cylinder, int count)
{
  if (cylinder <= 3) return true;
  if (cylinder == 4) return count > 3;
  if (cylinder <= 6) return count > 4;
  return count > 6;
}

bool IsCylinderCode(int code) { return code >= kBarFirstCylinder && code < kBarAll; }

}  // namespace

const std::array<win::POINT, kBarButtonCount>& BarButtonCorners()
{
  static constexpr std::array<win::POINT, kBarButtonCount> corners = {{
      {25, 33}, {170, 33}, {38, 76}, {87, 76}, {136, 76}, {38, 118}, {87, 118}, {136, 118}, {38, 160}, {87, 160}, {136, 160},
  }};
  return corners;
}

std::array<win::RECT, kBarButtonCount> BarButtonRects(const std::array<win::SIZE, kBarButtonCount>& sizes)
{
  std::array<win::RECT, kBarButtonCount> rects{};
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const win::POINT corner = BarButtonCorners()[i];
    rects[i] = {corner.x, corner.y, corner.x + std::max<win::LONG>(sizes[i].cx, 0), corner.y + std::max<win::LONG>(sizes[i].cy, 0)};
  }
  return rects;
}

bool BarTakesClick(int code, const IgnitionState& state)
{
  if (code == kBarRangeDown || code == kBarRangeUp) return true;
  if (IsCylinderCode(code)) return CylinderPresent(code - 2, state.Cylinders());
  return code == kBarAll && state.trend;
}

bool BarGivesHand(int code, const IgnitionState& state)
{
  if (IsCylinderCode(code)) return BarTakesClick(code, state) && (state.trend || state.DisplayMode() == 3);
  return BarTakesClick(code, state);
}

std::array<BarPicture, kBarButtonCount> BarButtonPictures(const IgnitionState& state, int pressed)
{
  std::array<BarPicture, kBarButtonCount> pictures{};
  const int range = state.graph.range;
  if (state.trend) {
    pictures[0] = pictures[1] = BarPicture::disabled;
  } else {
    pictures[1] = range >= MaxRange(state.Secondary()) ? BarPicture::disabled
                  : pressed == kBarRangeUp               ? BarPicture::down
                                                         : BarPicture::normal;
    pictures[0] = range <= 0 ? BarPicture::disabled : pressed == kBarRangeDown ? BarPicture::down : BarPicture::normal;
  }
  const bool cylindersShown = state.trend || state.DisplayMode() == 3;
  for (int cylinder = 1; cylinder <= kMaxCylinders; ++cylinder) {
    const bool normal = cylindersShown && CylinderPresent(cylinder, state.Cylinders());
    pictures[static_cast<std::size_t>(cylinder + 1)] = normal ? BarPicture::normal : BarPicture::disabled;
  }
  pictures[kBarAll - 1] = !state.trend ? BarPicture::disabled : pressed == kBarAll ? BarPicture::down : BarPicture::normal;
  return pictures;
}

std::vector<int> BarSelectedCylinders(const IgnitionState& state)
{
  std::vector<int> cylinders;
  const auto add = [&cylinders](int cylinder) {
    if (cylinder >= 1 && cylinder <= kMaxCylinders) cylinders.push_back(cylinder);
  };
  const int count = std::clamp(state.Cylinders(), 0, kMaxCylinders);
  if (state.trend) {
    for (int p = 0; p < count; ++p) {
      if (state.trendSelection[static_cast<std::size_t>(p)] == 1) add(state.engine.firingOrder[static_cast<std::size_t>(p)]);
    }
  } else if (state.DisplayMode() == 3 && count > 0) {
    add(state.engine.firingOrder[static_cast<std::size_t>(state.SelectedIndex())]);
  }
  return cylinders;
}

int BarTracker::HitTest(win::POINT point) const
{
  for (std::size_t i = 0; i < m_rects.size(); ++i) {
    const win::RECT& r = m_rects[i];
    if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) return static_cast<int>(i) + 1;
  }
  return 0;
}

void BarTracker::LeftDown(win::POINT point, const IgnitionState& state)
{
  const int code = HitTest(point);
  m_pressed = code != 0 && BarTakesClick(code, state) ? code : 0;
}

int BarTracker::LeftUp(win::POINT point, const IgnitionState& state)
{
  m_hover = false;
  int send = 0;
  const int code = HitTest(point);
  if (code != 0 && BarTakesClick(code, state)) {
    if (m_pressed == code) send = code;
    m_hover = true;
  }
  m_pressed = 0;
  return send;
}

void BarTracker::MouseMove(win::POINT point, bool leftHeld, const IgnitionState& state)
{
  m_hover = false;
  const int code = HitTest(point);
  if (code == 0 || !BarGivesHand(code, state)) return;
  m_hover = !(leftHeld && m_pressed != 0 && m_pressed != code);
}

}  // namespace sparwen
