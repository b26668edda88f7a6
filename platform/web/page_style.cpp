#include "platform/web/page_style.h"

namespace vetra::web {

const char* const kDefaultPageStyle = R"css(
html { display: block; }
head, title, meta, link, style, script, param, noscript { display: none; }
body { display: block; margin: 8px; }
div, p, address, blockquote, center, dl, dd, dt, form, fieldset, hr, ol, ul, pre, h1, h2, h3, h4, h5, h6, menu, dir { display: block; }
p, blockquote, dl, ol, ul, pre, h1, h2, h3, h4, h5, h6, menu, dir { margin-top: 1em; margin-bottom: 1em; }
blockquote { margin-left: 40px; margin-right: 40px; }
dd { margin-left: 40px; }
ol, ul, menu, dir { padding-left: 40px; }
ul, menu, dir { list-style-type: disc; }
ol { list-style-type: decimal; }
li { display: list-item; }
ul ul, ol ul { list-style-type: circle; }
h1 { font-size: 2em; margin-top: 0.67em; margin-bottom: 0.67em; font-weight: bold; }
h2 { font-size: 1.5em; margin-top: 0.83em; margin-bottom: 0.83em; font-weight: bold; }
h3 { font-size: 1.17em; font-weight: bold; }
h4 { font-weight: bold; }
h5 { font-size: 0.83em; font-weight: bold; }
h6 { font-size: 0.67em; font-weight: bold; }
b, strong, th { font-weight: bold; }
i, em, cite, var, dfn, address { font-style: italic; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
pre, tt, code, kbd, samp { font-family: monospace; }
pre { white-space: pre; }
big { font-size: 1.17em; }
small, sub, sup { font-size: 0.83em; }
sub { vertical-align: sub; }
sup { vertical-align: super; }
center { text-align: center; }
hr { border: 1px inset #808080; margin-top: 0.5em; margin-bottom: 0.5em; }
a:link, a { color: #0000FF; text-decoration: underline; cursor: pointer; }
br { display: block; }
img { display: inline-block; }
object, embed, applet { display: inline-block; }
table { display: table; border-collapse: separate; border-spacing: 2px; }
thead { display: table-header-group; vertical-align: middle; }
tbody { display: table-row-group; vertical-align: middle; }
tfoot { display: table-footer-group; vertical-align: middle; }
tr { display: table-row; vertical-align: inherit; }
td, th { display: table-cell; vertical-align: inherit; padding: 1px; }
th { text-align: center; }
caption { display: table-caption; text-align: center; }
table[border] { border: 1px outset #808080; }
table[border] td, table[border] th { border: 1px inset #808080; }
table[border="0"], table[border="0"] td, table[border="0"] th { border-style: none; }
input, select, textarea, button { display: inline-block; }
)css";

}  // namespace vetra::web
