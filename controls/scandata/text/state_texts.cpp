#include "controls/scandata/text/state_texts.h"

#include <cstring>

#include "platform/base/text.h"

namespace quarnel {

const StateTable* FindStateTable(int table) {
  if (table < 0 || table >= kStateTableIdEnd) return nullptr;
  const StateTable& entry = kStateTables[table];
  return entry.kind == StateTableKind::kUnassigned ? nullptr : &entry;
}

std::string StateText(int table, int index) {
  const StateTable* found = FindStateTable(table);
  if (found == nullptr) return " ";
  if (index < 0 || index >= found->rowCount) return {};
  switch (found->kind) {
    case StateTableKind::kText: {
      const char* row = found->rows + static_cast<std::size_t>(index) * found->rowWidth;
      return std::string(row, strnlen(row, found->rowWidth));
    }
    case StateTableKind::kReal:
      return vetra::Format(found->format, found->reals[index]);
    case StateTableKind::kInteger:
      return vetra::Format(found->format, found->integers[index]);
    case StateTableKind::kUnassigned:
      break;
  }
  return " ";
}

}  // namespace quarnel
