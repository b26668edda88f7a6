#pragma once
// The road-test viewer's small dialogs share one look: skin pictures of the viewer's folder drawn
// through a back buffer on a grey face, and a drawn end button that acts on release after a press
// inside it.
#include <map>
#include <memory>
#include <string>

#include "common/dib/dib.h"
#include "platform/ui/dialog.h"

namespace morvit {

class CSkinnedDialog : public win::CDialog {
public:
  static constexpr win::COLORREF kFace = win::RGB(221, 221, 221);

  struct EndButton {
    win::RECT area;       // press counts when left < x < right and top < y < bottom
    std::string normal;   // picture files
    std::string pressed;
    int result = win::IDOK;
  };

  CSkinnedDialog(const win::DialogTemplate& dialogTemplate, win::CWnd* parent, EndButton endButton);
  bool EndPressed() const { return m_endPressed; }

protected:
  // Draws a picture of the skin folder at its own size; nothing when it does not load.
  void DrawPicture(win::CDC& dc, const std::string& file, int x, int y);
  void DrawEndButton(win::CDC& dc);
  // Places the dialog against its owner: x = owner left + dx, y = owner top + 10 + (h - caption) / 2.
  void PlaceAgainstOwner(int dx, int h, int width, int clientHeight);
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  void OnDestroy() override;

private:
  EndButton m_end;
  bool m_endPressed = false;
  std::map<std::string, std::unique_ptr<vetra::CDib>> m_pictures;
};

}  // namespace morvit
