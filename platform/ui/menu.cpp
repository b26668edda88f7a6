#include "platform/ui/menu.h"

#include "platform/base/text.h"

#include <algorithm>

namespace win {

namespace {
constexpr UINT kStateMask = MF_GRAYED | MF_DISABLED;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text)
{
  m_items.push_back({static_cast<UINT>(id), flags, text ? text : ""});
  return TRUE;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, const char* text)
{
  auto at = m_items.end();
  if (flags & MF_BYPOSITION) {
    if (position < m_items.size()) at = m_items.begin() + position;
  } else {
    at = std::find_if(m_items.begin(), m_items.end(), [&](const Item& i) { return i.id == position; });
  }
  m_items.insert(at, {static_cast<UINT>(id), flags & ~MF_BYPOSITION, text ? text : ""});
  return TRUE;
}

CMenu::Item* CMenu::Find(UINT item, UINT flags)
{
  if (flags & MF_BYPOSITION) return item < m_items.size() ? &m_items[item] : nullptr;
  auto it = std::find_if(m_items.begin(), m_items.end(),
                         [&](const Item& i) { return i.id == item && !(i.flags & MF_SEPARATOR); });
  return it == m_items.end() ? nullptr : &*it;
}

const CMenu::Item* CMenu::Find(UINT item, UINT flags) const
{
  return const_cast<CMenu*>(this)->Find(item, flags);
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
  Item* found = Find(position, flags);
  if (!found) return FALSE;
  m_items.erase(m_items.begin() + (found - m_items.data()));
  return TRUE;
}

UINT CMenu::EnableMenuItem(UINT item, UINT flags)
{
  Item* found = Find(item, flags);
  if (!found) return MF_UNKNOWN;
  const UINT previous = found->flags & kStateMask;
  found->flags = (found->flags & ~kStateMask) | (flags & kStateMask);
  return previous;
}

UINT CMenu::CheckMenuItem(UINT item, UINT flags)
{
  Item* found = Find(item, flags);
  if (!found) return MF_UNKNOWN;
  const UINT previous = found->flags & MF_CHECKED;
  found->flags = (found->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
  return previous;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const
{
  const Item* found = Find(item, flags);
  return found ? (found->flags & ~MF_BYPOSITION) : MF_UNKNOWN;
}

UINT CMenu::GetMenuItemID(int position) const
{
  if (position < 0 || static_cast<std::size_t>(position) >= m_items.size()) return MF_UNKNOWN;
  return m_items[static_cast<std::size_t>(position)].id;
}

CMenu CMenu::SystemMenuFor(DWORD style)
{
  constexpr DWORD kMinimizeBox = 0x00020000;
  constexpr DWORD kMaximizeBox = 0x00010000;
  constexpr DWORD kThickFrame = 0x00040000;
  CMenu menu;
  // The texts a user of the system knows from its platform, in its code page.
  menu.AppendMenu(MF_GRAYED, SC_RESTORE, vetra::Cp949("이전 크기로(&R)").c_str());
  menu.AppendMenu(MF_STRING, SC_MOVE, vetra::Cp949("이동(&M)").c_str());
  menu.AppendMenu((style & kThickFrame) ? MF_STRING : MF_GRAYED, SC_SIZE, vetra::Cp949("크기 조정(&S)").c_str());
  menu.AppendMenu((style & kMinimizeBox) ? MF_STRING : MF_GRAYED, SC_MINIMIZE, vetra::Cp949("최소화(&N)").c_str());
  menu.AppendMenu((style & kMaximizeBox) ? MF_STRING : MF_GRAYED, SC_MAXIMIZE, vetra::Cp949("최대화(&X)").c_str());
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING, SC_CLOSE, vetra::Cp949("닫기(&C)\tAlt+F4").c_str());
  return menu;
}

}  // namespace win
