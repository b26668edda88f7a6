#include "controls/scandata/windows/module_pictures.h"

#include "platform/base/text.h"

namespace quarnel {

bool OpenModulePicture(vetra::CDib& dib, unsigned id)
{
  return dib.Open(vetra::Format("C:\\Vetra\\Fenmark\\Res\\Quarnel\\Bitmap%u.bmp", id).c_str()) != 0;
}

void DrawStripCell(vetra::CDib& strip, int index, int cellWidth, int x, int y, win::CDC& dc)
{
  if (strip.m_loaded == 0) return;
  // The strip is drawn at its own size, shifted so that the cell lands at x; the clip keeps the rest out.
  const int saved = dc.SaveDC();
  dc.IntersectClipRect(x, y, x + cellWidth, y + strip.m_height);
  strip.DrawUnscaled(x - index * cellWidth, y, strip.m_width, strip.m_height, &dc);
  dc.RestoreDC(saved);
}

}  // namespace quarnel
