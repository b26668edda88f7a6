#pragma once
// Cursors: the standard arrow, wait and text cursors and the module's own cursors (the pointing
// hand of the drawn buttons). The cursor in use is observable for tests and shown by the display.

#include "platform/base/win_types.h"
#include "platform/ui/display.h"

namespace win {

struct CursorResource {
  vetra::ui::CursorShape shape = vetra::ui::CursorShape::Arrow;
  int resourceId = 0;  // the module's resource number, 0 for a standard cursor
};
using HCURSOR = const CursorResource*;
using HINSTANCE = void*;

// Icons are named only (windows keep them; nothing draws them).
struct IconResource {
  int resourceId = 0;
};
using HICON = const IconResource*;
HICON LoadIcon(HINSTANCE instance, const char* name);

// Standard cursor names for LoadCursor(nullptr, ...).
inline const char* const IDC_ARROW = reinterpret_cast<const char*>(32512);
inline const char* const IDC_IBEAM = reinterpret_cast<const char*>(32513);
inline const char* const IDC_WAIT = reinterpret_cast<const char*>(32514);
inline const char* const IDC_HAND = reinterpret_cast<const char*>(32649);

inline const char* MAKEINTRESOURCE(int id) { return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(id)); }

// A module cursor (instance given) is the pointing hand: the only cursor resource the system's
// modules carry.
HCURSOR LoadCursor(HINSTANCE instance, const char* name);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Shows the wait cursor while it lives.
class CWaitCursor {
public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  void Restore();
};

}  // namespace win

namespace vetra::ui {
// The cursor the user sees now (the wait cursor while one is shown).
CursorShape CurrentCursor();
}  // namespace vetra::ui
