#include "platform/ui/control_painting.h"

#include <algorithm>

#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/ui/edit.h"
#include "platform/ui/paint.h"
#include "platform/ui/radio_mark.h"
#include "platform/ui/static.h"
#include "platform/ui/system_colors.h"

namespace win {

namespace {

// The font of controls that were given none. A plain handle: it lives as long as the process.
CFont* DefaultFont()
{
  static const HFONT font = [] {
    LOGFONT description{};
    description.lfHeight = -12;
    description.lfWeight = 400;
    description.lfCharSet = 129;
    const std::string face = vetra::Cp949("굴림");
    std::copy_n(face.c_str(), std::min(face.size() + 1, sizeof description.lfFaceName), description.lfFaceName);
    return CreateFontIndirectA(&description);
  }();
  return CFont::FromHandle(font);
}

CFont* FontOf(const CWnd& wnd)
{
  CFont* font = wnd.GetFont();
  return font && font->m_hObject ? font : DefaultFont();
}

// Asks the parent for the control's colours (WM_CTLCOLOR...), then fills the background.
void FillBackground(CWnd& control, CDC& dc, UINT message, const CRect& area)
{
  HBRUSH brush = nullptr;
  if (CWnd* parent = control.GetParent()) {
    brush = reinterpret_cast<HBRUSH>(
        parent->SendMessage(message, reinterpret_cast<WPARAM>(&dc), reinterpret_cast<LPARAM>(control.m_hWnd)));
  } else {
    brush = reinterpret_cast<HBRUSH>(detail::DefaultControlColor(message, reinterpret_cast<WPARAM>(&dc)));
  }
  if (brush) dc.FillRect(&area, CBrush::FromHandle(brush));
}

void RaisedEdge(CDC& dc, CRect r)
{
  dc.Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
  r.DeflateRect(1, 1);
  dc.Draw3dRect(&r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void SunkenEdge(CDC& dc, CRect r)
{
  dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  r.DeflateRect(1, 1);
  dc.Draw3dRect(&r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
}

// The round mark of a radio button, pixel by pixel, with its top-left corner at `at`.
void PaintRadioMark(CDC& dc, CPoint at, COLORREF face, COLORREF ink, bool checked)
{
  using vetra::ui::RadioMarkPart;
  for (int y = 0; y < vetra::ui::kRadioMarkSize; ++y) {
    for (int x = 0; x < vetra::ui::kRadioMarkSize; ++x) {
      COLORREF colour = face;
      switch (vetra::ui::RadioMarkPartAt(x, y, checked)) {
        case RadioMarkPart::Outside: continue;
        case RadioMarkPart::OuterShadow: colour = GetSysColor(COLOR_BTNSHADOW); break;
        case RadioMarkPart::InnerShadow: colour = GetSysColor(COLOR_3DDKSHADOW); break;
        case RadioMarkPart::InnerLight: colour = GetSysColor(COLOR_3DLIGHT); break;
        case RadioMarkPart::OuterLight: colour = GetSysColor(COLOR_BTNHIGHLIGHT); break;
        case RadioMarkPart::Face: break;
        case RadioMarkPart::Dot: colour = ink; break;
      }
      dc.SetPixel(at.x + x, at.y + y, colour);
    }
  }
}

void Line(CDC& dc, int x0, int y0, int x1, int y1)
{
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

// A small solid triangle pointing in the given direction, centred in r.
void Arrow(CDC& dc, const CRect& r, int direction, bool enabled)
{
  CPen pen(0, 1, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  CPen* old = dc.SelectObject(&pen);
  const CPoint c = r.CenterPoint();
  for (int i = 0; i < 4; ++i) {
    switch (direction) {
      case 0: Line(dc, c.x - 1 + i, c.y - i, c.x - 1 + i, c.y + i + 1); break;   // left
      case 1: Line(dc, c.x + 1 - i, c.y - i, c.x + 1 - i, c.y + i + 1); break;   // right
      case 2: Line(dc, c.x - i, c.y - 1 + i, c.x + i + 1, c.y - 1 + i); break;   // up
      default: Line(dc, c.x - i, c.y + 1 - i, c.x + i + 1, c.y + 1 - i); break;  // down
    }
  }
  dc.SelectObject(old);
}

int LineHeight(const CWnd& wnd)
{
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CFont* old = dc.SelectObject(FontOf(wnd));
  TEXTMETRIC tm;
  dc.GetTextMetrics(&tm);
  dc.SelectObject(old);
  return std::max<int>(1, tm.tmHeight);
}

// A control's text as it shows: "&&" is one ampersand, and the character after a single "&"
// is the control's mnemonic, shown underlined.
struct ShownText {
  std::string text;
  std::size_t marked = std::string::npos;
  std::size_t markedLength = 0;
};

ShownText WithoutMarks(const std::string& text)
{
  ShownText shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&' && shown.marked == std::string::npos) {
        shown.marked = shown.text.size();
        shown.markedLength = vetra::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
      }
    }
    shown.text += text[i];
  }
  return shown;
}

}  // namespace

// The mark is drawn one pixel under the baseline, in the text's colour.
void DrawControlText(CDC& dc, const std::string& text, CRect r, UINT format)
{
  const ShownText shown = WithoutMarks(text);
  dc.DrawText(shown.text, &r, format | DT_SINGLELINE | DT_NOPREFIX);
  if (shown.marked == std::string::npos) return;
  const CSize extent = dc.GetTextExtent(shown.text);
  int x = r.left;
  if (format & DT_CENTER) x = r.left + (r.Width() - extent.cx) / 2;
  else if (format & DT_RIGHT) x = r.right - extent.cx;
  const int y = (format & DT_VCENTER) ? r.top + (r.Height() - extent.cy) / 2 : r.top;
  TEXTMETRIC tm;
  dc.GetTextMetrics(&tm);
  const int from = x + dc.GetTextExtent(shown.text.substr(0, shown.marked)).cx;
  const int width = dc.GetTextExtent(shown.text.substr(shown.marked, shown.markedLength)).cx;
  dc.FillSolidRect(from, y + tm.tmAscent + 1, width, 1, dc.GetTextColor());
}

void PaintFocusMark(CDC& dc, const CRect& r) { PaintFocusMark(dc, r, GetSysColor(COLOR_WINDOWTEXT)); }

void PaintFocusMark(CDC& dc, const CRect& r, COLORREF ink)
{
  if (r.IsRectEmpty()) return;
  // Every other pixel along the edge, counted round the rectangle.
  int n = 0;
  const auto dot = [&](int x, int y) {
    if (n++ % 2 == 0) dc.SetPixel(x, y, ink);
  };
  for (int x = r.left; x < r.right - 1; ++x) dot(x, r.top);
  for (int y = r.top; y < r.bottom - 1; ++y) dot(r.right - 1, y);
  for (int x = r.right - 1; x > r.left; --x) dot(x, r.bottom - 1);
  for (int y = r.bottom - 1; y > r.top; --y) dot(r.left, y);
}

void PaintButton(CWnd& button, CDC& dc, const ButtonLook& look)
{
  CRect r;
  button.GetClientRect(&r);
  CFont* oldFont = dc.SelectObject(FontOf(button));
  const bool pushLike = look.kind == BS_PUSHBUTTON || look.kind == BS_DEFPUSHBUTTON;
  const bool groupBox = look.kind == BS_GROUPBOX;
  // A group box is a frame round other controls: it paints its frame and caption and leaves
  // what lies inside to show through.
  if (!groupBox) FillBackground(button, dc, pushLike ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC, r);
  dc.SetBkMode(TRANSPARENT);
  if (!look.enabled) dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  const UINT singleLine = DT_SINGLELINE | DT_VCENTER;
  if (pushLike) {
    CRect edge = r;
    if (look.thickFrame) {
      dc.Draw3dRect(&edge, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
      edge.DeflateRect(1, 1);
    }
    if (look.pushed) {
      dc.Draw3dRect(&edge, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    } else {
      RaisedEdge(dc, edge);
    }
    CRect text = r;
    if (look.pushed) text.OffsetRect(1, 1);
    DrawControlText(dc, look.text, text, DT_CENTER | singleLine);
    if (look.focused) {
      CRect mark = r;
      mark.DeflateRect(4, 4);
      PaintFocusMark(dc, mark);
    }
  } else if (groupBox) {
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    CRect frame(r.left, r.top + tm.tmHeight / 2, r.right, r.bottom);
    dc.Draw3dRect(&frame, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    frame.DeflateRect(1, 1);
    dc.Draw3dRect(&frame, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    if (!look.text.empty()) {
      // The caption interrupts the frame on the parent's background.
      const CSize size = dc.GetTextExtent(WithoutMarks(look.text).text);
      const CRect caption(r.left + 6, r.top, std::min<int>(r.right, r.left + 10 + size.cx), r.top + tm.tmHeight);
      FillBackground(button, dc, WM_CTLCOLORSTATIC, caption);  // the parent's colours too
      if (!look.enabled) dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
      dc.SetBkMode(TRANSPARENT);
      DrawControlText(dc, look.text, CRect(r.left + 8, r.top, r.right, std::max<int>(r.bottom, r.top + tm.tmHeight)), DT_LEFT | DT_TOP);
    }
  } else {
    // Check boxes and radio buttons: a 13-pixel box, the text to its right.
    const int box = 13;
    CRect mark(r.left, r.top + (r.Height() - box) / 2, r.left + box, r.top + (r.Height() - box) / 2 + box);
    const COLORREF face = GetSysColor(look.pushed || !look.enabled ? COLOR_BTNFACE : COLOR_WINDOW);
    const COLORREF ink = GetSysColor(look.enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    if (look.kind == BS_RADIOBUTTON || look.kind == BS_AUTORADIOBUTTON) {
      PaintRadioMark(dc, mark.TopLeft(), face, ink, look.check != 0);
    } else {
      dc.FillSolidRect(&mark, face);
      SunkenEdge(dc, mark);
      if (look.check) {
        CPen pen(0, 1, ink);
        CPen* old = dc.SelectObject(&pen);
        for (int i = 0; i < 3; ++i) {
          Line(dc, mark.left + 3, mark.top + 5 + i, mark.left + 5, mark.top + 7 + i);
          Line(dc, mark.left + 5, mark.top + 7 + i, mark.left + 10, mark.top + 2 + i);
        }
        dc.SelectObject(old);
      }
    }
    CRect text(mark.right + 4, r.top, r.right, r.bottom);
    DrawControlText(dc, look.text, text, DT_LEFT | singleLine);
    if (look.focused) {
      // Round the text, one pixel clear of it.
      TEXTMETRIC tm;
      dc.GetTextMetrics(&tm);
      const std::string shown = WithoutMarks(look.text).text;
      const int width = shown.empty() ? 0 : dc.GetTextExtent(shown).cx;
      const int top = r.top + (r.Height() - tm.tmHeight) / 2;
      PaintFocusMark(dc, CRect(text.left - 1, std::max<int>(r.top, top - 1), std::min<int>(r.right, text.left + width + 2),
                               std::min<int>(r.bottom, top + tm.tmHeight + 1)));
    }
  }
  dc.SelectObject(oldFont);
}

void PaintStatic(CStatic& control, CDC& dc, CBitmap* bitmap)
{
  CRect r;
  control.GetClientRect(&r);
  const DWORD type = control.GetStyle() & SS_TYPEMASK;
  FillBackground(control, dc, WM_CTLCOLORSTATIC, r);
  if (type == SS_BITMAP) {
    if (!bitmap || !bitmap->m_hObject) return;
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(bitmap);
    const CSize size = BitmapSize(*bitmap);
    int x = 0, y = 0;
    if (control.GetStyle() & SS_CENTERIMAGE) {
      x = (r.Width() - size.cx) / 2;
      y = (r.Height() - size.cy) / 2;
    }
    dc.BitBlt(x, y, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    return;
  }
  CFont* oldFont = dc.SelectObject(FontOf(control));
  dc.SetBkMode(TRANSPARENT);
  if (!control.IsWindowEnabled()) dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  const UINT align = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
  // Each line of the text on its own row; a glyph reaching below its row (a descender) is cut
  // only by the control.
  const std::string text = control.GetWindowText();
  TEXTMETRIC tm;
  dc.GetTextMetrics(&tm);
  int y = 0;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    CRect row(r.left, y, r.right, std::max<int>(r.bottom, y + tm.tmHeight));
    if (control.GetStyle() & SS_NOPREFIX) dc.DrawText(line, &row, align | DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
    else DrawControlText(dc, line, row, align | DT_TOP);
    y += tm.tmHeight;
    start = end + 1;
  }
  dc.SelectObject(oldFont);
}

void PaintScrollBar(CScrollBar& bar, CDC& dc, const CScrollBar::Layout& layout, bool, bool enabled)
{
  CRect r;
  bar.GetClientRect(&r);
  const bool vertical = bar.IsVertical();
  FillBackground(bar, dc, WM_CTLCOLORSCROLLBAR, r);
  dc.FillSolidRect(&r, GetSysColor(COLOR_SCROLLBAR));
  auto along = [&](int start, int size) {
    return vertical ? CRect(r.left, start, r.right, start + size) : CRect(start, r.top, start + size, r.bottom);
  };
  const CRect first = along(0, layout.arrow);
  const CRect last = along(layout.length - layout.arrow, layout.arrow);
  for (const CRect& button : {first, last}) {
    dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
    RaisedEdge(dc, button);
  }
  Arrow(dc, first, vertical ? 2 : 0, enabled);
  Arrow(dc, last, vertical ? 3 : 1, enabled);
  if (enabled && layout.thumbSize > 0) {
    const CRect thumb = along(layout.thumbStart, layout.thumbSize);
    dc.FillSolidRect(&thumb, GetSysColor(COLOR_BTNFACE));
    RaisedEdge(dc, thumb);
  }
}

std::optional<CRect> PaintEdit(CEdit& edit, CDC& dc, int selStart, int selEnd, bool focused, int firstLine, int scrollX,
                               std::string_view composition)
{
  const int left = 2 - scrollX;  // where the text starts
  std::optional<CRect> caret;
  CRect r;
  edit.GetClientRect(&r);
  const bool readOnly = (edit.GetStyle() & ES_READONLY) || !edit.IsWindowEnabled();
  FillBackground(edit, dc, readOnly ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, r);
  CFont* oldFont = dc.SelectObject(FontOf(edit));
  dc.SetBkMode(TRANSPARENT);
  if (!edit.IsWindowEnabled()) dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  const int height = LineHeight(edit);
  const int lines = edit.GetLineCount();
  const bool password = (edit.GetStyle() & ES_PASSWORD) != 0;
  const bool showSelection = focused || (edit.GetStyle() & ES_NOHIDESEL);
  for (int line = firstLine, y = 1; line < lines && y < r.bottom; ++line, y += height) {
    std::string text = edit.GetLine(line);
    if (password) text.assign(text.size(), '*');
    const int start = edit.LineIndex(line);
    if (!composition.empty()) {
      // The composed text stands inverted in place of the selection (at the caret when nothing
      // is selected), as the typed text will replace it; the rest of the line follows it.
      const int size = static_cast<int>(text.size());
      const int replacedFrom = std::min(selStart, selEnd);
      const std::string before = text.substr(0, static_cast<std::size_t>(std::clamp(replacedFrom - start, 0, size)));
      const std::string after = text.substr(static_cast<std::size_t>(std::clamp(std::max(selStart, selEnd) - start, 0, size)));
      dc.TextOut(left, y, before);
      int x = left + dc.GetTextExtent(before).cx;
      if (replacedFrom >= start && replacedFrom <= start + size) {
        const int end = x + dc.GetTextExtent(composition).cx;
        const COLORREF ink = dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.FillSolidRect(x, y, end - x, height, GetSysColor(COLOR_HIGHLIGHT));
        dc.TextOut(x, y, std::string(composition));
        dc.SetTextColor(ink);
        caret = CRect(x, y, end, y + height);
        x = end;
      }
      dc.TextOut(x, y, after);
      continue;
    }
    // The selection shows inverted while the box has the keyboard (or is told to keep it).
    const int a = showSelection ? std::clamp(selStart - start, 0, static_cast<int>(text.size())) : 0;
    const int b = showSelection ? std::clamp(selEnd - start, 0, static_cast<int>(text.size())) : 0;
    int x0 = 0, x1 = 0;
    if (b > a) {
      x0 = left + dc.GetTextExtent(text.substr(0, static_cast<std::size_t>(a))).cx;
      x1 = left + dc.GetTextExtent(text.substr(0, static_cast<std::size_t>(b))).cx;
      dc.FillSolidRect(x0, y, x1 - x0, height, GetSysColor(COLOR_HIGHLIGHT));
    }
    const bool caretHere = selEnd >= start && selEnd <= start + static_cast<int>(text.size());
    if (b > a) {
      dc.TextOut(left, y, text.substr(0, static_cast<std::size_t>(a)));
      const COLORREF ink = dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
      dc.TextOut(x0, y, text.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a)));
      dc.SetTextColor(ink);
      dc.TextOut(x1, y, text.substr(static_cast<std::size_t>(b)));
    } else {
      dc.TextOut(left, y, text);
    }
    if (caretHere) {
      const int x = left + dc.GetTextExtent(text.substr(0, static_cast<std::size_t>(selEnd - start))).cx;
      if (focused && selStart == selEnd) dc.FillSolidRect(x, y, 1, height, GetSysColor(COLOR_WINDOWTEXT));
      caret = CRect(x, y, x + 1, y + height);
    }
  }
  dc.SelectObject(oldFont);
  return caret;
}

CSize BitmapSize(const CBitmap& bitmap)
{
  BITMAP bm;
  if (!bitmap.m_hObject || !bitmap.GetBitmap(&bm)) return {};
  return {bm.bmWidth, bm.bmHeight};
}

int VisibleEditLines(const CEdit& edit)
{
  CRect client;
  edit.GetClientRect(&client);
  return std::max(1, (client.Height() - 1) / LineHeight(edit));
}

int EditTextWidth(const CEdit& edit, std::string_view text)
{
  CDC measuring;
  measuring.CreateCompatibleDC(nullptr);
  CFont* old = measuring.SelectObject(FontOf(edit));
  const int width = measuring.GetTextExtent(text).cx;
  measuring.SelectObject(old);
  return width;
}

int EditWrapWidth(const CEdit& edit)
{
  CRect client;
  edit.GetClientRect(&client);
  return std::max(1, client.Width() - 4);
}

int EditCharFromPoint(const CEdit& edit, CPoint point, int scrollX)
{
  point.x += scrollX;
  const int line = std::clamp(edit.GetFirstVisibleLine() + (point.y - 1) / LineHeight(edit), 0,
                              edit.GetLineCount() - 1);
  const int start = edit.LineIndex(line);
  const std::string text = edit.GetLine(line);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CFont* old = dc.SelectObject(FontOf(edit));
  int best = start + static_cast<int>(text.size());
  std::size_t at = 0;
  for (const std::string_view character : vetra::ShownCharacters(text)) {
    const std::size_t next = at + character.size();
    const int left = 2 + dc.GetTextExtent(text.substr(0, at)).cx;
    const int right = 2 + dc.GetTextExtent(text.substr(0, next)).cx;
    if (point.x < (left + right) / 2) {
      best = start + static_cast<int>(at);
      break;
    }
    at = next;
  }
  dc.SelectObject(old);
  return best;
}

CFont* ControlFont(const CWnd& control) { return FontOf(control); }
int ControlLineHeight(const CWnd& control) { return LineHeight(control); }
void FillControlBackground(CWnd& control, CDC& dc, UINT ctlColorMessage, const CRect& area)
{
  FillBackground(control, dc, ctlColorMessage, area);
}
void DrawRaisedEdge(CDC& dc, const CRect& r) { RaisedEdge(dc, r); }
void DrawSunkenEdge(CDC& dc, const CRect& r) { SunkenEdge(dc, r); }
void DrawArrow(CDC& dc, const CRect& r, int direction, bool enabled) { Arrow(dc, r, direction, enabled); }

}  // namespace win
