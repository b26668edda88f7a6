#include <gtest/gtest.h>
#include "platform/ui/testing.h"
TEST(Window, Builds) { vetra::ui::ResetForTests(); }
