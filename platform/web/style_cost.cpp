#include "platform/web/style_cost.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/text.h"

namespace vetra::web {
namespace {

constexpr std::size_t npos = std::string_view::npos;
// What the layout's reader of style sheets spends on a character it copies or splits, and what
// a sibling scan spends on a sibling, as parts of one selector test.
constexpr double kCharsPerTest = 8;
constexpr double kSiblingsPerTest = 8;
// What applying a rule's declarations at an element it matches spends for each of their bytes
// (a short shorthand gives a dozen properties).
constexpr double kTestsPerDeclarationByte = 4;
// What a byte of a pseudo-class's argument, copied at each level of nesting and kept, counts:
// enough that what the budget lets pass is a few MB.
constexpr double kTestsPerNestedArgumentByte = 32;
constexpr std::string_view kBlanks = " \n\r\t";

enum class Combinator { descendant, child, adjacent, general };

struct Compound {
  std::string tag;  // lower case; empty or "*" for any
  std::vector<std::string> classes;  // those written before any attribute or pseudo-class
  std::size_t pseudoClasses = 0;     // each may count the element's siblings
};

struct Selector {
  std::vector<Compound> compounds;  // left to right
  std::vector<Combinator> combinators;  // [j - 1] joins compounds j - 1 and j
  double applying = 0;  // applying the rule's declarations at an element it matches, in tests
};

// An element of the page as the matching sees it (a comment, which the layout is not given,
// counts as one that takes no style).
struct Place {
  const Node* node = nullptr;
  int parent = -1;    // the parent element's place, -1 at the top
  int previous = -1;  // the previous element or comment of the same parent, -1 for the first
  // The layout's children of the parent: elements, comments, and a word or blank for every
  // character of text at most, with a before and an after box.
  double siblings = 0;
  std::vector<std::string> classes;  // lower case
};

std::size_t CloseBracket(std::string_view text, std::size_t open, char opening, char closing)
{
  int depth = 0;
  for (std::size_t at = open; at < text.size(); ++at) {
    if (text[at] == opening) {
      ++depth;
    } else if (text[at] == closing && --depth == 0) {
      return at;
    }
  }
  return npos;
}

std::size_t Characters(std::string_view utf8)
{
  std::size_t count = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::vector<std::string> Words(std::string_view text)
{
  std::vector<std::string> words;
  std::size_t at = text.find_first_not_of(kBlanks);
  while (at != npos) {
    const std::size_t end = text.find_first_of(kBlanks, at);
    words.push_back(ToLowerAscii(text.substr(at, end == npos ? npos : end - at)));
    at = end == npos ? npos : text.find_first_not_of(kBlanks, end);
  }
  return words;
}

void Flatten(const Node& node, int parent, std::vector<Place>& places, std::vector<std::string>& sheets)
{
  double siblings = 2;
  for (const auto& child : node.children) {
    siblings += child->type == Node::Type::Text ? static_cast<double>(Characters(child->text)) : 1;
  }
  int previous = -1;
  for (const auto& child : node.children) {
    if (child->type != Node::Type::Element && child->type != Node::Type::Comment) continue;
    Place place{child.get(), parent, previous, siblings, {}};
    if (const std::string* classes = child->Attribute("class")) place.classes = Words(*classes);
    places.push_back(std::move(place));
    previous = static_cast<int>(places.size() - 1);
    if (child->IsElement("style")) sheets.push_back(child->TextContent());
    Flatten(*child, previous, places, sheets);
  }
}

Compound ReadCompound(std::string_view text)
{
  Compound compound;
  std::size_t end = text.find_first_of(".#[:");
  compound.tag = ToLowerAscii(text.substr(0, end));
  // Classes and ids up to the first attribute or pseudo-class read the same however the layout
  // reads the rest.
  while (end != npos && (text[end] == '.' || text[end] == '#')) {
    const std::size_t next = text.find_first_of(".#[:", end + 1);
    if (text[end] == '.') {
      for (std::string& word : Words(text.substr(end + 1, next == npos ? npos : next - end - 1)))
        compound.classes.push_back(std::move(word));
    }
    end = next;
  }
  for (char c : text) compound.pseudoClasses += c == ':' ? 1 : 0;
  return compound;
}

// A selector as the layout splits it: compounds between runs of blanks and combinator
// characters, brackets and parentheses holding together. Of a run, the rightmost character
// decides, unless it is a blank and a combinator character stands left of it.
Combinator CombinatorOf(std::string_view run)
{
  char decides = 0;
  for (auto c = run.rbegin(); c != run.rend(); ++c) {
    if (decides == 0 || decides == ' ') decides = *c;
  }
  return decides == '>' ? Combinator::child
       : decides == '+' ? Combinator::adjacent
       : decides == '~' ? Combinator::general
                        : Combinator::descendant;
}

Selector ReadSelector(std::string_view text)
{
  Selector selector;
  std::string run;
  std::size_t start = 0;
  const auto take = [&](std::size_t end) {
    if (end <= start) return;
    if (!selector.compounds.empty()) selector.combinators.push_back(CombinatorOf(run));
    selector.compounds.push_back(ReadCompound(text.substr(start, end - start)));
    run.clear();
  };
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '(' || c == '[') {
      at = CloseBracket(text, at, c, c == '(' ? ')' : ']');
      if (at == npos) break;
    } else if (c == ' ' || c == '\t' || c == '>' || c == '+' || c == '~') {
      take(at);
      start = at + 1;
      run.push_back(c);
    }
  }
  take(text.size());
  return selector;
}

// The bytes of a selector inside parentheses, each counted once for every pair it is in.
std::size_t NestedArgumentBytes(std::string_view selector)
{
  std::size_t depth = 0;
  std::size_t bytes = 0;
  for (char c : selector) {
    if (c == '(') ++depth;
    else if (c == ')' && depth > 0) --depth;
    bytes += depth;
  }
  return bytes;
}

class SheetReader {
public:
  using SelectorTaker = std::function<void(const Selector&)>;
  SheetReader(StyleCost& cost, const StyleBudget& budget, SelectorTaker take)
      : m_cost(cost), m_budget(budget), m_take(std::move(take)) {}

  // Reads a sheet as the layout does, adding what that spends and giving each selector it keeps
  // to be counted; it stops once the budget is passed, as reading on could take as long as the
  // layout would.
  void Read(std::string sheet)
  {
    std::vector<std::string> pending{std::move(sheet)};
    while (!pending.empty() && !Spent()) {
      std::string text = std::move(pending.back());
      pending.pop_back();
      ReadRules(StyleWithoutComments(text), pending);
    }
  }

private:
  bool Spent() const { return m_budget.PassedBy(m_cost); }

  void ReadRules(std::string_view text, std::vector<std::string>& blocks)
  {
    std::size_t at = text.find_first_not_of(kBlanks);
    while (at != npos && !Spent()) {
      while (at != npos && text[at] == '@' && !Spent()) {
        const std::size_t start = at;
        at = text.find_first_of("{;", at);
        if (at != npos && text[at] == '{') at = CloseBracket(text, at, '{', '}');
        ReadAtRule(text.substr(start, at == npos ? npos : at - start + 1), blocks);
        if (at != npos) at = text.find_first_not_of(kBlanks, at + 1);
      }
      if (at == npos) break;
      const std::size_t open = text.find('{', at);
      const std::size_t close = text.find('}', at);
      if (open == npos || close == npos) break;
      // A closing brace before the opening one gives a rule whose declarations run to the end
      // of the sheet, and the next rule starts just past that brace.
      const std::size_t declarations = close > open ? close - open - 1 : text.size() - open - 1;
      m_cost.tests += static_cast<double>(declarations) / kCharsPerTest + 1;
      ReadSelectors(text.substr(at, open - at), static_cast<double>(declarations));
      at = text.find_first_not_of(kBlanks, close + 1);
    }
  }

  void ReadAtRule(std::string_view rule, std::vector<std::string>& blocks)
  {
    m_cost.tests += static_cast<double>(rule.size()) / kCharsPerTest + 1;
    if (rule.size() < 6 || !EqualsNoCase(rule.substr(0, 6), "@media")) return;
    const std::size_t open = rule.find('{');
    if (open == npos) return;
    const std::size_t close = rule.rfind('}');
    blocks.emplace_back(rule.substr(open + 1, close == npos || close < open ? npos : close - open - 1));
  }

  // The selectors of a rule, split at commas outside double quotes.
  void ReadSelectors(std::string_view list, double declarationBytes)
  {
    std::size_t start = 0;
    for (std::size_t at = 0; at <= list.size(); ++at) {
      if (at < list.size() && list[at] == '"') {
        at = list.find('"', at + 1);
        if (at == npos) at = list.size();
      }
      if (at == list.size() || list[at] == ',') {
        std::string_view text = list.substr(start, at - start);
        const std::size_t first = text.find_first_not_of(kBlanks);
        text = first == npos ? std::string_view() : text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
        Selector selector = ReadSelector(text);
        // The layout reads a selector right to left, splitting what is left again at each step,
        // and keeps a copy of a pseudo-class's argument at every level of parentheses it is in.
        m_cost.tests += static_cast<double>(selector.compounds.size() * (text.size() + 1)) / kCharsPerTest +
                        static_cast<double>(NestedArgumentBytes(text)) * kTestsPerNestedArgumentByte;
        selector.applying = 1 + declarationBytes * kTestsPerDeclarationByte;
        if (!selector.compounds.empty() && !Spent()) m_take(selector);
        start = at + 1;
      }
    }
  }

  StyleCost& m_cost;
  const StyleBudget& m_budget;
  SelectorTaker m_take;
};

bool MayMatch(const Compound& compound, const Place& place)
{
  if (place.node->type != Node::Type::Element) return false;  // a comment takes no style
  if (!compound.tag.empty() && compound.tag != "*" && compound.tag != place.node->tag) return false;
  for (const std::string& name : compound.classes) {
    bool found = false;
    for (const std::string& own : place.classes) found = found || own == name;
    if (!found) return false;
  }
  return true;
}

// The layout looks at a compound's tag and leading classes before its pseudo-classes: where those
// rule the element out, the test ends there.
double TestCost(const Compound& compound, const Place& place)
{
  if (!MayMatch(compound, place)) return 1;
  return 1 + static_cast<double>(compound.pseudoClasses) * place.siblings / kSiblingsPerTest;
}

// What matching one selector at every place takes at most: at each place, the test of the
// compound and, where it may match, the left part's tests at every candidate its combinator
// offers (each taken as failing, so that all are tried); where the whole selector may match,
// applying its rule.
struct SelectorCost {
  double tests = 0;
  std::uint64_t matches = 0;  // places the whole selector may match
};

SelectorCost CostOf(const Selector& selector, const std::vector<Place>& places)
{
  const std::size_t count = places.size();
  std::vector<double> left(count);     // the tests of the selector up to compound j - 1 at a place
  std::vector<double> right(count);    // ... up to compound j
  std::vector<double> reach(count);    // the left part's tests at every candidate
  std::vector<double> earlier(count);  // the left part's tests at the earlier siblings
  // The same for whether the selector up to the compound may match at a place.
  std::vector<char> leftMay(count);
  std::vector<char> rightMay(count);
  std::vector<char> reachMay(count);
  std::vector<char> earlierMay(count);
  for (std::size_t i = 0; i < count; ++i) {
    left[i] = TestCost(selector.compounds[0], places[i]);
    leftMay[i] = MayMatch(selector.compounds[0], places[i]);
  }
  for (std::size_t j = 1; j < selector.compounds.size(); ++j) {
    const Compound& compound = selector.compounds[j];
    const Combinator combinator = selector.combinators[j - 1];
    for (std::size_t i = 0; i < count; ++i) {
      const Place& place = places[i];
      const int parent = place.parent;
      const int previous = place.previous;
      const double siblingScan = place.siblings / kSiblingsPerTest;
      switch (combinator) {
        case Combinator::descendant:
          reach[i] = parent < 0 ? 0 : reach[parent] + left[parent];
          reachMay[i] = parent >= 0 && (reachMay[parent] || leftMay[parent]);
          break;
        case Combinator::child:
          reach[i] = parent < 0 ? 0 : left[parent];
          reachMay[i] = parent >= 0 && leftMay[parent];
          break;
        case Combinator::adjacent:
          reach[i] = (previous < 0 ? 0 : left[previous]) + siblingScan;
          reachMay[i] = previous >= 0 && leftMay[previous];
          break;
        case Combinator::general:
          earlier[i] = previous < 0 ? 0 : earlier[previous] + left[previous];
          earlierMay[i] = previous >= 0 && (earlierMay[previous] || leftMay[previous]);
          reach[i] = earlier[i] + siblingScan;
          reachMay[i] = earlierMay[i];
          break;
      }
      const bool compoundMay = parent >= 0 && MayMatch(compound, place);
      right[i] = TestCost(compound, place) + (compoundMay ? reach[i] : 0);
      rightMay[i] = compoundMay && reachMay[i];
    }
    left.swap(right);
    leftMay.swap(rightMay);
  }
  SelectorCost cost;
  for (std::size_t i = 0; i < count; ++i) {
    cost.tests += left[i] + (leftMay[i] ? selector.applying : 0);
    cost.matches += leftMay[i] ? 1 : 0;
  }
  return cost;
}

}  // namespace

std::string StyleWithoutComments(std::string_view sheet)
{
  std::string kept;
  std::size_t at = 0;
  while (true) {
    std::size_t body = 0;
    if (!kept.empty() && kept.back() == '/' && at < sheet.size() && sheet[at] == '*') {
      kept.pop_back();
      body = at + 1;
    } else {
      const std::size_t open = sheet.find("/*", at);
      kept.append(sheet.substr(at, open == npos ? npos : open - at));
      if (open == npos) return kept;
      body = open + 2;
    }
    const std::size_t close = sheet.find("*/", body);
    if (close == npos) return kept;
    at = close + 2;
  }
}

StyleCost StyleMatchingCost(const Document& page, const StyleBudget& budget)
{
  std::vector<Place> places;
  std::vector<std::string> sheets;
  Flatten(page.Root(), -1, places, sheets);
  StyleCost cost;
  // Each selector is counted as it is read, and only while the budget holds: counting one takes
  // its compounds times the elements, and nothing is kept.
  SheetReader reader(cost, budget, [&](const Selector& selector) {
    cost.compoundsAtElements += selector.compounds.size() * places.size();
    if (budget.PassedBy(cost)) return;
    const SelectorCost counted = CostOf(selector, places);
    cost.tests += counted.tests;
    cost.matches += counted.matches;
  });
  for (std::string& sheet : sheets) {
    if (budget.PassedBy(cost)) break;
    reader.Read(std::move(sheet));
  }
  return cost;
}

}  // namespace vetra::web
