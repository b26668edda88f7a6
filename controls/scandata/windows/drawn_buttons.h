#pragma once
// The drawn buttons of the control's top band: where each is drawn, where it answers the mouse,
// what it repaints, and its skin picture for each state. Every picture swap reads the file again;
// a picture that fails to load is skipped and the band goes on without it.
#include <array>
#include <optional>
#include <string>

#include "common/dib/dib.h"
#include "platform/base/win_types.h"
#include "platform/gdi/cdc.h"

namespace quarnel {

enum class DrawnButton : int { print, graphText, trigger, itemValue, start, fastReverse, reverse, play, fastForward, end };
inline constexpr int kDrawnButtonCount = 10;

enum class ButtonState : int { normal = 0, pressed = 1, disabled = 2, hover = 3 };

struct DrawnButtonPlace {
  win::POINT at{};      // where the picture is drawn
  win::SIZE size{};     // the picture's size
  win::RECT repaint{};  // the part of the control a change repaints
};
const DrawnButtonPlace& PlaceOf(DrawnButton button);

// The button whose hit area holds the point, in table order; nothing elsewhere. The item/value
// area answers in the graph view only.
std::optional<DrawnButton> DrawnButtonAt(win::POINT point, bool graphView);
// The hit area of the item/value button, whatever the view.
bool InItemValueArea(win::POINT point);

// "<base>_N", "_D", "_Dis" or "_O" for a state.
std::string PictureName(const std::string& base, ButtonState state);
// The folder of the viewer's skin pictures and the path of one picture.
std::string SkinPath(const std::string& pictureName);
inline constexpr char kTopImagePath[] = "C:\\Vetra\\Fenmark\\Img\\Scantool\\top_image.bmp";

class DrawnButtons {
 public:
  // The first pictures of every button and the top image (the graph/text button starts disabled).
  void LoadAll();
  // Swaps button `b` to the picture of `base` in `state`; nothing when it shows that already.
  void Show(DrawnButton b, const std::string& base, ButtonState state);
  ButtonState State(DrawnButton b) const { return slots_[Index(b)].state; }
  const std::string& Base(DrawnButton b) const { return slots_[Index(b)].base; }
  // The picture shown now ("" before any).
  const std::string& Picture(DrawnButton b) const { return slots_[Index(b)].picture; }
  // Draws the top image and the buttons (the item/value button in the graph view only).
  void Draw(win::CDC& dc, bool graphView);

 private:
  static std::size_t Index(DrawnButton b) { return static_cast<std::size_t>(b); }
  struct Slot {
    std::string base;
    std::string picture;
    ButtonState state = ButtonState::normal;
    vetra::CDib dib;
  };
  std::array<Slot, kDrawnButtonCount> slots_;
  vetra::CDib top_;
};

}  // namespace quarnel
