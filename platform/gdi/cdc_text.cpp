// Text output of win::CDC. Texts are CP949; sizes follow the selected font, scaled by the
// mapping mode.
#include <algorithm>

#include "platform/gdi/cdc_impl.h"
#include "platform/gdi/font_engine.h"

namespace win {

using namespace vetra::gdi;

namespace {

// The selected font at the DC's device size (null when no font file can be had).
std::shared_ptr<FontFace> DeviceFace(const CDC::Impl& impl)
{
  if (!impl.state.font) return nullptr;
  if (impl.state.mapMode == MM_TEXT) return impl.state.font->Face();
  LOGFONT font = impl.state.font->logFont;
  const int height = impl.ScaleLength(font.lfHeight);
  font.lfHeight = font.lfHeight < 0 ? -height : height;
  font.lfWidth = impl.ScaleLength(font.lfWidth);
  return FontFace::Open(font);
}

}  // namespace

BOOL CDC::TextOut(int x, int y, const char* text, int count)
{
  if (!m_hDC) return FALSE;
  const std::string_view string = text && count > 0 ? std::string_view(text, static_cast<std::size_t>(count)) : std::string_view();
  const State& s = m_impl->state;
  const bool updateCurrent = (s.textAlign & TA_UPDATECP) != 0;
  if (updateCurrent) {
    x = s.current.x;
    y = s.current.y;
  }
  m_impl->Log("TextOut", {x, y}, std::string(string));
  const auto face = DeviceFace(*m_impl);
  if (!face) return TRUE;
  const int width = face->TextWidth(string);
  const POINT at = m_impl->Map(POINT{x, y});
  int left = at.x;
  switch (s.textAlign & TA_CENTER) {
    case TA_CENTER: left -= width / 2; break;
    case TA_RIGHT: left -= width; break;
    default: break;
  }
  int top = at.y;
  switch (s.textAlign & TA_BASELINE) {
    case TA_BASELINE: top -= face->Ascent(); break;
    case TA_BOTTOM: top -= face->CellHeight(); break;
    default: break;
  }
  if (updateCurrent && (s.textAlign & TA_CENTER) == TA_LEFT) {
    m_impl->state.current.x = m_impl->UnmapX(static_cast<long long>(at.x) + width);
  }
  const Pixel color = PixelFromColorref(s.textColor);
  const Pixel background = PixelFromColorref(s.bkColor);
  const bool opaque = s.bkMode == OPAQUE;
  const Surface target = m_impl->Target();
  if (!target.bitmap || target.bitmap->Empty()) return TRUE;
  Painter painter(*target.bitmap, target.origin, m_impl->DeviceClip());
  if (opaque) painter.FillRect({left, top, left + width, top + face->CellHeight()}, background);
  const int baseline = top + face->Ascent();
  int pen = left;
  for (const GlyphImage& glyph : face->Render(string)) {
    painter.BlendMask(pen + glyph.left, baseline - glyph.top, glyph.width, glyph.height, glyph.coverage, color);
    pen += glyph.advance;
  }
  // Underline just below the baseline, strike-out through the middle of the lower-case letters.
  const int thickness = std::max(1, face->CellHeight() / 14);
  if (s.font && s.font->logFont.lfUnderline) {
    const int y = baseline + std::max(1, face->Descent() / 3);
    painter.FillRect({left, y, left + width, y + thickness}, color);
  }
  if (s.font && s.font->logFont.lfStrikeOut) {
    const int y = baseline - face->Ascent() / 3;
    painter.FillRect({left, y, left + width, y + thickness}, color);
  }
  return TRUE;
}

CSize CDC::GetTextExtent(const char* text, int count) const
{
  const auto face = DeviceFace(*m_impl);
  if (!face) return {};
  const std::string_view string = text && count > 0 ? std::string_view(text, static_cast<std::size_t>(count)) : std::string_view();
  return {m_impl->UnscaleLength(face->TextWidth(string)), m_impl->UnscaleLength(face->CellHeight())};
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const
{
  if (!metrics) return FALSE;
  const auto face = DeviceFace(*m_impl);
  if (!face) return FALSE;
  *metrics = TEXTMETRIC{};
  metrics->tmAscent = m_impl->UnscaleLength(face->Ascent());
  metrics->tmDescent = m_impl->UnscaleLength(face->Descent());
  metrics->tmHeight = metrics->tmAscent + metrics->tmDescent;
  metrics->tmInternalLeading = m_impl->UnscaleLength(face->InternalLeading());
  metrics->tmAveCharWidth = m_impl->UnscaleLength(face->AverageCharWidth());
  metrics->tmMaxCharWidth = m_impl->UnscaleLength(face->MaxCharWidth());
  if (m_impl->state.font) {
    const LOGFONT& font = m_impl->state.font->logFont;
    metrics->tmWeight = font.lfWeight == 0 ? FW_NORMAL : font.lfWeight;
    metrics->tmItalic = font.lfItalic;
    metrics->tmCharSet = font.lfCharSet;
    // As on the original platform, the low bit set means a variable pitch.
    metrics->tmPitchAndFamily = static_cast<BYTE>((font.lfPitchAndFamily & 0xF0) | ((font.lfPitchAndFamily & 0x03) == FIXED_PITCH ? 0 : 1));
  }
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFF;
  metrics->tmDefaultChar = 0x1F;
  metrics->tmBreakChar = 0x20;
  metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = m_impl->device.dpi;
  return TRUE;
}

int CDC::DrawText(std::string_view text, RECT* rect, UINT format)
{
  if (!m_hDC || !rect) return 0;
  const CSize extent = GetTextExtent(text);
  if (format & DT_CALCRECT) {
    rect->right = rect->left + extent.cx;
    rect->bottom = rect->top + extent.cy;
    return extent.cy;
  }
  m_impl->Log("DrawText", {rect->left, rect->top, rect->right, rect->bottom, format}, std::string(text));
  int x = rect->left;
  if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - extent.cx) / 2;
  else if (format & DT_RIGHT) x = rect->right - extent.cx;
  int y = rect->top;
  if (format & DT_VCENTER) y = rect->top + (rect->bottom - rect->top - extent.cy) / 2;
  else if (format & DT_BOTTOM) y = rect->bottom - extent.cy;
  auto log = std::move(m_impl->log);
  {
    ScopedDrawLog quiet;  // the calls below belong to this DrawText entry
    const int saved = SaveDC();
    if (!(format & DT_NOCLIP)) IntersectClipRect(rect);
    SetTextAlign(TA_LEFT | TA_TOP);
    TextOut(x, y, text);
    RestoreDC(saved);
  }
  m_impl->log = std::move(log);
  return extent.cy;
}

}  // namespace win
