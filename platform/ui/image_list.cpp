#include "platform/ui/image_list.h"

#include "platform/ui/bitmap_resources.h"
#include "platform/ui/control_painting.h"

namespace win {

BOOL CImageList::Create(int cx, int cy, UINT, int, int)
{
  if (cx <= 0 || cy <= 0) return FALSE;
  m_cx = cx;
  m_cy = cy;
  m_images.clear();
  return TRUE;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int, COLORREF mask)
{
  CBitmap bitmap;
  if (!LoadBitmapResource(bitmap, bitmapId)) return FALSE;
  const CSize size = BitmapSize(bitmap);
  if (!Create(cx, size.cy, ILC_MASK, 0, 0)) return FALSE;
  return Add(&bitmap, mask) >= 0;
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask)
{
  if (!bitmap || !bitmap->m_hObject || m_cx <= 0) return -1;
  const CSize size = BitmapSize(*bitmap);
  if (size.cx < m_cx) return -1;
  CDC memory;
  memory.CreateCompatibleDC(nullptr);
  CBitmap* old = memory.SelectObject(bitmap);
  const int first = GetImageCount();
  for (int left = 0; left + m_cx <= size.cx; left += m_cx) {
    Image image;
    image.mask = mask;
    image.pixels.reserve(static_cast<std::size_t>(m_cx) * static_cast<std::size_t>(m_cy));
    for (int y = 0; y < m_cy; ++y) {
      for (int x = 0; x < m_cx; ++x) image.pixels.push_back(y < size.cy ? memory.GetPixel(left + x, y) : mask);
    }
    m_images.push_back(std::move(image));
  }
  memory.SelectObject(old);
  return first;
}

BOOL CImageList::Draw(CDC* dc, int index, POINT at, UINT) const
{
  if (!dc || index < 0 || index >= GetImageCount()) return FALSE;
  const Image& image = m_images[static_cast<std::size_t>(index)];
  for (int y = 0; y < m_cy; ++y) {
    for (int x = 0; x < m_cx; ++x) {
      const COLORREF c = image.pixels[static_cast<std::size_t>(y * m_cx + x)];
      if (c != image.mask) dc->SetPixel(at.x + x, at.y + y, c);
    }
  }
  return TRUE;
}

BOOL CImageList::DeleteImageList()
{
  m_images.clear();
  return TRUE;
}

}  // namespace win
