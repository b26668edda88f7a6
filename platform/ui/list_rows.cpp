#include "platform/ui/list_rows.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/base/text.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win::detail {

int TextRows::SortedPlace(const char* text) const
{
  const std::string value = vetra::ToUpperAscii(text ? text : "");
  return static_cast<int>(std::upper_bound(m_rows.begin(), m_rows.end(), value,
                                           [](const std::string& v, const TextRow& r) {
                                             return v < vetra::ToUpperAscii(r.text);
                                           }) - m_rows.begin());
}

int TextRows::Insert(int index, const char* text)
{
  if (index < 0 || index > Count()) index = Count();
  m_rows.insert(m_rows.begin() + index, TextRow{text ? text : "", 0, false});
  return index;
}

bool TextRows::Erase(int index)
{
  if (!Has(index)) return false;
  m_rows.erase(m_rows.begin() + index);
  return true;
}

int TextRows::GetText(int index, std::string& text) const
{
  if (!Has(index)) return kNoRow;
  text = (*this)[index].text;
  return static_cast<int>(text.size());
}

int TextRows::GetText(int index, char* buffer) const
{
  if (!Has(index) || !buffer) return kNoRow;
  const std::string& text = (*this)[index].text;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<int>(text.size());
}

int TextRows::SetData(int index, std::uintptr_t data)
{
  if (!Has(index)) return kNoRow;
  (*this)[index].data = data;
  return 0;
}

int TextRows::FindExact(int startAfter, const char* text) const
{
  const int count = Count();
  for (int i = 1; i <= count; ++i) {
    const int row = (startAfter + i + count) % count;
    if (vetra::EqualsNoCase((*this)[row].text, text ? text : "")) return row;
  }
  return kNoRow;
}

int TextRows::SelectedCount() const
{
  return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const TextRow& r) { return r.selected; }));
}

std::vector<std::string> TextRows::Texts() const
{
  std::vector<std::string> texts;
  texts.reserve(m_rows.size());
  for (const TextRow& row : m_rows) texts.push_back(row.text);
  return texts;
}

int RowsInHeight(int height, int rowHeight) { return std::max(1, height / rowHeight); }

int ClampTop(int top, int count, int page) { return std::clamp(top, 0, std::max(0, count - page)); }

int TopShowing(int row, int top, int page)
{
  if (row < top) return row;
  if (row >= top + page) return row - page + 1;
  return top;
}

int RowAtY(int y, int top, int rowHeight, int count)
{
  const int row = top + y / rowHeight;
  return row < count ? row : -1;
}

std::optional<int> ScrolledTop(WPARAM wParam, int top, int page, int count, bool withEnds)
{
  switch (LOWORD(wParam)) {
    case SB_LINEUP: return top - 1;
    case SB_LINEDOWN: return top + 1;
    case SB_PAGEUP: return top - page;
    case SB_PAGEDOWN: return top + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return static_cast<short>(HIWORD(wParam));
    case SB_TOP: return withEnds ? std::optional<int>(0) : std::nullopt;
    case SB_BOTTOM: return withEnds ? std::optional<int>(count) : std::nullopt;
    default: return std::nullopt;
  }
}

int WheelRows(short delta, int& rest)
{
  rest += delta * kWheelRowsPerNotch;
  const int rows = rest / WHEEL_DELTA;
  rest -= rows * WHEEL_DELTA;
  return -rows;
}

int RowStartingWith(const std::vector<std::string>& texts, int from, UINT ch)
{
  if (ch <= ' ' || ch >= 0x80 || texts.empty()) return -1;
  const int count = static_cast<int>(texts.size());
  const int lower = std::tolower(static_cast<int>(ch));
  for (int step = 1; step <= count; ++step) {
    const int row = ((from < 0 ? -1 : from) + step) % count;
    const std::string& text = texts[static_cast<std::size_t>(row)];
    if (!text.empty() && std::tolower(static_cast<unsigned char>(text[0])) == lower) return row;
  }
  return -1;
}

void OwnedScrollBar::Make(CWnd& owner, bool wanted) const
{
  owner.ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
  if (!wanted || Bar(owner)) return;
  auto made = std::make_unique<CScrollBar>();
  if (!made->Create(SBS_VERT, CRect(0, 0, 0, 0), &owner, m_id)) return;
  WindowSystem::Get().State(made->m_hWnd)->systemOwned = true;
  WindowSystem::Get().AdoptObject(std::move(made));
}

CScrollBar* OwnedScrollBar::Bar(const CWnd& owner) const
{
  return owner.m_hWnd ? dynamic_cast<CScrollBar*>(owner.GetDlgItem(static_cast<int>(m_id))) : nullptr;
}

int OwnedScrollBar::WidthBeside(const CWnd& owner) const
{
  CRect r;
  owner.GetClientRect(&r);
  const CWnd* bar = Bar(owner);
  return bar && (bar->GetStyle() & WS_VISIBLE) ? r.Width() - GetSystemMetrics(SM_CXVSCROLL) : r.Width();
}

void OwnedScrollBar::Update(CWnd& owner, const CRect& place, int count, int page, int top, bool showWhenFits) const
{
  CScrollBar* bar = Bar(owner);
  if (!bar) return;
  bar->MoveWindow(place.left, place.top, place.Width(), place.Height());
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(0, count - 1);
  info.nPage = static_cast<UINT>(page);
  info.nPos = top;
  bar->SetScrollInfo(&info);
  const bool needed = count > page;
  const bool show = needed || showWhenFits;
  bar->EnableScrollBar(needed ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
  if (show != ((bar->GetStyle() & WS_VISIBLE) != 0)) {
    bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    owner.Invalidate(FALSE);
  }
}

void ScrollRowsTo(CWnd& owner, const OwnedScrollBar& bar, int& top, int wanted, int count, int page)
{
  const int next = ClampTop(wanted, count, page);
  if (next != top) {
    top = next;
    owner.Invalidate(FALSE);
  }
  if (CScrollBar* b = bar.Bar(owner)) b->SetScrollPos(top);
}

}  // namespace win::detail
