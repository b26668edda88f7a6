#include "platform/web/dom.h"

#include <gtest/gtest.h>
#include <gumbo.h>

#include <string>

#include "platform/web/html_writer.h"

namespace vetra::web {
namespace {

std::string Repeat(const std::string& piece, std::size_t times)
{
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

// A paragraph holding `count` bold elements that differ by an attribute, then `count`
// paragraphs that each start one more: the parser copies every bold element still open into
// each new paragraph, so the page makes count * count / 2 elements from 15 bytes a paragraph.
std::string CopiedFormatting(int count)
{
  std::string page;
  for (int i = 0; i < count; ++i) page += "<p><b n=" + std::to_string(i) + "></p>";
  return page;
}

TEST(ParseHtml, APagePastWhatTheViewerLaysOutGivesNoDocumentAndSaysWhy)
{
  const std::size_t elements = kPageLimits.elements;
  const std::size_t depth = kPageLimits.depth;
  const std::string text(kPageLimits.textChars, 'x');
  const std::string style = Repeat("a:1;", kPageLimits.styleBytes / 4);
  const struct {
    const char* name;
    std::string page;
    const char* why;  // empty when the page is read
  } cases[] = {
      // HTML and BODY hold the nested elements.
      {"nested as deep as a page may be", Repeat("<div>", depth - 2) + "deep", ""},
      {"nested deeper", Repeat("<div>", 600) + "deep", "nested"},
      {"nested deeper in tables", Repeat("<table><tr><td>", 150), "nested"},
      // HTML, HEAD and BODY are elements of every page.
      {"as many elements as a page may hold", Repeat("<p>", elements - 3), ""},
      {"one more", Repeat("<p>", elements - 2), "elements"},
      {"more tags than a page may hold elements", Repeat("<p>", elements + 1), "tags"},
      {"comments", Repeat("<!---->", elements), "elements"},
      {"formatting copied into every paragraph", CopiedFormatting(400), "elements"},
      {"as much text as a page may hold", "<p>" + text, ""},
      {"more text", "<p>" + text + "x", "text"},
      {"more blanks", "<pre>" + std::string(kPageLimits.textChars + 1, ' '), "text"},
      {"Korean text counts by characters", "<p>" + Repeat("가", kPageLimits.textChars), ""},
      {"a script's text is no text of the page", "<script>" + text + text + "</script><p>x", ""},
      {"as much style as a page may hold", "<style>" + style.substr(0, style.size() / 2) + "</style><p style=\"" +
                                               style.substr(style.size() / 2) + "\">x", ""},
      {"more style in a STYLE element", "<style>" + style + ";</style><p>x", "style"},
      {"more style in the elements' own", Repeat("<p style=\"" + style.substr(0, 1024) + "\">", 1025), "style"},
      // Each descendant combinator tries every ancestor, and the part left of it again at each:
      // five among a hundred DIVs are 75 million ways to fail on the Q.
      {"a selector whose matching tries every choice of ancestors",
       "<style>q div div div div div p{}</style>" + Repeat("<div>", 100) + "<p>x", "style"},
      {"the same selector over a shallow page", "<style>q div div div div div p{}</style>" + Repeat("<div>", 10) + "<p>x", ""},
      {"the same over a deep page without a paragraph", "<style>q div div div div div p{}</style>" + Repeat("<div>", 100) + "x", ""},
      {"every earlier sibling, and theirs", "<style>q~p~p~p~p~p{}</style>" + Repeat("<p>", 200), "style"},
      // The layout copies a pseudo-class's argument at every level it is nested in, and keeps it.
      {"pseudo-classes nested inside each other",
       "<style>p" + Repeat(":not(", 2000) + "a" + Repeat(")", 2000) + "{}</style><p>x", "style"},
      // A pseudo-class is looked at only where the compound's tag and classes may match.
      {"a long table under a menu's rules for hovered links",
       "<style>" + Repeat("#menu li a:hover{color:red}", 300) + "</style><table>" + Repeat("<tr><td>x", 2000), ""},
      {"many rules at many elements", "<style>" + Repeat("*{}", 2000) + "</style>" + Repeat("<p>", 10000), "style"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string why;
    const std::optional<Document> document = ParseHtml(c.page, &why);
    EXPECT_EQ(document.has_value(), *c.why == '\0');
    EXPECT_NE(why.find(c.why), std::string::npos) << why;
  }
}

TEST(ParseHtml, TheParserStopsAtItsAllowanceOfMemoryAndTime)
{
  PageLimits limits = kPageLimits;
  limits.parserBytes = 1024 * 1024;
  std::string why;
  // About 45,000 copies: far more than a megabyte to the parser, from a page of 5 KB.
  EXPECT_FALSE(ParseHtml(CopiedFormatting(300), &why, limits));
  EXPECT_NE(why.find("1 MB"), std::string::npos) << why;
  EXPECT_TRUE(ParseHtml("<title>Small</title><p>page</p>", &why, limits));

  limits = kPageLimits;
  limits.parseTime = std::chrono::milliseconds(0);
  EXPECT_FALSE(ParseHtml("<title>Small</title><p>page</p>", &why, limits));
  EXPECT_NE(why.find("time"), std::string::npos) << why;
}

// The document as text, comments aside: one line per node, indented by depth.
void Dump(const Node& node, int depth, std::string& out)
{
  if (node.type == Node::Type::Comment) return;
  out += std::string(depth * 2, ' ');
  switch (node.type) {
    case Node::Type::Document: out += "#document"; break;
    case Node::Type::Comment: break;
    case Node::Type::Text: out += "\"" + node.text + "\""; break;
    case Node::Type::Element:
      out += "<" + node.tag;
      for (const auto& [name, value] : node.attributes) out += " " + name + "=\"" + value + "\"";
      out += ">";
      break;
  }
  out += "\n";
  for (const auto& child : node.children) Dump(*child, depth + 1, out);
}

std::string Dump(const Document& document)
{
  std::string out;
  Dump(document.Root(), 0, out);
  return out;
}

// What a reader that reports its repairs finds to repair in `html`.
unsigned RepairsOf(const std::string& html)
{
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
  const unsigned repairs = output->errors.length;
  gumbo_destroy_output(&kGumboDefaultOptions, output);
  return repairs;
}

TEST(WriteHtml, APageWrittenOutReadsBackAsTheSameDocumentWithNothingToRepair)
{
  const char* const pages[] = {
      "",
      "<!DOCTYPE html><html><head><title>A &amp; B</title></head><body bgcolor=#A8A7AD>x</body></html>",
      "<p>one<p>two<div>three</div><li>four<li>five",
      "<b>bold <i>both</b> italic</i> plain",
      "<p><b>open<p>copied<table><tr><td>cell<b>inner</td></tr></table>",
      "<table>loose text<tr><td>a<td>b</table>",
      "<p title='say \"hi\" &amp; go' data-x=a&nbsp;b>1 &lt; 2 &gt; 0 &amp;&nbsp;</p>",
      "<script>if (a < b && c > d) document.title = '</p>';</script><style>p > b { color: red }</style>",
      "<textarea>\n\nkept &lt;b&gt;</textarea><pre>\n\nindented</pre><listing>\n\nlisted</listing>",
      "<!-- note --><p>after<!-- inside - with -- dashes --><!x->",
      "<?bogus comment><p>x</p></br></p>",
      "<svg viewBox=\"0 0 1 1\"><foreignObject><p>in</p></foreignObject><path d=\"M0\"/></svg><math><mi>x</mi></math>",
      "<object id=Tessial classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\"><param name=a value=b></object>",
      "<select><option>a<option>b</select><frameset><frame></frameset>",
      "<a<b>strange tag</a<b>",
      "<noscript><p>no script</p></noscript><template><td>cell</td></template>",
      // In SVG and MathML, a STYLE or SCRIPT holds markup like any element: its text is escaped.
      "<svg><style>&lt;div&gt;&lt;p&gt;x</style><script>a &lt;b&gt; c</script></svg><p>after",
      "<math><style>&lt;/math&gt;&lt;div&gt;</style></math><svg><textarea>\nkept</textarea></svg>",
  };
  for (const char* page : pages) {
    SCOPED_TRACE(page);
    const std::optional<Document> read = ParseHtml(page);
    ASSERT_TRUE(read);
    const std::string written = WriteHtml(*read);
    const std::optional<Document> again = ParseHtml(written);
    ASSERT_TRUE(again);
    EXPECT_EQ(Dump(*again), Dump(*read)) << written;
    // Nothing but the missing document type (left out, so the page is read in the mode it was).
    EXPECT_LE(RepairsOf(written), 1u) << written;
  }

  // Text to the end of the page stays text; the end is all that is left to repair.
  const std::optional<Document> plain = ParseHtml("<p>x<plaintext></p>rest");
  const std::string written = WriteHtml(*plain);
  EXPECT_EQ(Dump(*ParseHtml(written)), Dump(*plain)) << written;
  EXPECT_LE(RepairsOf(written), 2u) << written;

  // Attributes whose names a reader has to repair mean nothing to the page: they are left out.
  const std::optional<Document> odd = ParseHtml("<p \"odd=1 a<b=2 =c id=kept>text</p>");
  const std::string oddWritten = WriteHtml(*odd);
  EXPECT_EQ(ParseHtml(oddWritten)->FindFirst("p")->attributes,
            (std::vector<std::pair<std::string, std::string>>{{"id", "kept"}}));
  EXPECT_LE(RepairsOf(oddWritten), 1u) << oddWritten;
}

// A style's comments are gone from the page the layout reads; what was on either side of one
// may then read as the style's end tag, which must not end the style there: what follows is
// still the style's text, not elements of the page.
TEST(WriteHtml, AStylesEndTagMadeByRemovingAnInnerCommentDoesNotEndIt)
{
  for (const char* page : {"<style>p{}<//**/style><div><div><p>x", "<style>p{}</*x*/STYLE>\n<div><p>x</style>",
                           "<style>p{}<//* a */style ><div>x"}) {
    SCOPED_TRACE(page);
    const std::optional<Document> read = ParseHtml(page);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->FindFirst("div"), nullptr);
    const std::string written = WriteHtml(*read);
    const std::optional<Document> again = ParseHtml(written);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->FindFirst("div"), nullptr) << written;
    EXPECT_EQ(again->FindFirst("style")->children.size(), 1u) << written;
  }
}

}  // namespace
}  // namespace vetra::web
