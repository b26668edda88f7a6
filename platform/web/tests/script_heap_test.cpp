#include "platform/web/script_heap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vetra::web {
namespace {

TEST(ScriptHeap, PageScriptGetsItsAllowanceAndTheEngineBetweenScriptsItsReserve)
{
  ScriptHeap heap(1000, 200);
  heap.SetScriptRunning(true);
  void* kept = heap.Allocate(600);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(heap.Allocate(401), nullptr);
  void* last = heap.Allocate(400);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(heap.Allocate(1), nullptr);

  // A block that cannot grow stays as it was; one that shrinks gives back what it no longer holds.
  std::memset(kept, 'k', 600);
  EXPECT_EQ(heap.Reallocate(kept, 601), nullptr);
  EXPECT_EQ(static_cast<const char*>(kept)[599], 'k');
  kept = heap.Reallocate(kept, 300);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(static_cast<const char*>(kept)[299], 'k');
  EXPECT_EQ(heap.Allocate(301), nullptr);
  void* more = heap.Allocate(300);
  EXPECT_NE(more, nullptr);

  // Between scripts the engine's own work (binding a control, calling an event handler) could
  // not report a refusal: it has the reserve.
  heap.SetScriptRunning(false);
  void* own = heap.Allocate(200);
  EXPECT_NE(own, nullptr);
  EXPECT_EQ(heap.Allocate(1), nullptr);
  for (void* block : {kept, last, more, own}) heap.Free(block);
  heap.SetScriptRunning(true);
  void* whole = heap.Allocate(1000);
  EXPECT_NE(whole, nullptr);
  heap.Free(whole);
}

}  // namespace
}  // namespace vetra::web
