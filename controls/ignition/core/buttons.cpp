#include "controls/ignition/core/buttons.h"

namespace sparwen {
namespace {

bool Inside(const win::RECT& r, win::POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
bool IsButton(int b) { return b >= kPrintButton && b <= kEndButton; }

}  // namespace

bool IsButtonActive(int button, int displayMode)
{
  switch (button) {
    case kJikButton: return displayMode == 0;
    case kByunButton:
    case k3DButton:
    case kGaiButton: return displayMode >= 1 && displayMode <= 3;
    case kCylButton: return displayMode == 3;
    case kDigitalButton: return displayMode >= 0 && displayMode <= 2;
    default: return IsButton(button);
  }
}

bool HasDisabledPicture(int button)
{
  switch (button) {
    case kJikButton:
    case kByunButton:
    case k3DButton:
    case kGaiButton:
    case kCylButton:
    case kDigitalButton: return true;
    default: return false;
  }
}

std::array<win::RECT, kButtonCount> ButtonPlaces(const std::array<win::SIZE, kButtonCount>& sizes)
{
  std::array<win::RECT, kButtonCount> places{};
  auto place = [&](int button, int x, int y) {
    const win::SIZE& size = sizes[static_cast<std::size_t>(button - 1)];
    places[static_cast<std::size_t>(button - 1)] = {x, y, x + size.cx, y + size.cy};
  };
  int x = 11;
  for (int b = kPrintButton; b <= kDigitalButton; ++b) {
    place(b, x, 71);
    x += sizes[static_cast<std::size_t>(b - 1)].cx;
  }
  place(kStartButton, 809, 72);
  place(kFastReverseButton, 843, 72);
  place(kPlayReverseButton, 876, 72);
  place(kPlayForwardButton, 907, 72);
  place(kFastForwardButton, 936, 72);
  place(kEndButton, 967, 72);
  return places;
}

int ButtonTracker::HitTest(win::POINT point, int displayMode) const
{
  for (int b = kPrintButton; b <= kEndButton; ++b) {
    if (Inside(m_places[static_cast<std::size_t>(b - 1)], point)) return IsButtonActive(b, displayMode) ? b : kNoButton;
  }
  return kNoButton;
}

void ButtonTracker::MouseMove(win::POINT point, bool leftHeld, int displayMode)
{
  m_over = false;
  m_hover = kNoButton;
  const int b = HitTest(point, displayMode);
  if (b == kNoButton) return;
  if (!leftHeld || b == m_pressed) {
    m_over = true;
    m_hover = b;
  }
}

void ButtonTracker::LeftDown(win::POINT point, int displayMode) { m_pressed = HitTest(point, displayMode); }

int ButtonTracker::LeftUp(win::POINT point, int displayMode)
{
  m_over = false;
  const int b = HitTest(point, displayMode);
  const int command = b != kNoButton && b == m_pressed ? b : kNoButton;
  if (b != kNoButton) {
    m_hover = b;
    m_over = true;
  }
  m_pressed = kNoButton;
  return command;
}

void ButtonTracker::ChildDrag()
{
  m_over = false;
  m_hover = kNoButton;
}

void ButtonTracker::ChildHover()
{
  ChildDrag();
  m_pressed = kNoButton;
}

ButtonPicture ButtonTracker::Picture(int button, int displayMode) const
{
  if (m_over && m_pressed == button && IsButton(button)) return ButtonPicture::down;
  if (m_pressed == kNoButton && m_hover == button && IsButton(button)) return ButtonPicture::over;
  const bool disabled = !IsButtonActive(button, displayMode) && HasDisabledPicture(button);
  return disabled ? ButtonPicture::disabled : ButtonPicture::normal;
}

}  // namespace sparwen
