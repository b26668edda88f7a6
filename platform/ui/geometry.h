#pragma once
// Point, size and rectangle classes with the framework's names, as window code uses them.

#include <algorithm>

#include "platform/base/win_types.h"

namespace win {

using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;

class CPoint : public POINT {
public:
  constexpr CPoint() = default;
  constexpr CPoint(int px, int py) : POINT{px, py} {}
  constexpr CPoint(POINT p) : POINT(p) {}
  constexpr CPoint operator+(POINT o) const { return {x + o.x, y + o.y}; }
  constexpr CPoint operator-(POINT o) const { return {x - o.x, y - o.y}; }
  void Offset(int dx, int dy) { x += dx; y += dy; }
};

class CSize : public SIZE {
public:
  constexpr CSize() = default;
  constexpr CSize(int w, int h) : SIZE{w, h} {}
  constexpr CSize(SIZE s) : SIZE(s) {}
};

class CRect : public RECT {
public:
  constexpr CRect() = default;
  constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  constexpr CRect(RECT r) : RECT(r) {}
  constexpr CRect(POINT topLeft, SIZE size)
      : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr CSize Size() const { return {Width(), Height()}; }
  constexpr CPoint TopLeft() const { return {left, top}; }
  constexpr CPoint BottomRight() const { return {right, bottom}; }
  constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
  constexpr bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
  void DeflateRect(int dx, int dy) { left += dx; right -= dx; top += dy; bottom -= dy; }
  void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
  bool IntersectRect(const RECT& a, const RECT& b)
  {
    *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom));
    if (IsRectEmpty()) {
      SetRectEmpty();
      return false;
    }
    return true;
  }
  bool UnionRect(const RECT& a, const RECT& b)
  {
    const CRect ra(a), rb(b);
    if (ra.IsRectEmpty()) *this = rb;
    else if (rb.IsRectEmpty()) *this = ra;
    else *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                       std::max(a.bottom, b.bottom));
    return !IsRectEmpty();
  }
};

}  // namespace win
