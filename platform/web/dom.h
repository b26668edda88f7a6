#pragma once
// The page's document tree, as far as the page host needs it: elements with their attributes,
// text, and lookups by id. Text is UTF-8 (the parser's and the script engine's encoding).

#include <functional>
#include <memory>
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

// Parses HTML (UTF-8) as a browser does: a broken page still gives a document.
Document ParseHtml(std::string_view utf8);

}  // namespace vetra::web
