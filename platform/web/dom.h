#pragma once
// The page's document tree, as far as the page host needs it: elements with their attributes,
// text, and lookups by id. Text is UTF-8 (the parser's and the script engine's encoding).

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vetra::web {

struct Node {
  enum class Type { Document, Element, Text, Comment };

  Type type = Type::Element;
  std::string tag;  // lower case
  std::vector<std::pair<std::string, std::string>> attributes;  // names lower case
  std::string text;  // Text and Comment nodes
  std::vector<std::unique_ptr<Node>> children;
  Node* parent = nullptr;
  // An SVG or MathML element: whatever its name, its text is read as markup, never as it stands.
  bool foreign = false;

  bool IsElement(std::string_view name) const { return type == Type::Element && tag == name; }
  // The attribute's value, or nullptr; names compare without regard to case.
  const std::string* Attribute(std::string_view name) const;
  std::string AttributeOr(std::string_view name, std::string fallback = {}) const;
  // All text below the node, in document order.
  std::string TextContent() const;
};

class Document {
public:
  Document();
  explicit Document(std::unique_ptr<Node> root);

  const Node& Root() const { return *m_root; }
  // Elements in document order.
  void ForEachElement(const std::function<void(const Node&)>& visit) const;
  const Node* FindById(std::string_view id) const;
  const Node* FindFirst(std::string_view tag) const;
  // The TITLE element's text with blanks stripped at both ends and runs collapsed.
  std::string Title() const;

private:
  std::unique_ptr<Node> m_root;
};

// What one page may be for the viewer to lay it out. The layout keeps 2.5 to 7 KB for every
// element, up to 400 bytes for every character of text and some 25 bytes for every byte of
// style, and works down the nesting on the stack: past these a page would take the memory and
// time the page asks for. No real page comes near them; browsers stop nesting at the same depth.
struct PageLimits {
  std::size_t elements;    // elements and comments
  std::size_t depth;       // elements inside one another, HTML and BODY included
  std::size_t textChars;   // characters of the text between the tags (scripts and styles aside)
  std::size_t styleBytes;  // STYLE elements and style attributes together
  // What the parser may take while it reads the page: a page whose markup makes it build far
  // more than the page writes, or work long on little, is stopped there.
  std::size_t parserBytes;
  std::chrono::milliseconds parseTime;
  // What matching the page's style against its elements may take: selector compounds times the
  // elements each selector is tried at (what bounding the rest takes), elements a selector may
  // match (the layout keeps a record of each, some 32 bytes), and selector tests in all, some
  // 25 nanoseconds each (a combinator that looks at every ancestor or earlier sibling makes
  // these grow as a power of the page's depth): a few seconds at most.
  std::size_t styleCompoundsAtElements;
  std::size_t styleMatches;
  double styleTests;
};
inline constexpr PageLimits kPageLimits{
    20'000, 512, 256 * 1024, 1024 * 1024, 64 * 1024 * 1024, std::chrono::seconds(5), 50'000'000, 4'000'000, 100'000'000,
};

// Parses HTML (UTF-8) as a browser does: a broken page still gives a document. A page past
// `limits` gives none, and `why` (when given) says which limit it passed.
std::optional<Document> ParseHtml(std::string_view utf8, std::string* why = nullptr,
                                  const PageLimits& limits = kPageLimits);

}  // namespace vetra::web
