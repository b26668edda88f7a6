#pragma once
// Checks of what a page sees of a control: its dispatch table and its safety for scripting.
#include <span>

#include "platform/ole/dispatch_table.h"
#include "platform/ole/ole_control_object.h"

namespace vetra::testing {

struct PropertyShape {
  const char* name;
  win::VARTYPE type;
};

// Expects exactly these properties, numbered from 1 in this order, of these types.
void ExpectPropertiesInDispatchOrder(const win::DispatchTable& table, std::span<const PropertyShape> expected);

// Expects the control safe for scripting and for untrusted data, as every page that hosts it needs.
void ExpectSafeForScripting(win::COleControlObject& control);

}  // namespace vetra::testing
