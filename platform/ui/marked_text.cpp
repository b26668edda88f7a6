#include "platform/ui/marked_text.h"

#include "platform/base/text.h"
#include "platform/gdi/gdi_wrappers.h"

namespace win {

MarkedText ReadMarks(std::string_view text)
{
  MarkedText out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '&' && i + 1 < text.size()) {
      if (text[i + 1] == '&') {
        out.shown.push_back('&');
        i += 2;
        continue;
      }
      ++i;
      if (out.mark == std::string::npos) {
        out.mark = out.shown.size();
        out.markLength = vetra::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
      }
      continue;
    }
    // A double-byte character is copied whole (its second byte is never '&').
    const std::size_t length = vetra::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    out.shown.append(text.substr(i, length));
    i += length;
  }
  return out;
}

void DrawMarkedText(CDC& dc, std::string_view text, RECT* rect, UINT format)
{
  const MarkedText marked = ReadMarks(text);
  dc.DrawText(marked.shown, rect, format | DT_NOPREFIX);
  if (marked.mark == std::string::npos || (format & DT_CALCRECT)) return;
  const std::string_view shown = marked.shown;
  const CSize whole = dc.GetTextExtent(shown);
  int x = rect->left;
  if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - whole.cx) / 2;
  else if (format & DT_RIGHT) x = rect->right - whole.cx;
  int y = rect->top;
  if (format & DT_VCENTER) y = rect->top + (rect->bottom - rect->top - whole.cy) / 2;
  else if (format & DT_BOTTOM) y = rect->bottom - whole.cy;
  TEXTMETRIC tm;
  dc.GetTextMetrics(&tm);
  const int left = x + dc.GetTextExtent(shown.substr(0, marked.mark)).cx;
  const int right = x + dc.GetTextExtent(shown.substr(0, marked.mark + marked.markLength)).cx;
  const int line = y + tm.tmAscent + 1;
  if (line >= rect->bottom || right <= left) return;
  CPen pen(PS_SOLID, 1, dc.GetTextColor());
  CPen* old = dc.SelectObject(&pen);
  dc.MoveTo(left, line);
  dc.LineTo(right, line);
  dc.SelectObject(old);
}

}  // namespace win
