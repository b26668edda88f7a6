#include "controls/scandata/windows/drawn_buttons.h"

namespace quarnel {
namespace {

struct Entry {
  DrawnButtonPlace place;
  const char* base;
  // Hit area: x from left to right and y from top to bottom, each bound inclusive or not.
  int left, right, top, bottom;
  bool leftIn, rightIn, topIn, bottomIn;
};

// Band of the upper buttons: 70 < y <= 96; the playback buttons: 72 <= y < 96.
constexpr Entry kEntries[kDrawnButtonCount] = {
    {{{11, 71}, {78, 26}, {10, 70, 88, 97}}, "BtnPrint", 10, 87, 70, 96, false, true, false, true},
    {{{89, 71}, {78, 26}, {88, 70, 166, 97}}, "BtnGrap", 89, 165, 70, 96, true, true, false, true},
    {{{167, 71}, {90, 26}, {166, 70, 256, 97}}, "BtnTrig", 167, 256, 70, 96, true, false, false, true},
    {{{257, 71}, {90, 26}, {256, 70, 346, 97}}, "BtnItem", 256, 346, 70, 96, false, false, false, true},
    {{{809, 72}, {26, 25}, {808, 71, 834, 96}}, "BtnStart", 809, 833, 72, 96, true, true, true, false},
    {{{843, 72}, {26, 25}, {842, 71, 868, 96}}, "BtnFRePlay", 843, 867, 72, 96, true, true, true, false},
    {{{876, 72}, {26, 25}, {875, 71, 901, 96}}, "BtnRePlay", 876, 900, 72, 96, true, true, true, false},
    {{{907, 72}, {26, 25}, {906, 71, 932, 96}}, "BtnPlay", 907, 931, 72, 96, true, true, true, false},
    {{{937, 72}, {26, 25}, {936, 71, 962, 96}}, "BtnFPlay", 937, 961, 72, 96, true, true, true, false},
    {{{967, 72}, {25, 25}, {966, 71, 991, 96}}, "BtnEnd", 967, 990, 72, 96, true, true, true, false},
};

bool Within(int v, int low, int high, bool lowIn, bool highIn)
{
  return (lowIn ? v >= low : v > low) && (highIn ? v <= high : v < high);
}

}  // namespace

const DrawnButtonPlace& PlaceOf(DrawnButton button) { return kEntries[static_cast<int>(button)].place; }

std::optional<DrawnButton> DrawnButtonAt(win::POINT p, bool graphView)
{
  for (int i = 0; i < kDrawnButtonCount; ++i) {
    const Entry& e = kEntries[i];
    if (!Within(p.x, e.left, e.right, e.leftIn, e.rightIn) || !Within(p.y, e.top, e.bottom, e.topIn, e.bottomIn)) continue;
    const auto button = static_cast<DrawnButton>(i);
    if (button == DrawnButton::itemValue && !graphView) return std::nullopt;
    return button;
  }
  return std::nullopt;
}

bool InItemValueArea(win::POINT p) { return DrawnButtonAt(p, true) == DrawnButton::itemValue; }

std::string PictureName(const std::string& base, ButtonState state)
{
  switch (state) {
    case ButtonState::pressed: return base + "_D";
    case ButtonState::disabled: return base + "_Dis";
    case ButtonState::hover: return base + "_O";
    case ButtonState::normal: break;
  }
  return base + "_N";
}

std::string SkinPath(const std::string& pictureName) { return "C:\\Vetra\\Fenmark\\Img\\Scantool\\" + pictureName + ".bmp"; }

void DrawnButtons::LoadAll()
{
  top_.Open(kTopImagePath);
  for (int i = 0; i < kDrawnButtonCount; ++i) {
    const auto b = static_cast<DrawnButton>(i);
    slots_[Index(b)].picture.clear();
    Show(b, kEntries[i].base, b == DrawnButton::graphText ? ButtonState::disabled : ButtonState::normal);
  }
}

void DrawnButtons::Show(DrawnButton b, const std::string& base, ButtonState state)
{
  Slot& slot = slots_[Index(b)];
  slot.base = base;
  slot.state = state;
  const std::string picture = PictureName(base, state);
  if (picture == slot.picture) return;
  slot.picture = picture;
  // A missing picture leaves the button undrawn; the control goes on.
  slot.dib.Open(SkinPath(picture).c_str());
}

void DrawnButtons::Draw(win::CDC& dc, bool graphView)
{
  top_.DrawUnscaled(0, 0, top_.m_width, top_.m_height, &dc);
  for (int i = 0; i < kDrawnButtonCount; ++i) {
    const auto b = static_cast<DrawnButton>(i);
    if (b == DrawnButton::itemValue && !graphView) continue;
    const DrawnButtonPlace& place = kEntries[i].place;
    slots_[Index(b)].dib.DrawUnscaled(place.at.x, place.at.y, place.size.cx, place.size.cy, &dc);
  }
}

}  // namespace quarnel
