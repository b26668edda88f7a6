#pragma once
// Moves the curves of the shown items up or down in the overlap layout: the user picks an item in
// the list and sets its offset with the scroll bar (-150..150 pixels); the control redraws at once.
#include <string>
#include <vector>

#include "controls/roadtest/windows/graph_area.h"
#include "controls/roadtest/windows/skinned_dialog.h"
#include "platform/ui/list_box.h"
#include "platform/ui/scroll_bar.h"

namespace morvit {

struct WaveItem {
  int item = 0;
  std::string name;  // CP949
};

class CWaveMoveDlg : public CSkinnedDialog {
public:
  static constexpr int kMinOffset = -150;
  static constexpr int kMaxOffset = 150;
  static constexpr int kScrollBarId = 211;
  static constexpr int kListId = 238;

  CWaveMoveDlg(win::CWnd* owner, ItemOffsets& offsets, std::vector<WaveItem> items);

  // Entry k of the list chosen: the scroll bar shows that item's offset.
  win::CListBox& List() { return m_list; }
  void SelectEntry(int k);
  int CurrentEntry() const { return m_current; }
  // The offset after a scroll code, from bar position p.
  static int OffsetAfter(win::UINT code, int p, int thumb);

protected:
  win::BOOL OnInitDialog() override;
  void OnPaint() override;
  void OnVScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar) override;
  win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;

private:

  ItemOffsets& m_offsets;
  std::vector<WaveItem> m_items;
  int m_current = 0;
  win::CScrollBar m_bar;
  win::CListBox m_list;
};

}  // namespace morvit
