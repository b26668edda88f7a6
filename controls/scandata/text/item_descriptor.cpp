#include "controls/scandata/text/item_descriptor.h"

#include <algorithm>

namespace quarnel {

std::string ItemDescriptor::ItemName() const {
  auto name = bytes_.first<83>();
  auto end = std::find(name.begin(), name.end(), std::uint8_t{0});
  return std::string(name.begin(), end);
}

}  // namespace quarnel
