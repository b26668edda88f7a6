#include "platform/ui/system_menu.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "platform/gdi/cdc.h"
#include "platform/ui/menu.h"
#include "platform/ui/paint.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win {
namespace {

using detail::WindowSystem;

constexpr int kItemHeight = 19;
constexpr int kSeparatorHeight = 9;
constexpr int kTextLeft = 20;
constexpr int kBorder = 3;

// The letter an item's text marks with '&', upper case; 0 without one.
char MnemonicOf(const std::string& text)
{
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(text[i + 1]);
    return c < 0x80 ? static_cast<char>(std::toupper(c)) : 0;
  }
  return 0;
}

// The text without its '&' marks, and the part after a tab (the shortcut) apart.
struct ItemText {
  std::string label;
  std::string shortcut;
};
ItemText TextOf(const std::string& text)
{
  ItemText out;
  std::string* into = &out.label;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\t') {
      into = &out.shortcut;
      continue;
    }
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    *into += text[i];
  }
  return out;
}

bool Selectable(const CMenu::Item& item) { return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)); }

// The menu's window: the items in a column, the one under the pointer or chosen by the keys
// lit.
class MenuWindow final : public CWnd {
public:
  explicit MenuWindow(std::vector<CMenu::Item> items) : m_items(std::move(items)) {}

  SIZE Measure()
  {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    int width = 120;
    int height = 2 * kBorder;
    for (const CMenu::Item& item : m_items) {
      height += (item.flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
      const ItemText text = TextOf(item.text);
      const int shortcut = text.shortcut.empty() ? 0 : dc.GetTextExtent(text.shortcut).cx + 24;
      width = std::max(width, kTextLeft + dc.GetTextExtent(text.label).cx + shortcut + 24);
    }
    dc.SelectObject(old);
    return {width, height};
  }

  // The item at a point of the client area.
  std::optional<std::size_t> ItemAt(POINT p) const
  {
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(p)) return std::nullopt;
    int top = kBorder;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
      const int height = (m_items[i].flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
      if (p.y >= top && p.y < top + height) return i;
      top += height;
    }
    return std::nullopt;
  }

  void Light(std::optional<std::size_t> item)
  {
    if (item && !Selectable(m_items[*item])) item.reset();
    if (item == m_lit) return;
    m_lit = item;
    Invalidate(FALSE);
    UpdateWindow();
  }

  // The next selectable item from the lit one, forwards or backwards, round the end.
  void Step(int direction)
  {
    const int count = static_cast<int>(m_items.size());
    int at = m_lit ? static_cast<int>(*m_lit) : (direction > 0 ? -1 : count);
    for (int n = 0; n < count; ++n) {
      at = (at + direction + count) % count;
      if (Selectable(m_items[static_cast<std::size_t>(at)])) {
        Light(static_cast<std::size_t>(at));
        return;
      }
    }
  }

  std::optional<std::size_t> Lit() const { return m_lit; }
  const std::vector<CMenu::Item>& Items() const { return m_items; }

protected:
  void OnPaint() override
  {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(&client, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    CRect inner = client;
    inner.DeflateRect(1, 1);
    dc.Draw3dRect(&inner, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    CFont* old = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    dc.SetBkMode(TRANSPARENT);
    int top = kBorder;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
      const CMenu::Item& item = m_items[i];
      if (item.flags & MF_SEPARATOR) {
        dc.FillSolidRect(kBorder + 1, top + kSeparatorHeight / 2 - 1, client.Width() - 2 * kBorder - 2, 1,
                         GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(kBorder + 1, top + kSeparatorHeight / 2, client.Width() - 2 * kBorder - 2, 1,
                         GetSysColor(COLOR_BTNHIGHLIGHT));
        top += kSeparatorHeight;
        continue;
      }
      CRect row(kBorder, top, client.Width() - kBorder, top + kItemHeight);
      const bool lit = m_lit == i;
      if (lit) dc.FillSolidRect(&row, GetSysColor(COLOR_HIGHLIGHT));
      const bool grey = !Selectable(item);
      dc.SetTextColor(GetSysColor(grey ? COLOR_GRAYTEXT : lit ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
      const ItemText text = TextOf(item.text);
      CRect label = row;
      label.left += kTextLeft;
      dc.DrawText(text.label, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      if (!text.shortcut.empty()) {
        CRect shortcut = row;
        shortcut.right -= 12;
        dc.DrawText(text.shortcut, &shortcut, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      }
      top += kItemHeight;
    }
    dc.SelectObject(old);
  }

private:
  std::vector<CMenu::Item> m_items;
  std::optional<std::size_t> m_lit;
};

// The screen coordinates of a mouse message's point on the menu window.
POINT ClientPoint(const MSG& msg)
{
  return {static_cast<short>(LOWORD(static_cast<std::uintptr_t>(msg.lParam))),
          static_cast<short>(HIWORD(static_cast<std::uintptr_t>(msg.lParam)))};
}

}  // namespace

bool OnSystemMenuPlace(CWnd& window, POINT screen)
{
  if (!(window.GetStyle() & WS_SYSMENU) || (window.GetStyle() & WS_CHILD)) return false;
  const int hit = static_cast<int>(window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
  if (hit == HTCAPTION) return true;
  // A window that draws its own face (no caption of its own, nor one a window manager adds):
  // the band where a caption would be.
  if ((window.GetStyle() & WS_CAPTION) == WS_CAPTION) return false;
  CRect place;
  window.GetWindowRect(&place);
  return place.PtInRect(screen) && screen.y < place.top + GetSystemMetrics(SM_CYCAPTION);
}

void TrackSystemMenu(CWnd& window, POINT screen)
{
  CMenu* menu = window.GetSystemMenu(FALSE);
  if (!menu || menu->Items().empty()) return;
  const HWND owner = window.m_hWnd;
  auto& system = WindowSystem::Get();
  MenuWindow popup(menu->Items());
  if (!popup.CreateEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "#32768", "", WS_POPUP, CRect(screen.x, screen.y, screen.x + 1, screen.y + 1),
                      &window, 0)) {
    return;
  }
  // On the screen, whole: moved up or left where it would leave it.
  const SIZE size = popup.Measure();
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const int x = std::max(0, std::min(static_cast<int>(screen.x), screenWidth - size.cx));
  const int y = std::max(0, std::min(static_cast<int>(screen.y), screenHeight - size.cy));
  popup.SetWindowPos(nullptr, x, y, size.cx, size.cy, SWP_NOZORDER);
  popup.ShowWindow(SW_SHOWNOACTIVATE);
  popup.UpdateWindow();
  popup.SetCapture();

  std::optional<UINT> chosen;
  bool done = false;
  MSG msg;
  while (!done) {
    if (!system.State(owner) || !system.State(popup.m_hWnd) || system.active != owner) break;
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the program's loop ends too
      break;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        const UINT vk = static_cast<UINT>(msg.wParam);
        if (vk == VK_ESCAPE) {
          done = true;
        } else if (vk == VK_DOWN) {
          popup.Step(1);
        } else if (vk == VK_UP) {
          popup.Step(-1);
        } else if (vk == VK_RETURN) {
          if (popup.Lit()) chosen = popup.Items()[*popup.Lit()].id;
          done = popup.Lit().has_value();
        } else if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
          for (const CMenu::Item& item : popup.Items()) {
            if (Selectable(item) && MnemonicOf(item.text) == static_cast<char>(vk)) {
              chosen = item.id;
              done = true;
              break;
            }
          }
        }
        break;
      }
      case WM_CHAR:
      case WM_SYSCHAR:
      case WM_KEYUP:
      case WM_SYSKEYUP:
        break;  // the menu's: nothing else sees them while it is up
      case WM_MOUSEMOVE:
        if (msg.hwnd == popup.m_hWnd) popup.Light(popup.ItemAt(ClientPoint(msg)));
        break;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
        // A press outside the menu closes it.
        if (msg.hwnd != popup.m_hWnd || !popup.ItemAt(ClientPoint(msg))) done = true;
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
        if (msg.hwnd == popup.m_hWnd) {
          if (const auto item = popup.ItemAt(ClientPoint(msg)); item && Selectable(popup.Items()[*item])) {
            chosen = popup.Items()[*item].id;
            done = true;
          }
        }
        break;
      default:
        if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMOUSEMOVE + 9) {
          if (msg.message != WM_NCMOUSEMOVE) done = true;  // a press on another window's frame
          break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        break;
    }
  }
  if (GetCapture() == popup.m_hWnd) ReleaseCapture();
  if (popup.m_hWnd) popup.DestroyWindow();
  if (chosen && system.State(owner)) PostMessage(owner, WM_SYSCOMMAND, *chosen, MAKELPARAM(screen.x, screen.y));
}

}  // namespace win
