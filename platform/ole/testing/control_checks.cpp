#include "platform/ole/testing/control_checks.h"

#include <gtest/gtest.h>

namespace vetra::testing {

void ExpectPropertiesInDispatchOrder(const win::DispatchTable& table, std::span<const PropertyShape> expected)
{
  const auto& entries = table.Entries();
  ASSERT_EQ(entries.size(), expected.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].name, expected[i].name);
    EXPECT_EQ(entries[i].dispid, static_cast<win::DISPID>(i + 1));
    EXPECT_EQ(entries[i].type, expected[i].type) << expected[i].name;
  }
}

void ExpectSafeForScripting(win::COleControlObject& control)
{
  win::DWORD supported = 0, enabled = 0;
  EXPECT_EQ(control.ObjectSafety().GetInterfaceSafetyOptions(win::IID_IDispatch, &supported, &enabled), win::S_OK);
  EXPECT_EQ(supported, 3u);
  EXPECT_EQ(enabled, 3u);
  EXPECT_EQ(control.ObjectSafety().SetInterfaceSafetyOptions(win::IID_IDispatch, 3, 3), win::S_OK);
}

}  // namespace vetra::testing
