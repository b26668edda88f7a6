// The painter's lines step their minor coordinate incrementally and write cosmetic pixels
// straight into the rows. Here they are held against the plain definition, one rounded division
// and one clipped plot per pixel, on a table of lines, pens, clips and origins: every pixel and
// the pattern position left for the next segment must come out the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/gdi/painter.h"

namespace vetra::gdi {
namespace {

long long RoundHalfUp(__int128 n, long long d)
{
  const __int128 twice = 2 * n + d;
  const __int128 den = 2 * static_cast<__int128>(d);
  __int128 q = twice / den;
  if (twice % den != 0 && twice < 0) --q;
  return static_cast<long long>(q);
}

bool NextOn(const Stroke& stroke, StrokePhase& phase)
{
  if (stroke.pattern.empty()) return true;
  if (phase.left <= 0) {
    if (phase.left == 0) phase.run = (phase.run + 1) % stroke.pattern.size();
    phase.left = stroke.pattern[phase.run];
  }
  --phase.left;
  return phase.run % 2 == 0;
}

void Dot(Painter& painter, long long x, long long y, const Stroke& stroke, Pixel color)
{
  if (stroke.width <= 1) {
    painter.Plot(static_cast<int>(x), static_cast<int>(y), color, stroke.rop2);
    return;
  }
  const int w = stroke.width;
  const int low = -(w / 2);
  const double centre = (w % 2 == 0) ? -0.5 : 0.0;
  const double radius2 = (w / 2.0) * (w / 2.0);
  for (int dy = low; dy < low + w; ++dy) {
    for (int dx = low; dx < low + w; ++dx) {
      const double fx = dx - centre;
      const double fy = dy - centre;
      if (fx * fx + fy * fy <= radius2 + 0.25) painter.Plot(static_cast<int>(x) + dx, static_cast<int>(y) + dy, color, stroke.rop2);
    }
  }
}

// The definition: every step of the major axis, its minor coordinate rounded half up, every pixel
// plotted through the clip.
void ReferenceLine(Painter& painter, win::POINT a, win::POINT b, const Stroke& stroke, StrokePhase& phase)
{
  const long long dx = static_cast<long long>(b.x) - a.x;
  const long long dy = static_cast<long long>(b.y) - a.y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const long long major = xMajor ? std::llabs(dx) : std::llabs(dy);
  const long long steps = major + (stroke.width > 1 ? 1 : 0);
  const long long sign = (xMajor ? dx : dy) < 0 ? -1 : 1;
  for (long long i = 0; i < steps; ++i) {
    long long x = a.x;
    long long y = a.y;
    if (major > 0) {
      const long long minor = RoundHalfUp(static_cast<__int128>(i) * (xMajor ? dy : dx), major);
      if (xMajor) {
        x += sign * i;
        y += minor;
      } else {
        y += sign * i;
        x += minor;
      }
    }
    const bool on = NextOn(stroke, phase);
    if (x < -300 || y < -300 || x > 500 || y > 500) continue;  // far from every picture of the table
    if (on) {
      Dot(painter, x, y, stroke, stroke.color);
    } else if (stroke.fillGaps) {
      Dot(painter, x, y, stroke, stroke.gapColor);
    }
  }
}

TEST(LineReference, EveryPixelAndThePatternPositionMatchThePlainDefinition)
{
  static const std::vector<int> kDots = {1, 1};
  static const std::vector<int> kDashDot = {6, 2, 1, 2};
  static const std::vector<int> kThreeOnThreeOff = {3, 3};
  struct Pen {
    const char* name;
    int width;
    int rop2;
    const std::vector<int>* pattern;
    bool fillGaps;
  };
  const Pen pens[] = {
      {"solid", 1, 13, nullptr, false},   {"width 0", 0, 13, nullptr, false},   {"xor", 1, 7, nullptr, false},
      {"not screen", 1, 6, nullptr, false}, {"dots", 1, 13, &kDots, false},     {"dash dot, gaps filled", 1, 13, &kDashDot, true},
      {"three on three off, xor", 1, 7, &kThreeOnThreeOff, false},             {"width 2", 2, 13, nullptr, false},
      {"width 3 dashed", 3, 13, &kThreeOnThreeOff, true},
  };
  struct Place {
    const char* name;
    win::POINT origin;
    win::RECT clip;
  };
  const Place places[] = {
      {"whole picture", {0, 0}, {0, 0, 160, 120}},
      {"shifted origin, narrow clip", {-13, 7}, {20, 10, 90, 75}},
      {"origin outside", {40, -25}, {-100, -100, 300, 300}},
  };
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> near(-40, 200);
  std::uniform_int_distribution<int> far(-30000, 30000);
  std::uniform_int_distribution<int> pick(0, 9);
  for (const Pen& pen : pens) {
    for (const Place& place : places) {
      Bitmap32 fast(160, 120, 0x808080);
      Bitmap32 plain(160, 120, 0x808080);
      Painter fastPainter(fast, place.origin, place.clip);
      Painter plainPainter(plain, place.origin, place.clip);
      Stroke stroke;
      stroke.color = 0x10A0F0;
      stroke.gapColor = 0xF00010;
      stroke.width = pen.width;
      stroke.rop2 = pen.rop2;
      stroke.fillGaps = pen.fillGaps;
      if (pen.pattern) stroke.pattern = *pen.pattern;
      StrokePhase fastPhase;
      StrokePhase plainPhase;
      win::POINT from{near(random), near(random)};
      for (int segment = 0; segment < 300; ++segment) {
        win::POINT to{near(random), near(random)};
        const int kind = pick(random);
        if (kind == 0) to.x = from.x;                       // vertical
        if (kind == 1) to.y = from.y;                       // horizontal
        if (kind == 2) to = {from.x + 5, from.y - 5};       // diagonal
        if (kind == 3) to = {from.x + 1, from.y + 2};       // short and steep
        if (kind == 4 && pen.width <= 1) to = {far(random), far(random)};  // far away, clipped
        fastPainter.Line(from, to, stroke, fastPhase);
        ReferenceLine(plainPainter, from, to, stroke, plainPhase);
        ASSERT_EQ(fastPhase.run, plainPhase.run) << pen.name << ", " << place.name << ", segment " << segment;
        ASSERT_EQ(fastPhase.left, plainPhase.left) << pen.name << ", " << place.name << ", segment " << segment;
        from = kind == 4 ? win::POINT{near(random), near(random)} : to;
      }
      EXPECT_TRUE(fast == plain) << pen.name << ", " << place.name;
    }
  }
}

}  // namespace
}  // namespace vetra::gdi
