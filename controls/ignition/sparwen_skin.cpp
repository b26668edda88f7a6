// The control's own screen: the top image and the fifteen drawn buttons, each in the picture its
// state asks for, painted through the back buffer.
#include "controls/ignition/sparwen_ctrl.h"

#include "controls/ignition/windows/skin.h"
#include "platform/base/text.h"
#include "platform/ui/paint.h"

namespace sparwen {
namespace {

// Names of the drawn buttons' pictures: the member's stem and the file's number.
struct ButtonSkinName {
  const char* member;  // between "m_" and "ButtonBmp"
  const char* file;    // "menu_" or "pbutton_" stem
  int number;
};
constexpr std::array<ButtonSkinName, kButtonCount> kButtonSkins = {{
    {"Print", "menu_", 1},      {"Config", "menu_", 2},     {"Jik", "menu_", 3},       {"Byun", "menu_", 4},
    {"3D", "menu_", 5},         {"Trend", "menu_", 6},      {"Gai", "menu_", 7},       {"Cyl", "menu_", 8},
    {"Digital", "menu_", 9},    {"PlayF", "pbutton_", 4},   {"PlayR", "pbutton_", 3},  {"PlayFF", "pbutton_", 5},
    {"PlayRR", "pbutton_", 2},  {"PlayStart", "pbutton_", 1}, {"PlayEnd", "pbutton_", 6},
}};
// Play buttons in the order of their file numbers 01..06, the order they are loaded in.
constexpr std::array<int, 6> kPlayLoadOrder = {kStartButton, kFastReverseButton, kPlayReverseButton, kPlayForwardButton, kFastForwardButton, kEndButton};
// Disabled pictures, in their load order.
constexpr std::array<int, 6> kDisabledLoadOrder = {kJikButton, kDigitalButton, kCylButton, kByunButton, k3DButton, kGaiButton};

std::string FailureName(int button, const char* variant)
{
  // Every print picture reports under the normal picture's name.
  if (button == kPrintButton) return "m_PrintButtonBmp";
  return vetra::Format("m_%sButton%sBmp", kButtonSkins[static_cast<std::size_t>(button - 1)].member, variant);
}

}  // namespace

void CSparwenCtrl::LoadBitmaps()
{
  OpenSkin(m_topImage, "top_image.bmp", "m_VetraLogoBmp");
  const auto file = [](int button, const char* variant) {
    const ButtonSkinName& name = kButtonSkins[static_cast<std::size_t>(button - 1)];
    return vetra::Format("%s%s%02d.bmp", name.file, variant, name.number);
  };
  const auto skin = [this](int button) -> ButtonSkin& { return m_skins[static_cast<std::size_t>(button - 1)]; };
  for (int b = kPrintButton; b <= kDigitalButton; ++b) OpenSkin(skin(b).normal, file(b, ""), FailureName(b, ""));
  for (int b = kPrintButton; b <= kDigitalButton; ++b) OpenSkin(skin(b).down, file(b, "d"), FailureName(b, "Down"));
  for (const int b : kDisabledLoadOrder) OpenSkin(skin(b).disabled, file(b, "dis"), FailureName(b, "Dis"));
  for (int b = kPrintButton; b <= kDigitalButton; ++b) OpenSkin(skin(b).over, file(b, "o"), FailureName(b, "Over"));
  for (const int b : kPlayLoadOrder) OpenSkin(skin(b).normal, file(b, ""), FailureName(b, ""));
  for (const int b : kPlayLoadOrder) OpenSkin(skin(b).down, file(b, "o"), FailureName(b, "Down"));
  for (const int b : kPlayLoadOrder) {
    // The reverse button's over picture reports without a name.
    if (b == kPlayReverseButton) OpenSkin(skin(b).over, file(b, "o"), "Load Error", false);
    else OpenSkin(skin(b).over, file(b, "o"), FailureName(b, "Over"));
  }
  std::array<win::SIZE, kButtonCount> sizes{};
  for (std::size_t i = 0; i < sizes.size(); ++i) sizes[i] = SkinSize(m_skins[i].normal);
  m_buttons = ButtonTracker(ButtonPlaces(sizes));
}

void CSparwenCtrl::FreeBitmaps()
{
  m_topImage.Free();
  for (ButtonSkin& skin : m_skins) {
    for (vetra::CDib* picture : {&skin.normal, &skin.down, &skin.over, &skin.disabled}) picture->Free();
  }
}

// ---- painting --------------------------------------------------------------------------------

void CSparwenCtrl::OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect&)
{
  if (dc != nullptr) dc->FillSolidRect(&bounds, kBackground);
}

void CSparwenCtrl::OnPaint()
{
  win::CPaintDC paint(this);
  const win::RECT client = ControlRect();
  m_backBuffer.Present(paint, client.right - client.left, client.bottom - client.top, [&](win::CDC& dc) {
    dc.FillSolidRect(&client, kBackground);
    DrawSkin(m_topImage, 0, 0, dc);
    const int mode = m_model.State().DisplayMode();
    const auto& places = m_buttons.Places();
    for (int b = 1; b <= kButtonCount; ++b) {
      ButtonSkin& skin = m_skins[static_cast<std::size_t>(b - 1)];
      vetra::CDib* picture = &skin.normal;
      switch (m_buttons.Picture(b, mode)) {
        case ButtonPicture::disabled: picture = HasDisabledPicture(b) ? &skin.disabled : &skin.normal; break;
        case ButtonPicture::over: picture = &skin.over; break;
        case ButtonPicture::down: picture = &skin.down; break;
        case ButtonPicture::normal: break;
      }
      DrawSkinIn(*picture, places[static_cast<std::size_t>(b - 1)], dc);
    }
  });
}

}  // namespace sparwen
