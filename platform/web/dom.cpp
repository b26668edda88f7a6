#include "platform/web/dom.h"

#include <gumbo.h>

#include <cstdint>

#include "platform/base/text.h"
#include "platform/web/parser_allowance.h"
#include "platform/web/style_cost.h"

namespace vetra::web {
namespace {

void CollectText(const Node& node, std::string& out)
{
  if (node.type == Node::Type::Text) out += node.text;
  for (const auto& child : node.children) CollectText(*child, out);
}

bool Visit(const Node& node, const std::function<bool(const Node&)>& visit)
{
  if (node.type == Node::Type::Element && !visit(node)) return false;
  for (const auto& child : node.children) {
    if (!Visit(*child, visit)) return false;
  }
  return true;
}

bool IsAsciiLetter(char c)
{
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The start tags a page writes: a "<" and a letter, wherever it stands. No element is made
// without one (but for the few the parser adds or copies), so a page with more than a page may
// hold is refused before the parser spends anything on it.
std::size_t StartTagsIn(std::string_view utf8)
{
  std::size_t count = 0;
  for (std::size_t at = utf8.find('<'); at != std::string_view::npos && at + 1 < utf8.size();
       at = utf8.find('<', at + 1)) {
    if (IsAsciiLetter(utf8[at + 1])) ++count;
  }
  return count;
}

std::size_t CharactersIn(std::string_view utf8)
{
  std::size_t count = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

// Builds the document from the parser's tree while it stays within the limits; the first limit
// passed ends the building, and Why() says which it was.
class Converter {
public:
  explicit Converter(const PageLimits& limits) : m_limits(limits) {}

  // The node and what it holds, or nullptr once a limit is passed. It stops before the nesting
  // goes past the limit, so its own stack never goes deeper either.
  std::unique_ptr<Node> Convert(const GumboNode& source, Node* parent, std::size_t depth);
  const std::string& Why() const { return m_why; }

private:
  // True, with the reason kept, when one more element or comment at `depth` is past the limits.
  bool TooMany(std::size_t depth);
  // The same for one more piece of text, and for one more piece of style.
  bool TooMuch(const Node& text);
  bool TooMuchStyle(std::size_t bytes);

  const PageLimits& m_limits;
  std::size_t m_elements = 0;
  std::size_t m_textChars = 0;
  std::size_t m_styleBytes = 0;
  std::string m_why;
};

bool Converter::TooMany(std::size_t depth)
{
  if (depth > m_limits.depth) {
    m_why = "nested more than " + std::to_string(m_limits.depth) + " deep";
    return true;
  }
  if (++m_elements > m_limits.elements) {
    m_why = "more than " + std::to_string(m_limits.elements) + " elements";
    return true;
  }
  return false;
}

bool Converter::TooMuch(const Node& text)
{
  // A script is kept whole and a style is read into rules; the layout breaks up only the
  // page's own text.
  if (text.parent->IsElement("script")) return false;
  if (text.parent->IsElement("style")) return TooMuchStyle(text.text.size());
  m_textChars += CharactersIn(text.text);
  if (m_textChars <= m_limits.textChars) return false;
  m_why = "more than " + std::to_string(m_limits.textChars) + " characters of text";
  return true;
}

bool Converter::TooMuchStyle(std::size_t bytes)
{
  m_styleBytes += bytes;
  if (m_styleBytes <= m_limits.styleBytes) return false;
  m_why = "more than " + std::to_string(m_limits.styleBytes / 1024) + " KB of style";
  return true;
}

std::unique_ptr<Node> Converter::Convert(const GumboNode& source, Node* parent, std::size_t depth)
{
  auto node = std::make_unique<Node>();
  node->parent = parent;
  switch (source.type) {
    case GUMBO_NODE_DOCUMENT: node->type = Node::Type::Document; break;
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE: {
      if (TooMany(depth)) return nullptr;
      const GumboElement& element = source.v.element;
      node->type = Node::Type::Element;
      node->foreign = element.tag_namespace != GUMBO_NAMESPACE_HTML;
      if (element.tag == GUMBO_TAG_UNKNOWN) {
        GumboStringPiece name = element.original_tag;
        gumbo_tag_from_original_text(&name);
        node->tag = ToLowerAscii(std::string_view(name.data, name.length));
      } else {
        node->tag = gumbo_normalized_tagname(element.tag);
      }
      for (unsigned i = 0; i < element.attributes.length; ++i) {
        const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
        node->attributes.emplace_back(ToLowerAscii(attribute->name), attribute->value);
        if (node->attributes.back().first == "style" && TooMuchStyle(node->attributes.back().second.size()))
          return nullptr;
      }
      break;
    }
    case GUMBO_NODE_COMMENT:
      if (TooMany(depth)) return nullptr;
      node->type = Node::Type::Comment;
      node->text = source.v.text.text;
      return node;
    default:
      node->type = Node::Type::Text;
      node->text = source.v.text.text;
      if (TooMuch(*node)) return nullptr;
      return node;
  }
  const GumboVector& children =
      source.type == GUMBO_NODE_DOCUMENT ? source.v.document.children : source.v.element.children;
  for (unsigned i = 0; i < children.length; ++i) {
    std::unique_ptr<Node> child = Convert(*static_cast<const GumboNode*>(children.data[i]), node.get(), depth + 1);
    if (!child) return nullptr;
    node->children.push_back(std::move(child));
  }
  return node;
}

}  // namespace

const std::string* Node::Attribute(std::string_view name) const
{
  for (const auto& [key, value] : attributes) {
    if (EqualsNoCase(key, name)) return &value;
  }
  return nullptr;
}

std::string Node::AttributeOr(std::string_view name, std::string fallback) const
{
  const std::string* value = Attribute(name);
  return value != nullptr ? *value : std::move(fallback);
}

std::string Node::TextContent() const
{
  std::string out;
  CollectText(*this, out);
  return out;
}

Document::Document() : m_root(std::make_unique<Node>())
{
  m_root->type = Node::Type::Document;
}

Document::Document(std::unique_ptr<Node> root) : m_root(std::move(root)) {}

void Document::ForEachElement(const std::function<void(const Node&)>& visit) const
{
  Visit(*m_root, [&](const Node& node) {
    visit(node);
    return true;
  });
}

const Node* Document::FindById(std::string_view id) const
{
  const Node* found = nullptr;
  Visit(*m_root, [&](const Node& node) {
    const std::string* value = node.Attribute("id");
    if (value != nullptr && *value == id) found = &node;
    return found == nullptr;
  });
  return found;
}

const Node* Document::FindFirst(std::string_view tag) const
{
  const Node* found = nullptr;
  Visit(*m_root, [&](const Node& node) {
    if (node.tag == tag) found = &node;
    return found == nullptr;
  });
  return found;
}

std::string Document::Title() const
{
  const Node* title = FindFirst("title");
  if (title == nullptr) return {};
  std::string collapsed;
  bool pendingBlank = false;
  for (char c : title->TextContent()) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') {
      pendingBlank = !collapsed.empty();
      continue;
    }
    if (pendingBlank) collapsed.push_back(' ');
    pendingBlank = false;
    collapsed.push_back(c);
  }
  return collapsed;
}

std::optional<Document> ParseHtml(std::string_view utf8, std::string* why, const PageLimits& limits)
{
  const auto refuse = [&](std::string reason) -> std::optional<Document> {
    if (why != nullptr) *why = std::move(reason);
    return std::nullopt;
  };
  if (StartTagsIn(utf8) > limits.elements) return refuse("more than " + std::to_string(limits.elements) + " tags");
  ParserAllowance allowance(limits.parserBytes, limits.parseTime);
  const GumboOutput* output = allowance.Parse(utf8);
  if (output == nullptr) return refuse(allowance.Why());
  Converter converter(limits);
  std::unique_ptr<Node> root = converter.Convert(*output->document, nullptr, 0);
  if (!root) return refuse(converter.Why());
  Document document(std::move(root));
  const StyleCost style =
      StyleMatchingCost(document, {limits.styleCompoundsAtElements, limits.styleMatches, limits.styleTests});
  if (style.compoundsAtElements > limits.styleCompoundsAtElements)
    return refuse("more than " + std::to_string(limits.styleCompoundsAtElements) + " style selector compounds at elements");
  if (style.matches > limits.styleMatches)
    return refuse("more than " + std::to_string(limits.styleMatches) + " style selectors matching elements");
  if (style.tests > limits.styleTests) return refuse("style that takes more than " + std::to_string(static_cast<std::uint64_t>(limits.styleTests)) + " selector tests");
  return document;
}

}  // namespace vetra::web
