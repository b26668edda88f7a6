#pragma once
// Inside of win::CDC, shared by its source files.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/cdc.h"
#include "platform/gdi/painter.h"

namespace win {

struct CDC::State {
  std::shared_ptr<vetra::gdi::PenObject> pen;
  std::shared_ptr<vetra::gdi::BrushObject> brush;
  std::shared_ptr<vetra::gdi::FontObject> font;
  std::shared_ptr<vetra::gdi::PaletteObject> palette;
  std::shared_ptr<vetra::gdi::BitmapObject> bitmap;  // memory DCs only
  int mapMode = MM_TEXT;
  POINT windowOrg;
  POINT viewportOrg;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT textAlign = TA_LEFT | TA_TOP;
  int stretchMode = BLACKONWHITE;
  POINT current;
  std::optional<RECT> clip;  // device coordinates; none = the surface bounds
};

struct CDC::Impl {
  enum class Kind { None, Memory, Display, Surface };
  Kind kind = Kind::None;
  vetra::gdi::Surface surface;  // Display and Surface kinds
  vetra::gdi::DeviceInfo device = vetra::gdi::ScreenDevice();
  State state;
  std::vector<State> saved;
  std::shared_ptr<vetra::gdi::DrawLog> log;
  std::string logName;

  // ---- helpers ----
  void ResetState();
  vetra::gdi::Surface Target() const;
  RECT DeviceClip() const;  // clip box in device coordinates
  // Logical to device for a point, and for an extent measured from a logical point.
  LONG MapX(long long x) const;
  LONG MapY(long long y) const;
  POINT Map(POINT p) const { return {MapX(p.x), MapY(p.y)}; }
  LONG UnmapX(long long x) const;
  LONG UnmapY(long long y) const;
  // Device length of a logical length (pen widths, font heights); always positive.
  int ScaleLength(int length) const;
  int UnscaleLength(int length) const;
  bool Logging() const;
  void Log(const char* op, std::vector<long long> args, std::string text = {});
  void Log(const char* op, std::initializer_list<long long> args, std::string text = {})
  {
    Log(op, std::vector<long long>(args), std::move(text));
  }
};

// a * b / c rounded half away from zero (the platform's MulDiv).
long long MulDivRound(long long a, long long b, long long c);
RECT NormalizedRect(LONG l, LONG t, LONG r, LONG b);

}  // namespace win
