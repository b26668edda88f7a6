#include "controls/roadtest/skin_buttons.h"

namespace morvit {
namespace {

constexpr std::array<SkinButtonPlace, kSkinButtonCount> kPlaces = {{
    {{11, 71}, {11, 71, 88, 96}, {10, 70, 88, 96}},
    {{89, 71}, {89, 71, 178, 96}, {88, 70, 178, 96}},
    {{179, 71}, {179, 71, 268, 96}, {178, 70, 268, 96}},
    {{269, 71}, {269, 71, 362, 96}, {268, 70, 362, 96}},
    {{363, 71}, {363, 71, 452, 96}, {362, 70, 452, 96}},
    {{570, 74}, {570, 74, 643, 94}, {569, 73, 643, 94}},
    {{816, 75}, {816, 75, 904, 95}, {815, 74, 904, 95}},
    {{660, 72}, {660, 72, 685, 96}, {659, 71, 685, 96}},
    {{689, 72}, {689, 72, 714, 96}, {688, 71, 714, 96}},
    {{717, 72}, {717, 72, 742, 96}, {716, 71, 742, 96}},
    {{747, 72}, {747, 72, 772, 96}, {746, 71, 772, 96}},
    {{778, 72}, {778, 72, 802, 96}, {777, 71, 802, 96}},
    {{39, 142}, {766, 281, 889, 309}, {766, 281, 889, 309}},
    {{162, 142}, {889, 281, 1014, 309}, {889, 281, 1014, 309}},
}};

constexpr int kFirstPlayback = static_cast<int>(SkinButton::Start);

bool Inside(const win::RECT& r, win::POINT p) { return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom; }

const char* BaseName(SkinButton button, const SkinMode& mode)
{
  switch (button) {
    case SkinButton::Print: return "BtnPrint";
    case SkinButton::Layout1: return "BtnParrall";
    case SkinButton::Layout2: return mode.overlap ? "BtnPosition" : "BtnMulti";
    case SkinButton::Range: return mode.rangeMode == 1 ? "BtnFull" : "BtnMinMax";
    case SkinButton::VehicleInfo: return "BtnCarInfo";
    case SkinButton::Zoom: return mode.zoomOpen ? "BtnZoomOff" : "BtnZoom";
    case SkinButton::Trigger: return "BtnTrig";
    case SkinButton::Start: return "BtnStart";
    case SkinButton::Replay: return "BtnReplay";
    case SkinButton::Stop: return "BtnStop";
    case SkinButton::Play: return "BtnPlay";
    case SkinButton::End: return "BtnEnd";
    case SkinButton::AnalysisItems: return "BtnAnalysisItem";
    case SkinButton::ZoomItems: return "BtnZoomItem";
  }
  return "";
}

const char* Suffix(short state)
{
  switch (state) {
    case kPressed: return "_D";
    case kDisabled: return "_Dis";
    case kHover: return "_O";
    default: return "_N";
  }
}

}  // namespace

const SkinButtonPlace& PlaceOf(SkinButton button) { return kPlaces[static_cast<std::size_t>(button)]; }

std::string SkinPath(const std::string& file) { return std::string(kSkinFolder) + file; }

std::string ButtonPicture(SkinButton button, short state, const SkinMode& mode)
{
  // The item buttons of the zoom panel have a normal and a pressed picture.
  if ((button == SkinButton::AnalysisItems || button == SkinButton::ZoomItems) && state != kPressed) state = kNormal;
  // While playback runs the command buttons of the bar show their disabled pictures; they still
  // act (printing and the vehicle information pause the playback themselves).
  const bool dimmed = button == SkinButton::Zoom || button == SkinButton::Layout1 || button == SkinButton::Layout2 ||
                      button == SkinButton::Range || button == SkinButton::VehicleInfo || button == SkinButton::Print ||
                      button == SkinButton::Trigger;
  if (mode.playing && dimmed && state == kNormal) state = kDisabled;
  return std::string(BaseName(button, mode)) + Suffix(state) + ".bmp";
}

void SkinButtons::Reset()
{
  m_state.fill(kNormal);
  SetState(SkinButton::Layout1, kDisabled);
}

std::vector<SkinButton> SkinButtons::Hover(win::POINT point)
{
  std::vector<SkinButton> changed;
  for (int i = 0; i < kTopBarButtons; ++i) {
    const auto button = static_cast<SkinButton>(i);
    short& state = m_state[static_cast<std::size_t>(i)];
    const bool inside = Inside(kPlaces[static_cast<std::size_t>(i)].hot, point);
    bool turned = false;
    if (inside && state == kNormal) {
      state = kHover;
      turned = true;
    } else if (!inside && state == kHover) {
      state = kNormal;
      turned = true;
    }
    if (!turned) continue;
    changed.push_back(button);
    // At most one playback button changes per move.
    if (i >= kFirstPlayback) break;
  }
  return changed;
}

bool SkinButtons::Press(win::POINT point, const SkinMode& mode, bool zoomView, SkinButton& pressed)
{
  for (int i = 0; i < kSkinButtonCount; ++i) {
    const auto button = static_cast<SkinButton>(i);
    if (!Inside(kPlaces[static_cast<std::size_t>(i)].hot, point) || State(button) == kDisabled) continue;
    if (i >= kTopBarButtons && (!zoomView || mode.measureOn)) continue;
    SetState(button, kPressed);
    pressed = button;
    return true;
  }
  return false;
}

std::vector<SkinButton> SkinButtons::Release()
{
  std::vector<SkinButton> released;
  for (int i = 0; i < kSkinButtonCount; ++i) {
    if (m_state[static_cast<std::size_t>(i)] != kPressed) continue;
    m_state[static_cast<std::size_t>(i)] = kNormal;
    released.push_back(static_cast<SkinButton>(i));
    // The vehicle information dialog ends the pass.
    if (static_cast<SkinButton>(i) == SkinButton::VehicleInfo) break;
  }
  return released;
}

std::vector<SkinButton> SkinButtons::EnablePlayback(bool enable)
{
  std::vector<SkinButton> changed;
  for (SkinButton b : {SkinButton::Start, SkinButton::Replay, SkinButton::Stop, SkinButton::Play, SkinButton::End,
                       SkinButton::Trigger}) {
    SetState(b, enable ? kNormal : kDisabled);
    changed.push_back(b);
  }
  return changed;
}

}  // namespace morvit
