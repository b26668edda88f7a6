#pragma once
// A window's off-screen picture: a memory DC with a bitmap of the window's size. The window draws
// a whole frame into it and copies it to the screen in one BitBlt, so the user never sees a
// half-drawn frame and a repaint never flickers.

#include <string>

#include "platform/gdi/cdc.h"
#include "platform/gdi/gdi_wrappers.h"

namespace win {

class CBackBuffer {
public:
  // Keeps the buffer's bitmap selected into its DC while it lives; puts the previous one back.
  class Selection {
  public:
    explicit Selection(CBackBuffer& buffer);
    ~Selection();
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    CDC& m_dc;
    CBitmap* m_previous;
  };

  // Makes the memory DC, compatible with `screen`, and a width x height bitmap; the DC's drawing
  // is logged under `logName`. Whatever the buffer held before is freed first.
  void Create(CDC& screen, int width, int height, std::string logName);
  void Free();
  // Both the DC and the bitmap exist; a window without them paints nothing.
  bool IsReady() const;
  CDC& DC() { return m_dc; }

  [[nodiscard]] Selection Select() { return Selection(*this); }
  // Copies the buffer's top-left width x height to the same place on `target`.
  void CopyTo(CDC& target, int width, int height);
  // Copies `area` of the buffer to the same place on `target` (a repaint of part of a window).
  void CopyTo(CDC& target, const RECT& area);

  // The usual paint: with the bitmap selected, `draw` fills the memory DC, then the buffer's
  // top-left width x height goes to `target`. Does nothing if the buffer is not ready.
  template <class Draw>
  void Present(CDC& target, int width, int height, Draw&& draw)
  {
    if (!IsReady()) return;
    const Selection selected = Select();
    draw(m_dc);
    CopyTo(target, width, height);
  }

private:
  CDC m_dc;
  CBitmap m_bitmap;
};

// While it lives, text leaves the background as it is and pens draw their own colour, as a
// buffered window draws its frame; the DC's previous modes come back in reverse order.
class TransparentCopyDrawing {
public:
  explicit TransparentCopyDrawing(CDC& dc);
  ~TransparentCopyDrawing();
  TransparentCopyDrawing(const TransparentCopyDrawing&) = delete;
  TransparentCopyDrawing& operator=(const TransparentCopyDrawing&) = delete;

private:
  CDC& m_dc;
  int m_bkMode;
  int m_rop;
};

}  // namespace win
