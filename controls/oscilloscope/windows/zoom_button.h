#pragma once
// The small picture buttons beside the graphs: one zooms its channel, one ends the zoom. A click
// reaches the control as a command with the button's id. The pictures are the module's own
// bitmaps, kept in its resource folder on the drive.
#include <string>

#include "common/dib/dib.h"
#include "platform/ui/cwnd.h"

namespace tessial {

inline constexpr unsigned kZoomOutBitmap = 204;
inline constexpr unsigned kZoomBitmap = 205;

class CZoomButton : public win::CWnd {
public:
  ~CZoomButton() override;

  // A hidden child at `rect` showing the module's bitmap `bitmapId`; a missing picture leaves the
  // button blank but working.
  win::BOOL CreateButton(const char* caption, const win::RECT& rect, win::CWnd* parent, win::UINT id, unsigned bitmapId);
  bool HasPicture() const { return m_picture.m_loaded != 0; }

protected:
  void OnPaint() override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;

private:
  vetra::CDib m_picture;
  bool m_pressed = false;
};

}  // namespace tessial
