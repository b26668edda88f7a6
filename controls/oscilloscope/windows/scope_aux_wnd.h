#pragma once
// The overlay window over the whole graph area, hidden until the user asks for it.
#include "platform/ui/cwnd.h"

namespace tessial {

class CScopeAuxWnd : public win::CWnd {
public:
  CScopeAuxWnd() = default;
  ~CScopeAuxWnd() override;

  // A hidden child of the control at `rect`.
  win::BOOL CreateOverlay(win::CWnd* parent, const win::RECT& rect, win::UINT id);

protected:
  void OnPaint() override;
};

}  // namespace tessial
