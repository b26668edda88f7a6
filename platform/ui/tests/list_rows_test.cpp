#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/list_rows.h"

namespace {

using namespace win;
using namespace win::detail;

TEST(TextRows, SortedPlaceGoesAfterEqualRowsIgnoringCaseAndFindExactWrapsRound)
{
  TextRows rows;
  for (const char* text : {"Alpha", "beta", "BETA", "gamma"}) rows.Insert(-1, text);
  EXPECT_EQ(rows.SortedPlace("Beta"), 3);
  EXPECT_EQ(rows.SortedPlace("aaa"), 0);
  EXPECT_EQ(rows.SortedPlace(nullptr), 0);
  EXPECT_EQ(rows.SortedPlace("zeta"), 4);

  EXPECT_EQ(rows.FindExact(-1, "BETA"), 1);
  EXPECT_EQ(rows.FindExact(1, "beta"), 2);
  EXPECT_EQ(rows.FindExact(2, "beta"), 1);  // past the end it starts again at the top
  EXPECT_EQ(rows.FindExact(0, "delta"), kNoRow);

  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(rows.GetText(3, buffer), 5);
  EXPECT_STREQ(buffer, "gamma");
  EXPECT_EQ(rows.GetText(4, buffer), kNoRow);
  EXPECT_EQ(rows.GetData(-1), static_cast<std::uintptr_t>(kNoRow));
}

TEST(RowIndexes, FollowTheirRowWhenRowsComeAndGo)
{
  struct Case {
    int index;
    int at;
    int afterInsert;
    int afterErase;
  };
  for (const Case& c : std::vector<Case>{{-1, 0, -1, -1}, {2, 2, 3, -1}, {2, 3, 2, 2}, {4, 1, 5, 3}}) {
    int inserted = c.index;
    FollowInsert(inserted, c.at);
    int erased = c.index;
    FollowErase(erased, c.at);
    EXPECT_EQ(inserted, c.afterInsert) << c.index << " at " << c.at;
    EXPECT_EQ(erased, c.afterErase) << c.index << " at " << c.at;
  }
}

TEST(RowScrolling, TopsForScrollCodesAndRowsBroughtIntoView)
{
  // Ten rows, four in view, the first shown being row 3.
  struct Case {
    UINT code;
    short thumb;
    bool withEnds;
    std::optional<int> top;
  };
  for (const Case& c : std::vector<Case>{{SB_LINEUP, 0, false, 2},
                                         {SB_LINEDOWN, 0, false, 4},
                                         {SB_PAGEUP, 0, false, -1},
                                         {SB_PAGEDOWN, 0, false, 7},
                                         {SB_THUMBTRACK, 5, false, 5},
                                         {SB_THUMBPOSITION, 6, false, 6},
                                         {SB_TOP, 0, true, 0},
                                         {SB_BOTTOM, 0, true, 10},
                                         {SB_TOP, 0, false, std::nullopt},
                                         {SB_ENDSCROLL, 0, true, std::nullopt}}) {
    const WPARAM wParam = MAKELONG(static_cast<WORD>(c.code), static_cast<WORD>(c.thumb));
    EXPECT_EQ(ScrolledTop(wParam, 3, 4, 10, c.withEnds), c.top) << c.code;
  }
  EXPECT_EQ(ClampTop(-1, 10, 4), 0);
  EXPECT_EQ(ClampTop(9, 10, 4), 6);  // the last page stays full
  EXPECT_EQ(ClampTop(2, 3, 4), 0);
  EXPECT_EQ(TopShowing(1, 3, 4), 1);
  EXPECT_EQ(TopShowing(5, 3, 4), 3);
  EXPECT_EQ(TopShowing(8, 3, 4), 5);
  EXPECT_EQ(RowAtY(25, 3, 12, 10), 5);
  EXPECT_EQ(RowAtY(90, 3, 12, 10), -1);
  EXPECT_EQ(RowsInHeight(5, 12), 1);
}

}  // namespace
