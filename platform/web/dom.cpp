#include "platform/web/dom.h"

#include <gumbo.h>

#include "platform/base/text.h"

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

std::unique_ptr<Node> Convert(const GumboNode& source, Node* parent)
{
  auto node = std::make_unique<Node>();
  node->parent = parent;
  switch (source.type) {
    case GUMBO_NODE_DOCUMENT: node->type = Node::Type::Document; break;
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE: {
      const GumboElement& element = source.v.element;
      node->type = Node::Type::Element;
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
      }
      break;
    }
    case GUMBO_NODE_COMMENT: node->type = Node::Type::Comment; node->text = source.v.text.text; return node;
    default: node->type = Node::Type::Text; node->text = source.v.text.text; return node;
  }
  const GumboVector& children =
      source.type == GUMBO_NODE_DOCUMENT ? source.v.document.children : source.v.element.children;
  for (unsigned i = 0; i < children.length; ++i) {
    node->children.push_back(Convert(*static_cast<const GumboNode*>(children.data[i]), node.get()));
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

Document ParseHtml(std::string_view utf8)
{
  GumboOptions options = kGumboDefaultOptions;
  GumboOutput* output = gumbo_parse_with_options(&options, utf8.data(), utf8.size());
  if (output == nullptr) return Document();
  Document document(Convert(*output->document, nullptr));
  gumbo_destroy_output(&options, output);
  return document;
}

}  // namespace vetra::web
