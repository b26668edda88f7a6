#pragma once
// A memory DC with its own bitmap, for raster tests.

#include <memory>

#include "platform/gdi/cdc.h"

namespace vetra::gdi::testing {

inline constexpr Pixel kPaper = 0xFFFFFF;

struct Canvas {
  Canvas(int width, int height, Pixel fill = kPaper)
  {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    old = dc.SelectObject(&bitmap);
    pixels = bitmap.Pixels();
    pixels->Fill(fill);
  }
  ~Canvas() { dc.SelectObject(old); }
  Pixel At(int x, int y) const { return pixels->At(x, y); }
  // Pixels of one colour in the bitmap.
  int Count(Pixel p) const
  {
    int n = 0;
    for (const Pixel q : pixels->Pixels()) n += q == p;
    return n;
  }

  win::CDC dc;
  win::CBitmap bitmap;
  win::CBitmap* old = nullptr;
  std::shared_ptr<Bitmap32> pixels;
};

}  // namespace vetra::gdi::testing
