#include "platform/gdi/font_engine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <deque>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <tuple>

#include "platform/base/text.h"

// fontconfig keeps its configuration cache for the life of the process; the leak checker of a
// sanitizer build (tests, or a program run by them) is told so here, beside the only user of it.
extern "C" const char* __lsan_default_suppressions()
{
  return "leak:libfontconfig.so\n";
}

namespace vetra::gdi {

namespace {

std::recursive_mutex& EngineMutex()
{
  static std::recursive_mutex mutex;
  return mutex;
}

FT_Library Library()
{
  static FT_Library library = [] {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) != 0) made = nullptr;
    return made;
  }();
  return library;
}

// A file for a fontconfig pattern. With `family` the match must be that family; with `korean`
// it must cover Hangul.
std::optional<std::string> Match(const std::string& pattern, const char* family, bool korean, bool bold)
{
  FcPattern* query = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
  if (!query) return std::nullopt;
  FcPatternAddInteger(query, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcConfigSubstitute(nullptr, query, FcMatchPattern);
  FcDefaultSubstitute(query);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, query, &result);
  FcPatternDestroy(query);
  if (!match) return std::nullopt;
  std::optional<std::string> file;
  FcChar8* path = nullptr;
  FcChar8* matchedFamily = nullptr;
  FcLangSet* languages = nullptr;
  bool ok = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
  if (ok && family) {
    ok = false;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &matchedFamily) == FcResultMatch; ++i) {
      if (vetra::EqualsNoCase(reinterpret_cast<const char*>(matchedFamily), family)) ok = true;
    }
  }
  if (ok && korean) {
    ok = FcPatternGetLangSet(match, FC_LANG, 0, &languages) == FcResultMatch &&
         FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("ko")) == FcLangEqual;
  }
  if (ok) file = reinterpret_cast<const char*>(path);
  FcPatternDestroy(match);
  return file;
}

std::string FindFile(const std::string& utf8Face, bool fixedPitch, bool bold)
{
  std::lock_guard lock(EngineMutex());
  static const bool ready = FcInit() != 0;
  if (!ready) return {};
  auto family = [&](const char* name) { return Match(name, name, false, bold); };
  auto gothic = [&] { return family("NanumGothic").value_or(Match("sans-serif:lang=ko", nullptr, false, bold).value_or("")); };

  if (utf8Face == "굴림" || utf8Face == "돋움" || utf8Face == "새굴림") return gothic();
  if (utf8Face == "굴림체" || utf8Face == "돋움체") {
    if (auto file = family("NanumGothicCoding")) return *file;
    if (auto file = Match("monospace:lang=ko", nullptr, true, bold)) return *file;
    return gothic();
  }
  if (utf8Face == "바탕" || utf8Face == "바탕체" || utf8Face == "궁서" || utf8Face == "궁서체") {
    if (auto file = Match("serif:lang=ko", nullptr, true, bold)) return *file;
    if (auto file = family("NanumMyeongjo")) return *file;
    return gothic();
  }
  if (utf8Face.empty() || vetra::EqualsNoCase(utf8Face, "System")) {
    if (fixedPitch) {
      if (auto file = family("NanumGothicCoding")) return *file;
    }
    return gothic();
  }
  // Any other face: its nearest match (missing glyphs come from the gothic face).
  std::string pattern = utf8Face;
  if (fixedPitch) pattern += ":spacing=mono";
  return Match(pattern, nullptr, false, bold).value_or(gothic());
}

std::u32string Decode(std::string_view cp949)
{
  const std::string utf8 = vetra::Utf8(cp949);
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    char32_t cp = c;
    std::size_t length = 1;
    if (c >= 0xF0) { cp = c & 0x07; length = 4; }
    else if (c >= 0xE0) { cp = c & 0x0F; length = 3; }
    else if (c >= 0xC0) { cp = c & 0x1F; length = 2; }
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(cp);
    i += length;
  }
  return out;
}

// The average character width a width request (LOGFONT lfWidth) is measured against, in font
// units. A face that spells Hangul is a double-byte face: its average width is that of its
// half-width characters, the digits among them, so text asked for at a width has its digits at
// that width whatever the face. Other faces: their OS/2 average width.
double AverageWidthUnits(FT_Face face, const TT_OS2* os2, double upem)
{
  if (FT_Get_Char_Index(face, 0xAC00) != 0 && FT_Load_Char(face, '0', FT_LOAD_NO_SCALE) == 0 &&
      face->glyph->advance.x > 0) {
    return static_cast<double>(face->glyph->advance.x);
  }
  return os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
}

// The Korean faces the system names are drawn with no internal leading: a positive height is
// their em, and their Hangul fills the line. The fonts standing in for them are measured
// differently, so those faces are sized by the em rather than by the cell.
bool HeightIsTheEm(std::string_view utf8Face)
{
  for (const std::string_view face : {"굴림", "굴림체", "돋움", "돋움체", "바탕", "바탕체"}) {
    if (utf8Face == face) return true;
  }
  return false;
}

class FreeTypeFace final : public FontFace {
public:
  FreeTypeFace(FT_Face face, FT_Face fallback, const win::LOGFONT& font, bool heightIsTheEm)
      : m_face(face), m_fallback(fallback)
  {
    // The cell: the OS/2 "win" ascent and descent when the font has them, which are meant to
    // hold every glyph, but no more than the glyphs really reach (the face's bounding box). A
    // face padded beyond its glyphs (the Korean gothic) would otherwise set its text lower in a
    // taller cell than the face it stands in for, and a box sized to the line cuts it off.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double upem = face->units_per_EM > 0 ? face->units_per_EM : 1000;
    double winAscent = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
    double winDescent = os2 && os2->usWinDescent ? os2->usWinDescent : -face->descender;
    if (face->bbox.yMax > 0) winAscent = std::min<double>(winAscent, face->bbox.yMax);
    if (face->bbox.yMin < 0) winDescent = std::min<double>(winDescent, -face->bbox.yMin);
    const double cellUnits = std::max(1.0, winAscent + winDescent);
    int height = font.lfHeight == 0 ? 16 : font.lfHeight;
    // Whole pixels above and below the baseline that the glyphs reach at an em of `ppem` pixels.
    const auto above = [&](double ppem) { return static_cast<int>(std::ceil(winAscent * ppem / upem - 0.05)); };
    const auto below = [&](double ppem) { return static_cast<int>(std::ceil(winDescent * ppem / upem - 0.05)); };
    double em = 0;
    if (height > 0 && heightIsTheEm) {
      // Positive, in a face without internal leading: the em, split above and below the
      // baseline as the face's glyphs are. A glyph reaching past the line is drawn whole.
      em = height;
      m_ascent = std::clamp(static_cast<int>(std::lround(height * winAscent / cellUnits)), 0, height);
      m_descent = height - m_ascent;
    } else if (height > 0) {
      // Positive: the cell height. The largest whole em whose glyphs stay inside it.
      int ppem = std::max(1, static_cast<int>(std::floor(height * upem / cellUnits + 0.05)));
      while (ppem > 1 && above(ppem) + below(ppem) > height) --ppem;
      em = ppem;
      m_descent = std::min(height, below(em));
      m_ascent = height - m_descent;
    } else {
      // Negative: the em height.
      em = -height;
      m_ascent = above(em);
      m_descent = below(em);
    }
    m_internalLeading = std::max(0, static_cast<int>(std::lround(m_ascent + m_descent - em)));
    double emX = em;
    const double avgUnits = AverageWidthUnits(face, os2, upem);
    if (font.lfWidth > 0) emX = font.lfWidth * upem / avgUnits;
    m_xPixels = std::max<FT_UInt>(1, static_cast<FT_UInt>(std::lround(emX)));
    m_yPixels = std::max<FT_UInt>(1, static_cast<FT_UInt>(std::lround(em)));
    m_average = std::max(1, static_cast<int>(std::lround(avgUnits * emX / upem)));
    m_max = std::max(1, static_cast<int>(std::lround((face->max_advance_width > 0 ? face->max_advance_width : upem) * emX / upem)));
    m_italic = font.lfItalic != 0;
  }

  ~FreeTypeFace() override
  {
    std::lock_guard lock(EngineMutex());
    FT_Done_Face(m_face);
    if (m_fallback) FT_Done_Face(m_fallback);
  }

  int Ascent() const override { return m_ascent; }
  int Descent() const override { return m_descent; }
  int InternalLeading() const override { return m_internalLeading; }
  int AverageCharWidth() const override { return m_average; }
  int MaxCharWidth() const override { return m_max; }

  int TextWidth(std::string_view cp949) const override
  {
    int width = 0;
    for (const char32_t c : Decode(cp949)) width += Glyph(c).advance;
    return width;
  }

  std::vector<GlyphImage> Render(std::string_view cp949) const override
  {
    std::vector<GlyphImage> glyphs;
    for (const char32_t c : Decode(cp949)) glyphs.push_back(Glyph(c));
    return glyphs;
  }

private:
  const GlyphImage& Glyph(char32_t c) const
  {
    std::lock_guard lock(EngineMutex());
    if (const auto it = m_glyphs.find(c); it != m_glyphs.end()) return it->second;
    GlyphImage image;
    FT_Face face = m_face;
    FT_UInt index = FT_Get_Char_Index(face, c);
    if (index == 0 && m_fallback) {
      if (const FT_UInt other = FT_Get_Char_Index(m_fallback, c); other != 0) {
        face = m_fallback;
        index = other;
      }
    }
    FT_Set_Pixel_Sizes(face, m_xPixels, m_yPixels);
    FT_Matrix shear{0x10000, m_italic ? 0x3000 : 0, 0, 0x10000};
    FT_Set_Transform(face, &shear, nullptr);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) == 0 && FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0) {
      const FT_GlyphSlot slot = face->glyph;
      const FT_Bitmap& bitmap = slot->bitmap;
      image.left = slot->bitmap_left;
      image.top = slot->bitmap_top;
      image.width = static_cast<int>(bitmap.width);
      image.height = static_cast<int>(bitmap.rows);
      image.advance = static_cast<int>((slot->advance.x + 32) >> 6);
      image.coverage.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
      for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        std::copy_n(row, image.width, image.coverage.begin() + static_cast<std::ptrdiff_t>(y) * image.width);
      }
    }
    return m_glyphs.emplace(c, std::move(image)).first->second;
  }

  FT_Face m_face;
  FT_Face m_fallback;
  int m_ascent = 0;
  int m_descent = 0;
  int m_internalLeading = 0;
  int m_average = 0;
  int m_max = 0;
  FT_UInt m_xPixels = 16;
  FT_UInt m_yPixels = 16;
  bool m_italic = false;
  mutable std::map<char32_t, GlyphImage> m_glyphs;
};

}  // namespace

std::string FontFileForFace(std::string_view faceCp949, bool fixedPitch, bool bold)
{
  using Key = std::tuple<std::string, bool, bool>;
  static std::map<Key, std::string> cache;
  std::lock_guard lock(EngineMutex());
  Key key{std::string(faceCp949), fixedPitch, bold};
  if (const auto it = cache.find(key); it != cache.end()) return it->second;
  std::string file = FindFile(vetra::Utf8(faceCp949), fixedPitch, bold);
  cache.emplace(std::move(key), file);
  return file;
}

std::shared_ptr<FontFace> FontFace::Open(const win::LOGFONT& font)
{
  const std::string face(font.lfFaceName, strnlen(font.lfFaceName, win::LF_FACESIZE));
  const bool fixed = (font.lfPitchAndFamily & 0x03) == win::FIXED_PITCH;
  const bool bold = font.lfWeight >= win::FW_SEMIBOLD;
  using Key = std::tuple<std::string, long, long, bool, bool, bool>;
  static std::map<Key, std::weak_ptr<FontFace>> cache;
  std::lock_guard lock(EngineMutex());
  Key key{face, font.lfHeight, font.lfWidth, fixed, bold, font.lfItalic != 0};
  if (const auto it = cache.find(key); it != cache.end()) {
    if (auto alive = it->second.lock()) return alive;
  }
  if (!Library()) return nullptr;
  const std::string file = FontFileForFace(face, fixed, bold);
  if (file.empty()) return nullptr;
  FT_Face ftFace = nullptr;
  if (FT_New_Face(Library(), file.c_str(), 0, &ftFace) != 0) return nullptr;
  // Glyphs the face lacks (Hangul in a Latin face) come from the gothic face.
  FT_Face fallback = nullptr;
  const std::string gothic = FontFileForFace(vetra::Cp949("굴림"), false, bold);
  if (!gothic.empty() && gothic != file && FT_New_Face(Library(), gothic.c_str(), 0, &fallback) != 0) fallback = nullptr;
  auto made = std::make_shared<FreeTypeFace>(ftFace, fallback, font, HeightIsTheEm(vetra::Utf8(face)));
  cache[key] = made;
  // The faces used last stay open, so that text at a scaled size (a printed page) does not open
  // its face again for every call.
  static std::deque<std::shared_ptr<FontFace>> recent;
  constexpr std::size_t kRecentFaces = 16;
  recent.push_back(made);
  if (recent.size() > kRecentFaces) recent.pop_front();
  return made;
}

}  // namespace vetra::gdi
