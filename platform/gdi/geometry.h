#pragma once
// The framework's point, size and rectangle: the plain structures with the operations the system
// uses. A rectangle includes its left and top edges and excludes its right and bottom edges.

#include <algorithm>

#include "platform/base/win_types.h"

namespace win {

class CSize : public SIZE {
public:
  constexpr CSize() = default;
  constexpr CSize(int x, int y) : SIZE{x, y} {}
  constexpr CSize(const SIZE& s) : SIZE(s) {}  // NOLINT(google-explicit-constructor)
  friend constexpr CSize operator+(CSize a, CSize b) { return {a.cx + b.cx, a.cy + b.cy}; }
  friend constexpr CSize operator-(CSize a, CSize b) { return {a.cx - b.cx, a.cy - b.cy}; }
};

class CPoint : public POINT {
public:
  constexpr CPoint() = default;
  constexpr CPoint(int x, int y) : POINT{x, y} {}
  constexpr CPoint(const POINT& p) : POINT(p) {}  // NOLINT(google-explicit-constructor)
  constexpr void Offset(int dx, int dy) { x += dx; y += dy; }
  constexpr CPoint& operator+=(SIZE s) { x += s.cx; y += s.cy; return *this; }
  constexpr CPoint& operator-=(SIZE s) { x -= s.cx; y -= s.cy; return *this; }
  friend constexpr CPoint operator+(CPoint p, SIZE s) { return {p.x + s.cx, p.y + s.cy}; }
  friend constexpr CPoint operator-(CPoint p, SIZE s) { return {p.x - s.cx, p.y - s.cy}; }
  friend constexpr CSize operator-(CPoint a, CPoint b) { return {a.x - b.x, a.y - b.y}; }
};

class CRect : public RECT {
public:
  constexpr CRect() = default;
  constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  constexpr CRect(const RECT& r) : RECT(r) {}  // NOLINT(google-explicit-constructor)
  constexpr CRect(POINT topLeft, SIZE size)
      : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr CSize Size() const { return {Width(), Height()}; }
  constexpr CPoint TopLeft() const { return {left, top}; }
  constexpr CPoint BottomRight() const { return {right, bottom}; }
  constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
  constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
  constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  constexpr bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  constexpr void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  constexpr void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
  constexpr void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
  constexpr void InflateRect(int dx, int dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
  constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  constexpr void NormalizeRect()
  {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  // Intersection of a and b; empty (all zero) when they do not overlap. True when not empty.
  constexpr bool IntersectRect(const RECT& a, const RECT& b)
  {
    SetRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom));
    if (IsRectEmpty()) { SetRectEmpty(); return false; }
    return true;
  }
  // Smallest rectangle holding both; an empty rectangle adds nothing.
  constexpr bool UnionRect(const RECT& a, const RECT& b)
  {
    const CRect ra(a), rb(b);
    if (ra.IsRectEmpty()) { *this = rb; }
    else if (rb.IsRectEmpty()) { *this = ra; }
    else {
      SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom));
    }
    return !IsRectEmpty();
  }
  constexpr bool EqualRect(const RECT& r) const { return static_cast<const RECT&>(*this) == r; }
};

}  // namespace win
