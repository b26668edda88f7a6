#pragma once
// The chooser window as data: its skin pictures and where they go, the five buttons and the close
// area, and the file dialog each button opens. Kept apart from the window so that hit testing and
// the button table are checked without one.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/savedata/recording_kind.h"
#include "platform/base/win_types.h"

namespace lumbrel {

inline constexpr const char* kSkinFolder = "C:\\Vetra\\Fenmark\\Img\\SaveData\\";
inline constexpr const char* kBackgroundFile = "interface.bmp";
inline constexpr const char* kBackgroundMember = "m_MainBmp";
inline constexpr int kButtonCount = 5;
// The window's fill behind the skin pictures.
inline constexpr win::COLORREF kChooserBackColor = win::RGB(212, 236, 254);
// The area that ends the program.
inline constexpr win::RECT kCloseArea{392, 436, 463, 464};
// The window's size when its background picture cannot be loaded: large enough to show every
// button and the close area, with the margins the background gives them.
inline constexpr win::SIZE kSizeWithoutBackground{480, 480};

// One picture button: its pressed and hover pictures and its top-left corner; its right and
// bottom edges come from the size of its pressed picture.
struct ChooserButton {
  const char* downMember;
  const char* downFile;
  const char* overMember;
  const char* overFile;
  win::POINT topLeft;
};
const std::array<ChooserButton, kButtonCount>& ChooserButtons();

// The failure text of a skin picture that cannot be loaded.
std::string LoadErrorText(const char* member);

// What lies under a client point: 0 nothing, 1..5 a button, kCloseHit the close area. The
// buttons are tested in order, then the close area.
inline constexpr int kCloseHit = kButtonCount + 1;
int AreaAt(const std::array<win::RECT, kButtonCount>& buttons, win::POINT point);

// The file dialog of button 1..5: its filter text (code page 949, "description|pattern|" pairs)
// and the folder it starts in.
std::string ButtonFilter(int button);
std::string ButtonStartFolder(int button);

// The kind of a chosen file by its extension (the text after the last dot, any case); nothing
// for a file without one of the seven.
std::optional<savedata::RecordingKind> KindOfExtension(std::string_view path);

}  // namespace lumbrel
