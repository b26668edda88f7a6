#pragma once
// What reading a page's style sheets and matching them against its elements costs the layout,
// bounded from above before the layout starts.
//
// The layout tries every selector at every element, right to left. A descendant combinator tries
// each ancestor in turn and the part left of it again at each; a general-sibling combinator does
// the same over the earlier siblings. Where no full match is found it tries them all, so a short
// selector over a deep page tries as many ways as there are to choose its compounds among the
// ancestors (six compounds over a hundred nested elements: over a billion tests). Its reader
// of style sheets is also quadratic in a few shapes (selectors of many compounds, nested media
// blocks, closing braces before a rule's opening one). The bound counts all of this
// in selector tests, taking every compound as matching but where its tag or classes say it
// cannot; a test is some 25 nanoseconds.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/web/dom.h"

namespace vetra::web {

struct StyleCost {
  // Selector compounds times the elements each selector is tried at: what counting takes.
  std::uint64_t compoundsAtElements = 0;
  // Elements a selector may match, counted once for each: the layout keeps a record of each.
  std::uint64_t matches = 0;
  double tests = 0;  // selector tests (and their like) in all
};

// A style sheet without its comments, as the layout reads it: a comment runs to the first "*/"
// after its "/*", or to the end of the sheet; removing one may open another ("/" before it, "*"
// after it).
std::string StyleWithoutComments(std::string_view sheet);

struct StyleBudget {
  std::uint64_t compoundsAtElements;
  std::uint64_t matches;
  double tests;

  bool PassedBy(const StyleCost& cost) const
  {
    return cost.compoundsAtElements > compoundsAtElements || cost.matches > matches || cost.tests > tests;
  }
};

// The cost of the page's STYLE elements. Counting stops once the budget is passed.
StyleCost StyleMatchingCost(const Document& page, const StyleBudget& budget);

}  // namespace vetra::web
