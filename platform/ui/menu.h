#pragma once
// Menus as far as the system uses them: the system menu of a top-level window, whose items a
// program greys or extends (an "About" entry).

#include <string>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/ui/messages.h"

namespace win {

inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT MF_UNKNOWN = 0xFFFFFFFF;

class CMenu {
public:
  struct Item {
    UINT id = 0;
    UINT flags = 0;
    std::string text;
  };

  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);
  BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, const char* text = nullptr);
  BOOL DeleteMenu(UINT position, UINT flags);
  BOOL RemoveMenu(UINT position, UINT flags) { return DeleteMenu(position, flags); }
  // Returns the previous state (MF_ENABLED/MF_GRAYED/MF_DISABLED) or MF_UNKNOWN (as UINT -1).
  UINT EnableMenuItem(UINT item, UINT flags);
  UINT CheckMenuItem(UINT item, UINT flags);
  UINT GetMenuState(UINT item, UINT flags) const;
  UINT GetMenuItemCount() const { return static_cast<UINT>(m_items.size()); }
  UINT GetMenuItemID(int position) const;
  const std::vector<Item>& Items() const { return m_items; }

  // The standard system menu of a window with the given style.
  static CMenu SystemMenuFor(DWORD style);

private:
  Item* Find(UINT item, UINT flags);
  const Item* Find(UINT item, UINT flags) const;
  std::vector<Item> m_items;
};

}  // namespace win
