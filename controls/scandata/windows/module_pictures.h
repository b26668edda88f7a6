#pragma once
// The module's own pictures (its bitmap resources), read from the report module's resource folder
// on the drive. A picture that is missing is not drawn; the control goes on without it.
#include "common/dib/dib.h"
#include "platform/gdi/cdc.h"

namespace quarnel {

// Reads picture `id` ("C:\Vetra\Fenmark\Res\Quarnel\Bitmap<id>.bmp") into `dib`; whether it loaded.
bool OpenModulePicture(vetra::CDib& dib, unsigned id);

// Draws the `index`th cell, `cellWidth` pixels wide, of a picture strip at x, y.
void DrawStripCell(vetra::CDib& strip, int index, int cellWidth, int x, int y, win::CDC& dc);

}  // namespace quarnel
