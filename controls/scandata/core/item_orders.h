#pragma once
// Which recorded items stand on the graph and which below it. The shown items keep the order in
// which they were chosen; the other items keep the order of their ids as they come back. The
// lists show the shown items first, then the others ("list order").

#include <vector>

#include "controls/scandata/core/scan_limits.h"

namespace quarnel {

class ItemOrders {
 public:
  // A recording's order: the first eight items shown, the rest below them in file order.
  void Load(const std::vector<int>& recordingOrder);
  void Clear() { *this = ItemOrders{}; }

  const std::vector<int>& RecordingOrder() const { return recording_; }
  const std::vector<int>& Shown() const { return shown_; }
  const std::vector<int>& Hidden() const { return hidden_; }
  std::vector<int> ListOrder() const;
  int ShownCount() const { return static_cast<int>(shown_.size()); }
  bool IsShown(int id) const;
  int ShownIndexOf(int id) const;   // -1 when not shown
  int HiddenIndexOf(int id) const;  // -1 when not hidden

  // Moves shown item `shownIndex` below the graph, before the first hidden item with a greater
  // id; returns its index among the hidden items, -1 for an index out of range.
  int MoveDown(int shownIndex);
  // Moves hidden item `hiddenIndex` onto the graph as its last item; false when eight items are
  // shown already or the index is out of range.
  bool MoveUp(int hiddenIndex);

 private:
  std::vector<int> recording_;
  std::vector<int> shown_;
  std::vector<int> hidden_;
};

}  // namespace quarnel
