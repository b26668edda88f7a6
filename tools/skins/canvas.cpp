#include "tools/skins/canvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/base/text.h"

namespace vetra::skins {
namespace {

constexpr int kSamples = 4;  // per axis and pixel

gdi::Pixel ToPixel(Rgb c) { return gdi::MakePixel(c.r, c.g, c.b); }

Rgb FromPixel(gdi::Pixel p) { return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)}; }

// The radius a rounded rectangle can have: at most half its shorter side.
double FitRadius(const RectF& r, double radius) { return std::max(0.0, std::min({radius, r.Width() / 2, r.Height() / 2})); }

// `radius` already fitted.
bool InsideRound(const RectF& r, double radius, double x, double y)
{
  if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return false;
  const double cx = std::clamp(x, r.left + radius, r.right - radius);
  const double cy = std::clamp(y, r.top + radius, r.bottom - radius);
  const double dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy <= radius * radius;
}

// Share of the pixel square at (x, y) that the rounded rectangle covers, worked out exactly where
// the square lies clear of the four corner arcs; -1 where it has to be sampled.
double RoundCoverage(const RectF& r, double radius, int x, int y)
{
  const double overlapX = std::min(x + 1.0, r.right) - std::max(static_cast<double>(x), r.left);
  const double overlapY = std::min(y + 1.0, r.bottom) - std::max(static_cast<double>(y), r.top);
  if (overlapX <= 0 || overlapY <= 0) return 0;
  const bool nearLeft = x < r.left + radius, nearRight = x + 1 > r.right - radius;
  const bool nearTop = y < r.top + radius, nearBottom = y + 1 > r.bottom - radius;
  if ((nearLeft || nearRight) && (nearTop || nearBottom)) return -1;
  return overlapX * overlapY;
}

bool InsidePolygon(std::span<const PointF> pts, double x, double y)
{
  bool inside = false;
  for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
    if ((pts[i].y > y) != (pts[j].y > y) &&
        x < (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x)
      inside = !inside;
  }
  return inside;
}

int Channel(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t)
{
  return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}

win::CFont& FontCache::For(const TextStyle& style)
{
  auto& font = m_fonts[{style.height, style.weight, style.fixedPitch}];
  if (!font) {
    font = std::make_unique<win::CFont>();
    const std::string face = Cp949(style.fixedPitch ? "굴림체" : "굴림");
    const auto pitch = static_cast<win::BYTE>((style.fixedPitch ? win::FIXED_PITCH : win::VARIABLE_PITCH) | win::FF_SWISS);
    font->CreateFont(style.height, 0, 0, 0, style.weight, 0, 0, 0, win::HANGEUL_CHARSET, win::OUT_DEFAULT_PRECIS,
                     win::CLIP_DEFAULT_PRECIS, win::ANTIALIASED_QUALITY, pitch, face.c_str());
  }
  return *font;
}

Canvas::Canvas(int width, int height, Rgb fill, FontCache& fonts) : m_fonts(fonts)
{
  m_dc.CreateCompatibleDC(nullptr);
  m_bitmap.CreateBitmap(width, height, 1, 32, nullptr);
  m_dc.SelectObject(&m_bitmap);
  m_pixels = m_bitmap.Pixels();
  m_pixels->Fill(ToPixel(fill));
}

Canvas::~Canvas() { m_dc.DeleteDC(); }

Rgb Canvas::At(int x, int y) const { return FromPixel(m_pixels->Get(x, y)); }

template <class Inside, class ColorAt, class Classify>
void Canvas::Cover(const RectF& bounds, Inside inside, ColorAt colorAt, Classify classify)
{
  const int x0 = std::max(0, static_cast<int>(std::floor(bounds.left)));
  const int y0 = std::max(0, static_cast<int>(std::floor(bounds.top)));
  const int x1 = std::min(Width(), static_cast<int>(std::ceil(bounds.right)));
  const int y1 = std::min(Height(), static_cast<int>(std::ceil(bounds.bottom)));
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      double coverage = classify(x, y);
      if (coverage < 0) {
        int hits = 0;
        for (int sy = 0; sy < kSamples; ++sy)
          for (int sx = 0; sx < kSamples; ++sx)
            if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
        coverage = static_cast<double>(hits) / (kSamples * kSamples);
      }
      if (coverage <= 0) continue;
      if (coverage >= 1) {
        m_pixels->At(x, y) = ToPixel(colorAt(x, y));
        continue;
      }
      m_pixels->At(x, y) = ToPixel(Mix(At(x, y), colorAt(x, y), coverage));
    }
  }
}

void Canvas::Fill(const RectF& r, Rgb color) { FillRound(r, 0, color, color); }

void Canvas::FillRound(const RectF& r, double radius, Rgb top, Rgb bottom)
{
  radius = FitRadius(r, radius);
  Cover(r, [&](double x, double y) { return InsideRound(r, radius, x, y); },
        [&](int, int y) { return top == bottom || r.Height() <= 1 ? top : Mix(top, bottom, (y + 0.5 - r.top) / r.Height()); },
        [&](int x, int y) { return RoundCoverage(r, radius, x, y); });
}

void Canvas::StrokeRound(const RectF& r, double radius, double width, Rgb color)
{
  const RectF inner = r.Inset(width);
  radius = FitRadius(r, radius);
  const double innerRadius = FitRadius(inner, radius - width);
  Cover(r, [&](double x, double y) { return InsideRound(r, radius, x, y) && !InsideRound(inner, innerRadius, x, y); },
        [&](int, int) { return color; },
        [&](int x, int y) {
          const double outer = RoundCoverage(r, radius, x, y), hole = RoundCoverage(inner, innerRadius, x, y);
          return outer < 0 || hole < 0 ? -1.0 : outer - hole;
        });
}

void Canvas::FillPolygon(std::span<const PointF> points, Rgb color)
{
  if (points.size() < 3) return;
  RectF bounds{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const PointF& p : points) {
    bounds.left = std::min(bounds.left, p.x);
    bounds.top = std::min(bounds.top, p.y);
    bounds.right = std::max(bounds.right, p.x);
    bounds.bottom = std::max(bounds.bottom, p.y);
  }
  Cover(bounds, [&](double x, double y) { return InsidePolygon(points, x, y); }, [&](int, int) { return color; },
        [](int, int) { return -1.0; });
}

void Canvas::FillEllipse(const RectF& r, Rgb color)
{
  const double cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  const double rx = r.Width() / 2, ry = r.Height() / 2;
  Cover(r,
        [&](double x, double y) {
          const double dx = (x - cx) / rx, dy = (y - cy) / ry;
          return dx * dx + dy * dy <= 1.0;
        },
        [&](int, int) { return color; }, [](int, int) { return -1.0; });
}

void Canvas::Line(PointF a, PointF b, double width, Rgb color)
{
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return;
  const double nx = -dy / length * width / 2, ny = dx / length * width / 2;
  const PointF quad[] = {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
  FillPolygon(quad, color);
}

void Canvas::Text(const RectF& r, std::string_view utf8, const TextStyle& style)
{
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = utf8.find('\n', start);
    lines.push_back(utf8.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  win::CFont* oldFont = m_dc.SelectObject(&m_fonts.For(style));
  m_dc.SetBkMode(win::TRANSPARENT);
  m_dc.SetTextColor(win::RGB(style.color.r, style.color.g, style.color.b));
  const int lineHeight = style.height + style.height / 4;
  const double blockTop = (r.top + r.bottom) / 2 - lineHeight * static_cast<double>(lines.size()) / 2;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string text = Cp949(lines[i]);
    const win::CSize extent = m_dc.GetTextExtent(text);
    const double top = blockTop + static_cast<double>(i) * lineHeight + (lineHeight - extent.cy) / 2.0;
    double left = r.left;
    if (style.align == Align::Center) left = (r.left + r.right - extent.cx) / 2;
    if (style.align == Align::Right) left = r.right - extent.cx;
    m_dc.TextOut(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)), text);
  }
  m_dc.SelectObject(oldFont);
}

}  // namespace vetra::skins
