#pragma once
// The framework's bitmap button: an owner-drawn button showing one of up to four pictures
// (up, pressed, focused, disabled). A click reaches the parent as WM_COMMAND / BN_CLICKED.

#include "platform/ui/button.h"

namespace win {

class CBitmapButton : public CButton {
public:
  // Resource numbers of the pictures (see RegisterBitmapResource); 0 leaves one out.
  BOOL LoadBitmaps(UINT up, UINT selected = 0, UINT focus = 0, UINT disabled = 0);
  // Sizes the button to its up picture.
  void SizeToContent();
  void DrawItem(LPDRAWITEMSTRUCT dis) override;

  CBitmap m_bitmap;
  CBitmap m_bitmapSel;
  CBitmap m_bitmapFocus;
  CBitmap m_bitmapDisabled;
};

}  // namespace win
