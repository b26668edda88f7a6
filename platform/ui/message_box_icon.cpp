#include "platform/ui/message_box_icon.h"

#include <cmath>

#include "platform/ui/message_box.h"
#include "platform/ui/self_drawn.h"
#include "platform/ui/system_colors.h"

namespace vetra::ui {

namespace {

using win::RGB;

constexpr win::COLORREF kWhite = RGB(255, 255, 255);
constexpr win::COLORREF kBlack = RGB(0, 0, 0);

// A row's [left, right) of a shape kMessageBoxIconSize pixels square.
struct Span {
  int left = 0;
  int right = 0;
};

// The row of a disc filling the square (a pixel belongs when its centre lies inside).
Span DiscRow(int row, int inset = 0)
{
  const double radius = kMessageBoxIconSize / 2.0 - inset;
  const double centre = kMessageBoxIconSize / 2.0;
  const double dy = row + 0.5 - centre;
  if (std::abs(dy) >= radius) return {};
  const double half = std::sqrt(radius * radius - dy * dy);
  return {static_cast<int>(std::lround(centre - half)), static_cast<int>(std::lround(centre + half))};
}

// The row of a triangle standing on the square's bottom with its point at the top centre.
Span TriangleRow(int row, int inset = 0)
{
  const int top = 1 + inset, bottom = kMessageBoxIconSize - 1 - inset;
  if (row < top || row >= bottom) return {};
  const double centre = kMessageBoxIconSize / 2.0;
  const double half = (centre - 1 - inset) * (row + 0.5 - top) / (bottom - top);
  return {static_cast<int>(std::lround(centre - half)), static_cast<int>(std::max(centre + half, centre + 1))};
}

void FillShape(win::CDC& dc, int x, int y, Span (*row)(int, int), int inset, win::COLORREF colour)
{
  for (int r = 0; r < kMessageBoxIconSize; ++r) {
    const Span s = row(r, inset);
    if (s.right > s.left) dc.FillSolidRect(x + s.left, y + r, s.right - s.left, 1, colour);
  }
}

// A sign in the middle of the icon, in a bold font.
void Sign(win::CDC& dc, int x, int y, const char* text, int height, int dy, win::COLORREF colour)
{
  win::CFont font;
  font.CreateFont(height, 0, 0, 0, win::FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  win::CFont* old = dc.SelectObject(&font);
  dc.SetBkMode(win::TRANSPARENT);
  dc.SetTextColor(colour);
  const win::CSize extent = dc.GetTextExtent(text);
  dc.TextOut(x + (kMessageBoxIconSize - extent.cx) / 2, y + (kMessageBoxIconSize - extent.cy) / 2 + dy, text);
  dc.SelectObject(old);
}

// The stop sign's cross: two bars three pixels thick from corner to corner of the inner square.
void Cross(win::CDC& dc, int x, int y, win::COLORREF colour)
{
  constexpr int from = 9, to = kMessageBoxIconSize - 9;
  for (int r = from; r < to; ++r) {
    dc.FillSolidRect(x + r - 1, y + r, 3, 1, colour);
    dc.FillSolidRect(x + kMessageBoxIconSize - 1 - r - 1, y + r, 3, 1, colour);
  }
}

}  // namespace

std::optional<MessageBoxIcon> MessageBoxIconOf(win::UINT type)
{
  switch (type & win::MB_ICONMASK) {
    case win::MB_ICONHAND: return MessageBoxIcon::Stop;
    case win::MB_ICONQUESTION: return MessageBoxIcon::Question;
    case win::MB_ICONEXCLAMATION: return MessageBoxIcon::Exclamation;
    case win::MB_ICONASTERISK: return MessageBoxIcon::Information;
    default: return std::nullopt;
  }
}

win::COLORREF MessageBoxIconColour(MessageBoxIcon icon)
{
  switch (icon) {
    case MessageBoxIcon::Stop: return RGB(210, 30, 30);
    case MessageBoxIcon::Question: return RGB(40, 90, 200);
    case MessageBoxIcon::Exclamation: return RGB(250, 200, 30);
    case MessageBoxIcon::Information: return RGB(20, 130, 220);
  }
  return kBlack;
}

void DrawMessageBoxIcon(win::CDC& dc, int x, int y, MessageBoxIcon icon)
{
  const win::COLORREF colour = MessageBoxIconColour(icon);
  switch (icon) {
    case MessageBoxIcon::Stop:
      FillShape(dc, x, y, &DiscRow, 0, RGB(120, 0, 0));
      FillShape(dc, x, y, &DiscRow, 1, colour);
      Cross(dc, x, y, kWhite);
      break;
    case MessageBoxIcon::Question:
      FillShape(dc, x, y, &DiscRow, 0, RGB(20, 50, 130));
      FillShape(dc, x, y, &DiscRow, 1, colour);
      Sign(dc, x, y, "?", 26, 0, kWhite);
      break;
    case MessageBoxIcon::Exclamation:
      FillShape(dc, x, y, &TriangleRow, 0, RGB(120, 90, 0));
      FillShape(dc, x, y, &TriangleRow, 1, colour);
      Sign(dc, x, y, "!", 22, 3, kBlack);
      break;
    case MessageBoxIcon::Information:
      FillShape(dc, x, y, &DiscRow, 0, RGB(10, 70, 140));
      FillShape(dc, x, y, &DiscRow, 1, colour);
      Sign(dc, x, y, "i", 26, 0, kWhite);
      break;
  }
}

win::BOOL MessageBoxIconWindow::Create(win::CWnd* box, win::POINT at)
{
  return CreateEx(0, "MessageBoxIcon", "", win::WS_CHILD | win::WS_VISIBLE,
                  win::CRect(at.x, at.y, at.x + kMessageBoxIconSize, at.y + kMessageBoxIconSize), box, 0xFFFF);
}

win::LRESULT MessageBoxIconWindow::DefWindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
  if (const auto answer = win::detail::AnswerDrawing(*this, message, &MessageBoxIconWindow::Draw)) return *answer;
  if (message == win::WM_NCHITTEST) return win::HTTRANSPARENT;
  return win::CWnd::DefWindowProc(message, wParam, lParam);
}

void MessageBoxIconWindow::Draw(win::CDC& dc, win::CRect client)
{
  dc.FillSolidRect(&client, win::GetSysColor(win::COLOR_BTNFACE));
  DrawMessageBoxIcon(dc, 0, 0, m_icon);
}

}  // namespace vetra::ui
