#include "controls/ignition/windows/skin.h"

#include "platform/base/text.h"
#include "platform/ui/message_box.h"

namespace sparwen {

bool OpenSkin(vetra::CDib& picture, std::string_view file, std::string_view failureName, bool appendLoadError)
{
  const std::string path = std::string(kSkinFolder) + std::string(file);
  if (picture.Open(path.c_str()) != 0) return true;
  std::string text(failureName);
  if (appendLoadError) text += " Load Error";
  win::AfxMessageBox(text, win::MB_OK);
  return false;
}

win::SIZE SkinSize(const vetra::CDib& picture)
{
  if (picture.m_loaded == 0) return {0, 0};
  return {picture.m_width, picture.m_height};
}

void DrawSkin(vetra::CDib& picture, int x, int y, win::CDC& dc)
{
  if (picture.m_loaded == 0) return;
  picture.DrawUnscaled(x, y, picture.m_width, picture.m_height, &dc);
}

void DrawSkinIn(vetra::CDib& picture, const win::RECT& box, win::CDC& dc)
{
  if (picture.m_loaded == 0) return;
  picture.DrawUnscaled(box.left, box.top, box.right - box.left, box.bottom - box.top, &dc);
}

void FillFramedPanel(win::CDC& dc, int width, int height, win::COLORREF frame, win::COLORREF background)
{
  dc.FillSolidRect(0, 0, width, height, frame);
  dc.FillSolidRect(1, 1, width - 2, height - 2, background);
}

const std::string& FaceName()
{
  static const std::string face = vetra::Cp949("굴림");
  return face;
}

}  // namespace sparwen
