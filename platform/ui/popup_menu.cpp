#include "platform/ui/popup_menu.h"

#include <algorithm>
#include <cctype>
#include <deque>

#include "platform/ui/control_painting.h"
#include "platform/ui/idle.h"
#include "platform/ui/mouse_point.h"
#include "platform/ui/paint.h"
#include "platform/ui/self_drawn.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace vetra::ui {

namespace {

struct PopupAnswers {
  std::deque<win::UINT> queued;
  std::vector<PopupMenuRecord> log;
};

PopupAnswers& TheAnswers()
{
  static PopupAnswers answers;
  return answers;
}

}  // namespace

void QueuePopupMenuAnswer(win::UINT id) { TheAnswers().queued.push_back(id); }
const std::vector<PopupMenuRecord>& PopupMenuLog() { return TheAnswers().log; }

void ClearPopupMenus()
{
  TheAnswers().queued.clear();
  TheAnswers().log.clear();
}

}  // namespace vetra::ui

namespace win {

namespace {

constexpr int kTextIndent = 20;    // room for a check mark on the left
constexpr int kRightMargin = 24;
constexpr int kShortcutGap = 24;   // between an item's text and its shortcut
constexpr int kRowPadding = 6;     // above and below an item's text
constexpr int kSeparatorHeight = 8;

bool Separator(const CMenu::Item& item) { return (item.flags & MF_SEPARATOR) != 0; }
bool Choosable(const CMenu::Item& item) { return !Separator(item) && !(item.flags & (MF_GRAYED | MF_DISABLED)); }

// An item's text as drawn: "&x" marks the item's key and shows as x, "&&" is one "&"; what
// follows a tab is the command's shortcut, drawn at the right.
struct ShownText {
  std::string label;
  std::string shortcut;
};
ShownText Shown(const std::string& text)
{
  ShownText out;
  std::string* into = &out.label;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\t') {
      into = &out.shortcut;
      continue;
    }
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    into->push_back(text[i]);
  }
  return out;
}

// The key letter an item's text marks with "&", or 0.
char KeyOf(const std::string& text)
{
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

class PopupMenuWindow : public CWnd {
public:
  PopupMenuWindow(const CMenu& menu, HWND owner) : m_items(menu.Items()), m_owner(owner) {}
  ~PopupMenuWindow() override
  {
    if (m_hWnd) DestroyWindow();
  }

  UINT Run(POINT at)
  {
    auto& system = detail::WindowSystem::Get();
    // The keys are the menu's while it shows, not the input method's (a menu letter typed in
    // Hangul mode chooses); what was being composed ends first, in the window it was made in.
    const detail::KeyboardHold hold;
    // "#32768" is the class every menu window of the system has.
    CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "#32768", "", WS_POPUP | WS_BORDER,
             CRect(at.x, at.y, at.x + 1, at.y + 1), nullptr, 0);
    if (!m_hWnd) return 0;
    CRect frame = Frame(at);
    MoveWindow(frame);
    ShowWindow(SW_SHOWNA);
    SetCapture();
    const HWND self = m_hWnd;
    const HWND activeAtOpen = system.active;
    while (!m_done && IsWindow(self)) {
      // The menu belongs to the window it was opened over: it goes when that window goes or
      // another window is activated.
      if ((m_owner && !IsWindow(m_owner)) || system.active != activeAtOpen) {
        End(0);
        break;
      }
      MSG msg;
      if (!GetMessage(&msg, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      // The keys go to the menu while it shows, whichever window has the focus; with Alt held
      // too, as when the menu was opened by Alt+Space.
      if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        const UINT vk = static_cast<UINT>(msg.wParam);
        Key(vk, msg.lParam);
        if (m_done) continue;
        if (msg.message == WM_KEYDOWN) {
          TranslateMessage(&msg);
        } else if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
          Letter(static_cast<char>(vk));
        }
        continue;
      }
      if (msg.message == WM_CHAR) {
        Letter(static_cast<char>(msg.wParam));
        continue;
      }
      if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_SYSCHAR) continue;
      // A press anywhere but on the menu closes it and goes no further, on another window's frame too.
      if (msg.hwnd != self && PressOf(msg.message)) {
        End(0);
        continue;
      }
      DispatchMessage(&msg);
    }
    if (IsWindow(self)) {
      m_done = true;
      if (GetCapture() == this) ReleaseCapture();
      DestroyWindow();
    }
    return m_chosen;
  }

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
  {
    if (const auto answer = detail::AnswerDrawing(*this, message, &PopupMenuWindow::Draw)) return *answer;
    switch (message) {
      case WM_MOUSEMOVE: {
        // Only an entry that can be chosen lights up, as with the arrow keys.
        int item = ItemAt(detail::PointOf(lParam));
        if (item >= 0 && !Choosable(m_items[static_cast<std::size_t>(item)])) item = -1;
        if (item != m_hot) {
          m_hot = item;
          Invalidate(FALSE);
        }
        return 0;
      }
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN: {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(detail::PointOf(lParam))) End(0);  // a press elsewhere dismisses the menu
        return 0;
      }
      case WM_LBUTTONUP:
      case WM_RBUTTONUP: {
        const int item = ItemAt(detail::PointOf(lParam));
        if (item >= 0 && Choosable(m_items[static_cast<std::size_t>(item)])) End(m_items[static_cast<std::size_t>(item)].id);
        return 0;
      }
      case WM_CAPTURECHANGED:
        End(0);
        return 0;
      case WM_MOUSEACTIVATE:
        return 3;  // MA_NOACTIVATE: the focus stays where it was
      default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
  }

private:
  int RowHeight() const { return ControlLineHeight(*this) + kRowPadding; }
  int ItemHeight(const CMenu::Item& item) const { return Separator(item) ? kSeparatorHeight : RowHeight(); }

  CRect Frame(POINT at) const
  {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = dc.SelectObject(ControlFont(*this));
    int width = 0, height = 0;
    for (const CMenu::Item& item : m_items) {
      if (!Separator(item)) {
        const ShownText text = Shown(item.text);
        const int shortcut = text.shortcut.empty() ? 0 : kShortcutGap + dc.GetTextExtent(text.shortcut).cx;
        width = std::max<int>(width, dc.GetTextExtent(text.label).cx + shortcut);
      }
      height += ItemHeight(item);
    }
    dc.SelectObject(old);
    const int border = GetSystemMetrics(SM_CXBORDER);
    const int w = kTextIndent + width + kRightMargin + 2 * border, h = height + 2 * border;
    // The menu stays on the screen: it opens to the left of or above the point where it would not fit.
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int x = at.x, y = at.y;
    if (x + w > screenW) x = std::max(0, x - w);
    if (y + h > screenH) y = std::max(0, y - h);
    return {x, y, x + w, y + h};
  }

  int ItemAt(CPoint p) const
  {
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(p)) return -1;
    int top = 0;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
      const int bottom = top + ItemHeight(m_items[i]);
      if (p.y >= top && p.y < bottom) return static_cast<int>(i);
      top = bottom;
    }
    return -1;
  }

  void End(UINT id)
  {
    if (m_done) return;
    m_done = true;
    m_chosen = id;
    if (GetCapture() == this) ReleaseCapture();
  }

  void Step(int direction)
  {
    const int count = static_cast<int>(m_items.size());
    int at = m_hot;
    for (int tries = 0; tries < count; ++tries) {
      at = at < 0 ? (direction > 0 ? 0 : count - 1) : (at + direction + count) % count;
      if (Choosable(m_items[static_cast<std::size_t>(at)])) {
        m_hot = at;
        Invalidate(FALSE);
        return;
      }
    }
  }

  void Key(UINT vk, LPARAM lParam)
  {
    constexpr LPARAM kRepeat = LPARAM{1} << 30;  // the key was already down
    const bool menuKey = (vk == VK_MENU && !(lParam & kRepeat)) || vk == VK_F10;
    if (vk == VK_ESCAPE || menuKey) {
      End(0);
    } else if (vk == VK_UP || vk == VK_DOWN) {
      Step(vk == VK_UP ? -1 : 1);
    } else if (vk == VK_RETURN && m_hot >= 0) {
      End(m_items[static_cast<std::size_t>(m_hot)].id);
    }
  }

  void Letter(char c)
  {
    const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const CMenu::Item& item : m_items) {
      if (Choosable(item) && key && KeyOf(item.text) == key) {
        End(item.id);
        return;
      }
    }
  }

  void Draw(CDC& dc, CRect client)
  {
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CFont* old = dc.SelectObject(ControlFont(*this));
    dc.SetBkMode(TRANSPARENT);
    int top = client.top;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
      const CMenu::Item& item = m_items[i];
      const CRect row(client.left, top, client.right, top + ItemHeight(item));
      top = row.bottom;
      if (Separator(item)) {
        const int y = row.top + row.Height() / 2 - 1;
        dc.FillSolidRect(row.left + 1, y, row.Width() - 2, 1, GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(row.left + 1, y + 1, row.Width() - 2, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        continue;
      }
      const bool hot = static_cast<int>(i) == m_hot;
      if (hot) dc.FillSolidRect(&row, GetSysColor(COLOR_HIGHLIGHT));
      COLORREF colour = GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
      if (!Choosable(item)) colour = GetSysColor(COLOR_GRAYTEXT);
      dc.SetTextColor(colour);
      const ShownText shown = Shown(item.text);
      CRect text(row.left + kTextIndent, row.top, row.right, row.bottom);
      DrawControlText(dc, item.text.substr(0, item.text.find('\t')), text, DT_LEFT | DT_VCENTER);
      if (!shown.shortcut.empty()) {
        CRect shortcut(row.left, row.top, row.right - kRightMargin / 2, row.bottom);
        dc.DrawText(shown.shortcut, &shortcut, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      }
    }
    dc.SelectObject(old);
  }

  static bool PressOf(UINT message)
  {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
        return true;
      default:
        // The frame's mouse messages: only moving over it leaves the menu up.
        return message > WM_NCMOUSEMOVE && message <= WM_NCMOUSEMOVE + 9;
    }
  }

  std::vector<CMenu::Item> m_items;
  HWND m_owner = nullptr;
  int m_hot = -1;
  bool m_done = false;
  UINT m_chosen = 0;
};

}  // namespace

UINT TrackPopupMenu(const CMenu& menu, UINT flags, int x, int y, CWnd* owner)
{
  auto& answers = vetra::ui::TheAnswers();
  vetra::ui::PopupMenuRecord record{menu.Items(), {x, y}, 0};
  UINT chosen = 0;
  if (!answers.queued.empty()) {
    chosen = answers.queued.front();
    answers.queued.pop_front();
    const auto& items = menu.Items();
    const bool offered = std::any_of(items.begin(), items.end(),
                                     [chosen](const CMenu::Item& item) { return item.id == chosen && Choosable(item); });
    if (!offered) chosen = 0;
  } else if (auto& system = detail::WindowSystem::Get();
             system.HasDisplay() && (!system.Display().IsHeadless() || vetra::ui::IdleActionsWaiting())) {
    // Headless, the menu shows only when the run has input waiting to work it (a test's idle
    // actions); otherwise nobody could close it and it is dismissed at once.
    PopupMenuWindow window(menu, owner && owner->m_hWnd ? owner->m_hWnd : nullptr);
    chosen = window.Run({x, y});
  }
  record.answer = chosen;
  answers.log.push_back(std::move(record));
  if (flags & TPM_RETURNCMD) return chosen;
  if (chosen && owner && owner->m_hWnd && !(flags & TPM_NONOTIFY)) owner->SendMessage(WM_COMMAND, chosen, 0);
  return chosen != 0;
}

}  // namespace win
