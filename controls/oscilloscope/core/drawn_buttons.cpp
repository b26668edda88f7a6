#include "controls/oscilloscope/core/drawn_buttons.h"

namespace tessial {
namespace {

constexpr int kHitOrder[] = {kForwardButton, kReverseButton, kFastForwardButton, kFastReverseButton, kStartButton,
                             kEndButton,     kPrintButton,   kUnitsButton,       kCompressButton,    kExpandButton};

bool Inside(const win::RECT& r, win::POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

void ButtonPlaces::Place(int button, int x, int y, int width, int height)
{
  if (button <= 0 || button >= static_cast<int>(m_rects.size())) return;
  m_rects[button] = {x, y, x + width, y + height};
}

win::RECT ButtonPlaces::Rect(int button) const
{
  return button > 0 && button < static_cast<int>(m_rects.size()) ? m_rects[button] : win::RECT{};
}

int ButtonPlaces::HitTest(win::POINT point) const
{
  for (const int button : kHitOrder) {
    if (Inside(m_rects[button], point)) return button;
  }
  return kNoButton;
}

win::POINT ButtonOrigin(int button)
{
  switch (button) {
    case kPrintButton: return {11, 71};
    case kCompressButton: return {733, 73};
    case kExpandButton: return {624, 73};
    case kUnitsButton: return {99, 71};
    case kForwardButton: return {908, 72};
    case kReverseButton: return {876, 72};
    case kFastForwardButton: return {937, 72};
    case kFastReverseButton: return {844, 72};
    case kStartButton: return {809, 72};
    case kEndButton: return {968, 72};
    default: return {0, 0};
  }
}

void ButtonStates::Move(int hit, bool leftHeld)
{
  hover = kNoButton;
  hoverActive = false;
  if (hit == kNoButton || (leftHeld && hit != pressed)) return;
  hover = hit;
  hoverActive = true;
}

int ButtonStates::Release(int hit)
{
  hoverActive = false;
  const int action = hit != kNoButton && hit == pressed ? hit : kNoButton;
  if (hit != kNoButton) {
    hover = hit;
    hoverActive = true;
  }
  pressed = kNoButton;
  return action;
}

void ButtonStates::LeaveForChild(bool dropPress)
{
  hover = kNoButton;
  hoverActive = false;
  if (dropPress) pressed = kNoButton;
}

}  // namespace tessial
