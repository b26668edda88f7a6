#pragma once
// Image lists: a row of equally sized small pictures cut from one bitmap, drawn with one colour
// (the mask colour) left transparent.

#include <vector>

#include "platform/gdi/cdc.h"

namespace win {

inline constexpr UINT ILC_MASK = 0x0001;
inline constexpr UINT ILC_COLOR24 = 0x0018;
inline constexpr UINT ILD_NORMAL = 0x0000;
inline constexpr UINT ILD_TRANSPARENT = 0x0001;
inline constexpr COLORREF CLR_NONE = 0xFFFFFFFF;

class CImageList {
public:
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // The images of a bitmap resource, each cx pixels wide and as high as the bitmap.
  BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
  // Adds the bitmap's images (cut at the list's width); returns the first new index or -1.
  int Add(CBitmap* bitmap, COLORREF mask);
  int GetImageCount() const { return static_cast<int>(m_images.size()); }
  CSize GetImageSize() const { return {m_cx, m_cy}; }
  BOOL Draw(CDC* dc, int image, POINT at, UINT style) const;
  BOOL DeleteImageList();

private:
  struct Image {
    std::vector<COLORREF> pixels;  // m_cx by m_cy, rows from the top
    COLORREF mask = CLR_NONE;
  };
  int m_cx = 0;
  int m_cy = 0;
  std::vector<Image> m_images;
};

}  // namespace win
