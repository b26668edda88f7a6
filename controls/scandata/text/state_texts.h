#pragma once
// The display text of a discrete or table-converted scan value: row `index` of state-text table
// `table`, as stored (blanks kept) for a text table, or the row's number written with the
// table's format for a number table.

#include <string>

#include "controls/scandata/text/text_tables.h"

namespace quarnel {

// The table under an id, or nullptr for an unassigned id. Constant time.
const StateTable* FindStateTable(int table);

// An unassigned id gives one blank, " "; a row outside the table gives the empty text.
std::string StateText(int table, int index);

}  // namespace quarnel
