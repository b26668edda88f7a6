#pragma once
// The module's own pictures (its bitmap resources), read from the report module's resource folder
// on the drive. A picture that is missing is not drawn; the control goes on without it.
#include <vector>

#include "common/dib/dib.h"
#include "platform/gdi/cdc.h"

namespace quarnel {

// Reads picture `id` ("C:\Vetra\Fenmark\Res\Quarnel\Bitmap<id>.bmp") into `dib`; whether it loaded.
bool OpenModulePicture(vetra::CDib& dib, unsigned id);

// The cells of a picture strip (cells `cellWidth` pixels wide, as high as the strip), drawn with
// the mask colour left out. Each cell is kept as runs of equal colour, so drawing a row's picture
// costs a few fills.
class MaskedStrip {
 public:
  // Reads picture `id` and cuts it into cells; an empty strip when the picture is missing.
  void Load(unsigned id, int cellWidth, win::COLORREF mask, win::CDC& screen);
  int Height() const { return height_; }
  // Draws cell `index` with its top-left corner at x, y; nothing for a cell the strip lacks.
  void Draw(int index, int x, int y, win::CDC& dc) const;

 private:
  struct Run {
    int x, y, length;
    win::COLORREF colour;
  };
  std::vector<std::vector<Run>> cells_;
  int height_ = 0;
};

}  // namespace quarnel
