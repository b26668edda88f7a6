#pragma once
// The drawn buttons of the road-test viewer's surface: where they sit, which picture each shows
// in its state and mode, and the mouse protocol (hover, press, release). Window-free: the control
// loads the pictures, invalidates the areas and runs the commands this table names.
#include <array>
#include <string>
#include <vector>

#include "platform/base/win_types.h"

namespace morvit {

enum class SkinButton {
  Print, Layout1, Layout2, Range, VehicleInfo, Zoom, Trigger, Start, Replay, Stop, Play, End,
  AnalysisItems, ZoomItems,
};
inline constexpr int kSkinButtonCount = 14;
inline constexpr int kTopBarButtons = 12;

enum ButtonState : short { kNormal = 0, kPressed = 1, kDisabled = 2, kHover = 3 };

// What decides a button's picture besides its state.
struct SkinMode {
  bool overlap = false;   // layout button 2 shows the position picture
  int rangeMode = 1;      // 1: the range button shows "full"
  bool zoomOpen = false;  // the zoom button shows "zoom off"
  bool measureOn = false;
  bool playing = false;   // the bar's command buttons look disabled while playback runs
};

struct SkinButtonPlace {
  win::POINT at;       // where its picture is drawn (client pixels; item buttons: of the right panel)
  win::RECT hot;       // left <= x < right, top <= y < bottom
  win::RECT invalid;   // the area redrawn when its picture changes
};
const SkinButtonPlace& PlaceOf(SkinButton button);

// Picture folder and the file of a picture.
inline constexpr char kSkinFolder[] = "C:\\Vetra\\Fenmark\\Img\\Morvit\\";
std::string SkinPath(const std::string& file);
// The file a button shows in its state and the current mode (e.g. "BtnFull_O.bmp").
std::string ButtonPicture(SkinButton button, short state, const SkinMode& mode);

class SkinButtons {
public:
  SkinButtons() { Reset(); }
  // All normal except layout button 1, disabled.
  void Reset();
  short State(SkinButton button) const { return m_state[static_cast<std::size_t>(button)]; }
  void SetState(SkinButton button, short state) { m_state[static_cast<std::size_t>(button)] = state; }

  // The pointer moved: buttons that changed picture (at most one of the playback buttons).
  std::vector<SkinButton> Hover(win::POINT point);
  // Left button pressed: the button that took the press, if any.
  bool Press(win::POINT point, const SkinMode& mode, bool zoomView, SkinButton& pressed);
  // Left button released: the pressed buttons in order, now normal; their commands run.
  std::vector<SkinButton> Release();

  // Playback buttons and trigger enabled (normal) or disabled together.
  std::vector<SkinButton> EnablePlayback(bool enable);

private:
  std::array<short, kSkinButtonCount> m_state{};
};

}  // namespace morvit
