#include "platform/web/html_writer.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/base/text.h"
#include "platform/web/style_cost.h"

namespace vetra::web {
namespace {

bool IsOneOf(std::string_view tag, std::initializer_list<std::string_view> tags)
{
  return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

// Elements that have no content and no end tag.
bool IsVoid(std::string_view tag)
{
  return IsOneOf(tag, {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img", "input",
                       "keygen", "link", "meta", "param", "source", "track", "wbr"});
}

// Elements whose text the reader takes as it stands, up to their end tag.
bool HoldsRawText(std::string_view tag)
{
  return IsOneOf(tag, {"script", "style", "xmp", "iframe", "noembed", "noframes", "plaintext"});
}

// Elements whose first line break the reader drops.
bool DropsFirstLineBreak(std::string_view tag)
{
  return IsOneOf(tag, {"pre", "textarea", "listing"});
}

// An attribute name the reader takes without a repair: anything else came from broken markup
// and means nothing to the page.
bool IsPlainAttributeName(std::string_view name)
{
  if (name.empty() || name.front() == '=') return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return c == '"' || c == '\'' || c == '<' || c == '=' || c == '/' || c == '>' || c == ' ' || c == '\t' ||
           c == '\n' || c == '\r' || c == '\f';
  });
}

void WriteEscaped(std::string_view text, bool inAttribute, std::string& out)
{
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '&') out += "&amp;";
    else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
      out += "&nbsp;";
      ++i;
    } else if (inAttribute && c == '"') out += "&quot;";
    else if (!inAttribute && c == '<') out += "&lt;";
    else if (!inAttribute && c == '>') out += "&gt;";
    else out += c;
  }
}

// A style sheet's text as the layout reads it, without comments; in SVG or MathML escaped as any
// text there. An HTML style's text never held its end tag, but a comment may have stood inside one
// ("<//**/style>"): where removing it made one, a blank after the "<" keeps it text, as it was (to
// the style sheet it is no rule either way).
void WriteStyleText(std::string_view text, bool foreign, std::string& out)
{
  const std::string sheet = StyleWithoutComments(text);
  if (foreign) {
    WriteEscaped(sheet, false, out);
    return;
  }
  constexpr std::string_view kEndTag = "</style";
  std::size_t at = 0;
  for (std::size_t i = 0; i + kEndTag.size() <= sheet.size(); ++i) {
    if (sheet[i] == '<' && EqualsNoCase(std::string_view(sheet).substr(i, kEndTag.size()), kEndTag)) {
      out.append(sheet, at, i + 1 - at);
      out += ' ';
      at = i + 1;
    }
  }
  out.append(sheet, at);
}

class Writer {
public:
  void Write(const Node& node);
  std::string Take() { return std::move(m_out); }

private:
  void WriteElement(const Node& element);

  std::string m_out;
  // A PLAINTEXT element's text runs to the end of the page: nothing may be written after it.
  bool m_ended = false;
};

void Writer::Write(const Node& node)
{
  if (m_ended) return;
  switch (node.type) {
    case Node::Type::Document:
      for (const auto& child : node.children) Write(*child);
      break;
    case Node::Type::Element: WriteElement(node); break;
    case Node::Type::Text:
      // The layout's reader of style sheets removes comments one at a time, moving the rest of
      // the sheet each time, and never ends on one left open at the sheet's second character:
      // it gets the sheet without them.
      if (node.parent != nullptr && node.parent->IsElement("style")) WriteStyleText(node.text, node.parent->foreign, m_out);
      else if (node.parent != nullptr && !node.parent->foreign && HoldsRawText(node.parent->tag)) m_out += node.text;
      else WriteEscaped(node.text, false, m_out);
      break;
    case Node::Type::Comment: break;  // nobody sees it, and the layout would keep it as a box
  }
}

void Writer::WriteElement(const Node& element)
{
  m_out += '<';
  m_out += element.tag;
  for (const auto& [name, value] : element.attributes) {
    if (!IsPlainAttributeName(name)) continue;
    m_out += ' ';
    m_out += name;
    m_out += "=\"";
    WriteEscaped(value, true, m_out);
    m_out += '"';
  }
  m_out += '>';
  if (IsVoid(element.tag)) return;
  if (!element.foreign && DropsFirstLineBreak(element.tag) && !element.children.empty()) {
    const Node& first = *element.children.front();
    if (first.type == Node::Type::Text && !first.text.empty() && first.text.front() == '\n') m_out += '\n';
  }
  for (const auto& child : element.children) Write(*child);
  if (element.tag == "plaintext") m_ended = true;
  if (m_ended) return;
  m_out += "</";
  m_out += element.tag;
  m_out += '>';
}

}  // namespace

std::string WriteHtml(const Document& document)
{
  Writer writer;
  writer.Write(document.Root());
  return writer.Take();
}

}  // namespace vetra::web
