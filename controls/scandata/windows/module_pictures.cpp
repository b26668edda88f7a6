#include "controls/scandata/windows/module_pictures.h"

#include "platform/base/text.h"

namespace quarnel {

bool OpenModulePicture(vetra::CDib& dib, unsigned id)
{
  return dib.Open(vetra::Format("C:\\Vetra\\Fenmark\\Res\\Quarnel\\Bitmap%u.bmp", id).c_str()) != 0;
}

void MaskedStrip::Load(unsigned id, int cellWidth, win::COLORREF mask, win::CDC& screen)
{
  cells_.clear();
  height_ = 0;
  vetra::CDib strip;
  if (!OpenModulePicture(strip, id) || cellWidth <= 0 || strip.m_width < cellWidth || strip.m_height <= 0) return;
  // The picture is drawn once into a memory bitmap and read back pixel by pixel.
  win::CDC memory;
  win::CBitmap bitmap;
  if (!memory.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, strip.m_width, strip.m_height)) return;
  win::CBitmap* previous = memory.SelectObject(&bitmap);
  strip.DrawUnscaled(0, 0, strip.m_width, strip.m_height, &memory);
  height_ = strip.m_height;
  for (int cell = 0; cell < strip.m_width / cellWidth; ++cell) {
    std::vector<Run> runs;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < cellWidth;) {
        const win::COLORREF colour = memory.GetPixel(cell * cellWidth + x, y);
        int end = x + 1;
        while (end < cellWidth && memory.GetPixel(cell * cellWidth + end, y) == colour) ++end;
        if (colour != mask) runs.push_back({x, y, end - x, colour});
        x = end;
      }
    }
    cells_.push_back(std::move(runs));
  }
  memory.SelectObject(previous);
}

void MaskedStrip::Draw(int index, int x, int y, win::CDC& dc) const
{
  if (index < 0 || index >= static_cast<int>(cells_.size())) return;
  for (const Run& run : cells_[static_cast<std::size_t>(index)]) dc.FillSolidRect(x + run.x, y + run.y, run.length, 1, run.colour);
}

}  // namespace quarnel
