#pragma once
// The chooser window: a skinned dialog with one picture button per recording type and a close
// area. A button opens a file dialog for its type; the chosen file is converted as a saved-data
// file given on the command line would be, the page viewer shows it, and the window stays open
// for the next file.

#include <array>
#include <memory>

#include "common/dib/dib.h"
#include "platform/gdi/gdi_wrappers.h"
#include "platform/ui/dialog.h"
#include "programs/chooser/chooser_layout.h"
#include "programs/chooser/message_reporter.h"

namespace lumbrel {

inline constexpr win::UINT kAboutCommand = 0x10;
inline constexpr int kHandCursor = 133;
inline constexpr int kAppIcon = 128;
// Timer that ends the pause after a chosen file, during which the buttons do nothing.
inline constexpr win::UINT_PTR kBusyTimer = 1;
inline constexpr win::UINT kBusyMs = 1500;

class CLumbrelDlg : public win::CDialog {
public:
  CLumbrelDlg();
  ~CLumbrelDlg() override;

  static win::DialogTemplate ChooserTemplate();

  win::BOOL OnInitDialog() override;

  // State the window shows, for tests.
  int HoveredButton() const { return m_hovered; }
  int PressedButton() const { return m_pressed; }
  bool IsBusy() const { return m_busy != 0; }
  const win::RECT& ButtonRect(int button) const { return m_buttonRects[static_cast<std::size_t>(button - 1)]; }

protected:
  void OnSysCommand(win::UINT id, win::LPARAM lParam) override;
  void OnPaint() override;
  win::BOOL OnEraseBkgnd(win::CDC* dc) override;
  void OnDestroy() override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  win::BOOL OnSetCursor(win::CWnd* wnd, win::UINT hitTest, win::UINT message) override;
  void OnTimer(win::UINT_PTR id) override;

private:
  // Loads every skin picture, telling the user of each one that fails, and sets the rectangles.
  void LoadSkinBitmaps();
  void FreeBitmaps();
  void OpenSavedData(int button);
  void SendSetCursor();

  vetra::CDib m_MainBmp;
  std::array<vetra::CDib, kButtonCount> m_downBmps;  // m_OscButtonDownBmp .. m_MorvitButtonDownBmp
  std::array<vetra::CDib, kButtonCount> m_overBmps;  // m_OscButtonOverBmp .. m_MorvitButtonOverBmp

  win::CRect m_backgroundRect;
  std::array<win::RECT, kButtonCount> m_buttonRects{};
  win::CRect m_windowRect;

  // The window is painted into this bitmap first and copied to the screen in one piece.
  std::unique_ptr<win::CDC> m_memDC;
  std::unique_ptr<win::CBitmap> m_memBitmap;

  int m_busy = 0;
  int m_overArea = 0;  // 1 while the cursor is over a button or the close area
  int m_hovered = 0;
  int m_pressed = 0;
  win::HICON m_hIcon = nullptr;

  // Messages go to message boxes owned by the window while it is open.
  MessageReporter m_previousReporter;
  bool m_reporting = false;
};

}  // namespace lumbrel
