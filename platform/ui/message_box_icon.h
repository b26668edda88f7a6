#pragma once
// The icon a message box shows beside its text, as its style asks (MB_ICONHAND, MB_ICONQUESTION,
// MB_ICONEXCLAMATION, MB_ICONASTERISK): drawn by code, a stop sign, a question, a warning
// triangle and an information sign, each kIconSize pixels square.

#include <optional>

#include "platform/gdi/cdc.h"
#include "platform/ui/cwnd.h"

namespace vetra::ui {

enum class MessageBoxIcon { Stop, Question, Exclamation, Information };

inline constexpr int kMessageBoxIconSize = 32;

// The icon a message box style asks for; none without an icon style.
std::optional<MessageBoxIcon> MessageBoxIconOf(win::UINT type);
// The colour the icon's sign is filled with.
win::COLORREF MessageBoxIconColour(MessageBoxIcon icon);
// Draws the icon with its top-left corner at (x, y).
void DrawMessageBoxIcon(win::CDC& dc, int x, int y, MessageBoxIcon icon);

// The icon as a child window of the box.
class MessageBoxIconWindow : public win::CWnd {
public:
  explicit MessageBoxIconWindow(MessageBoxIcon icon) : m_icon(icon) {}
  win::BOOL Create(win::CWnd* box, win::POINT at);

protected:
  win::LRESULT DefWindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;

private:
  void Draw(win::CDC& dc, win::CRect client);
  MessageBoxIcon m_icon;
};

}  // namespace vetra::ui
