#include "platform/web/event_rewrite.h"

#include <gtest/gtest.h>

namespace vetra::web {
namespace {

TEST(EventRewrite, RenamesControlEventFunctionsOnly)
{
  const RewrittenScript script = RewriteEventHandlers(
      "function Pakrel::DNOK() { go(); }\n"
      "function  Pakrel :: DNFAIL (code) {}\n"
      "var s = \"function A::B()\"; // function C::D()\n"
      "/* function E::F() */ function plain() {}\n"
      "myfunction X::Y");
  EXPECT_EQ(script.code,
            "function __event$Pakrel$DNOK() { go(); }\n"
            "function __event$Pakrel$DNFAIL (code) {}\n"
            "var s = \"function A::B()\"; // function C::D()\n"
            "/* function E::F() */ function plain() {}\n"
            "myfunction X::Y");
  ASSERT_EQ(script.handlers.size(), 2u);
  EXPECT_EQ(script.handlers[1].elementId, "Pakrel");
  EXPECT_EQ(script.handlers[1].eventName, "DNFAIL");
}

}  // namespace
}  // namespace vetra::web
