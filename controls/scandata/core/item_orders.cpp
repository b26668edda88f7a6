#include "controls/scandata/core/item_orders.h"

#include <algorithm>

namespace quarnel {

void ItemOrders::Load(const std::vector<int>& recordingOrder) {
  recording_ = recordingOrder;
  const auto shownCount = std::min<std::size_t>(recording_.size(), kMaxShown);
  shown_.assign(recording_.begin(), recording_.begin() + static_cast<std::ptrdiff_t>(shownCount));
  hidden_.assign(recording_.begin() + static_cast<std::ptrdiff_t>(shownCount), recording_.end());
}

std::vector<int> ItemOrders::ListOrder() const {
  std::vector<int> order = shown_;
  order.insert(order.end(), hidden_.begin(), hidden_.end());
  return order;
}

bool ItemOrders::IsShown(int id) const { return ShownIndexOf(id) >= 0; }

int ItemOrders::ShownIndexOf(int id) const {
  const auto it = std::find(shown_.begin(), shown_.end(), id);
  return it == shown_.end() ? -1 : static_cast<int>(it - shown_.begin());
}

int ItemOrders::HiddenIndexOf(int id) const {
  const auto it = std::find(hidden_.begin(), hidden_.end(), id);
  return it == hidden_.end() ? -1 : static_cast<int>(it - hidden_.begin());
}

int ItemOrders::MoveDown(int shownIndex) {
  if (shownIndex < 0 || shownIndex >= ShownCount()) return -1;
  const int id = shown_[static_cast<std::size_t>(shownIndex)];
  shown_.erase(shown_.begin() + shownIndex);
  const auto at = std::find_if(hidden_.begin(), hidden_.end(), [id](int other) { return other > id; });
  const int index = static_cast<int>(at - hidden_.begin());
  hidden_.insert(at, id);
  return index;
}

bool ItemOrders::MoveUp(int hiddenIndex) {
  if (ShownCount() >= kMaxShown || hiddenIndex < 0 || hiddenIndex >= static_cast<int>(hidden_.size())) return false;
  shown_.push_back(hidden_[static_cast<std::size_t>(hiddenIndex)]);
  hidden_.erase(hidden_.begin() + hiddenIndex);
  return true;
}

}  // namespace quarnel
