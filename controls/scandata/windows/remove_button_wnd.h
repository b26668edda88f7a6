#pragma once
// The small button beside each graph that takes its item off the graph: a 20 by 20 picture
// (module picture 204, or 205 while disabled) that tells the parent of a click as a button does
// (WM_COMMAND with its id).
#include "common/dib/dib.h"
#include "platform/ui/cwnd.h"

namespace quarnel {

class CRemoveButtonWnd : public win::CWnd {
 public:
  win::BOOL CreateButton(const win::RECT& rect, win::CWnd* parent, win::UINT id);

 protected:
  void OnPaint() override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;

 private:
  vetra::CDib normal_;
  vetra::CDib disabled_;
  bool pressed_ = false;
};

}  // namespace quarnel
