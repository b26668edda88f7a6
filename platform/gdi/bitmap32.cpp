#include "platform/gdi/bitmap32.h"

#include <algorithm>

namespace vetra::gdi {

Bitmap32::Bitmap32(int width, int height, Pixel fill)
{
  Reset(width, height, fill);
}

void Bitmap32::Fill(Pixel p)
{
  std::fill(m_pixels.begin(), m_pixels.end(), p);
}

void Bitmap32::Reset(int width, int height, Pixel fill)
{
  m_width = std::max(width, 0);
  m_height = std::max(height, 0);
  if (m_width == 0 || m_height == 0) m_width = m_height = 0;
  m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), fill);
}

}  // namespace vetra::gdi
