#pragma once
// Skin pictures of the ignition viewer's windows: opened from the ign folder of the report
// module's pictures when a window is created; a picture that fails is reported by its member's
// name and the window goes on without it (it then draws nothing and has no size).
#include <string>
#include <string_view>

#include "common/dib/dib.h"
#include "platform/base/win_types.h"
#include "platform/gdi/cdc.h"

namespace sparwen {

inline constexpr char kSkinFolder[] = "C:\\Vetra\\Fenmark\\Img\\ign\\";

// Opens `file` of the skin folder into `picture`; on failure shows "<failureName> Load Error"
// (or the text `failureName` alone when `appendLoadError` is false). True when loaded.
bool OpenSkin(vetra::CDib& picture, std::string_view file, std::string_view failureName, bool appendLoadError = true);
// The size of a loaded picture, 0 by 0 for one that is not.
win::SIZE SkinSize(const vetra::CDib& picture);
// Draws a loaded picture at its own size with its top-left corner at (x, y); nothing otherwise.
void DrawSkin(vetra::CDib& picture, int x, int y, win::CDC& dc);
// Draws the top-left part of a picture the size of `box` into it (a button's state pictures
// take the size of its normal picture).
void DrawSkinIn(vetra::CDib& picture, const win::RECT& box, win::CDC& dc);

// Fills a window of width x height with `background` inside a one-pixel `frame`, the ground
// every ignition window draws on.
void FillFramedPanel(win::CDC& dc, int width, int height, win::COLORREF frame, win::COLORREF background);

// The face of every text of the ignition viewer, code page 949.
const std::string& FaceName();

}  // namespace sparwen
