#pragma once
// Fonts: the system's face names mapped to installed fonts through fontconfig, glyphs rendered by
// FreeType. Texts arrive as CP949 and are drawn as Unicode.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace vetra::gdi {

// The font file that draws a face name (CP949): "굴림" and "돋움" a gothic face, "굴림체" a
// fixed-pitch face, "바탕" a serif face, others their nearest match. Empty when no font is found.
// `bold` asks for the face's bold member when it has one.
std::string FontFileForFace(std::string_view faceCp949, bool fixedPitch = false, bool bold = false);

// One glyph's coverage mask and placement relative to the pen position on the baseline.
struct GlyphImage {
  int left = 0;   // from the pen position to the mask's left column
  int top = 0;    // from the baseline up to the mask's top row
  int width = 0;
  int height = 0;
  int advance = 0;  // pixels to the next pen position
  std::vector<std::uint8_t> coverage;
};

// A face opened at one pixel size, as a LOGFONT asks for it.
class FontFace {
public:
  static std::shared_ptr<FontFace> Open(const win::LOGFONT& font);
  virtual ~FontFace() = default;

  virtual int Ascent() const = 0;
  virtual int Descent() const = 0;
  int CellHeight() const { return Ascent() + Descent(); }
  virtual int InternalLeading() const = 0;
  virtual int AverageCharWidth() const = 0;
  virtual int MaxCharWidth() const = 0;
  // Width of a CP949 text in pixels.
  virtual int TextWidth(std::string_view cp949) const = 0;
  // Glyphs of a CP949 text, in order.
  virtual std::vector<GlyphImage> Render(std::string_view cp949) const = 0;
};

}  // namespace vetra::gdi
