#pragma once
// Static controls: text (left, centred, right) and pictures (SS_BITMAP, sized to the picture).
// Statics let clicks pass through to the window below unless SS_NOTIFY is set.

#include "platform/ui/cwnd.h"

namespace win {

inline constexpr UINT STM_SETIMAGE = 0x0172;
inline constexpr UINT STM_GETIMAGE = 0x0173;

class CStatic : public CWnd {
public:
  BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
  // Shows a picture (SS_BITMAP); the control takes the picture's size. Returns the previous one.
  // The caller keeps owning the bitmap.
  HBITMAP SetBitmap(HBITMAP bitmap);
  HBITMAP GetBitmap() const { return m_bitmap; }

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Draw(CDC& dc, CRect client);
  HBITMAP m_bitmap = nullptr;
};

}  // namespace win
