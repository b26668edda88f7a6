#include "programs/chooser/chooser_layout.h"

#include "platform/base/text.h"

namespace lumbrel {
namespace {

// The second entry of every filter: all seven recording types.
constexpr const char* kAllKinds =
    "기록데이터 (*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT)|*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT||";

// Each type's own entry. The scan-tool pattern "*HSN" (no dot) is kept as recorders' users know
// it: it still lists every .HSN file.
constexpr std::array<const char*, kButtonCount> kOwnEntry{
    "오실로스코프 파일(*.OSC)|*.OSC|",
    "점화1차 파일 (*.IG1)|*.IG1|",
    "점화2차 파일 (*.IG2)|*.IG2|",
    "스캔툴 파일 (*.SCN,*.HSN)|*.SCN;*HSN|",
    "로드텍 파일 (*.RES,*.DAT)|*.RES;*.DAT|",
};

bool Contains(const win::RECT& r, win::POINT p)
{
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

const std::array<ChooserButton, kButtonCount>& ChooserButtons()
{
  // The pressed picture of button 1 and every hover picture carry two digits, the other pressed
  // pictures one.
  static constexpr std::array<ChooserButton, kButtonCount> kButtons{{
      {"m_OscButtonDownBmp", "button_d01.bmp", "m_OscButtonOverBmp", "button_o01.bmp", {172, 124}},
      {"m_Ig1ButtonDownBmp", "button_d2.bmp", "m_Ig1ButtonOverBmp", "button_o02.bmp", {172, 184}},
      {"m_Ig2ButtonDownBmp", "button_d3.bmp", "m_Ig2ButtonOverBmp", "button_o03.bmp", {172, 244}},
      {"m_ScnButtonDownBmp", "button_d4.bmp", "m_ScnButtonOverBmp", "button_o04.bmp", {172, 304}},
      {"m_MorvitButtonDownBmp", "button_d5.bmp", "m_MorvitButtonOverBmp", "button_o05.bmp", {172, 364}},
  }};
  return kButtons;
}

std::string LoadErrorText(const char* member) { return std::string(member) + " Load Error"; }

int AreaAt(const std::array<win::RECT, kButtonCount>& buttons, win::POINT point)
{
  for (int i = 0; i < kButtonCount; ++i) {
    if (Contains(buttons[static_cast<std::size_t>(i)], point)) return i + 1;
  }
  return Contains(kCloseArea, point) ? kCloseHit : 0;
}

std::string ButtonFilter(int button)
{
  if (button < 1 || button > kButtonCount) return {};
  return vetra::Cp949(std::string(kOwnEntry[static_cast<std::size_t>(button - 1)]) + kAllKinds);
}

std::string ButtonStartFolder(int button)
{
  if (button == kButtonCount) return "C:\\Vetra\\Morvit\\Record\\";
  return vetra::Cp949("c:\\Vetra\\저장데이터");
}

std::optional<savedata::RecordingKind> KindOfExtension(std::string_view path)
{
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string_view extension = path.substr(dot + 1);
  // Every kind's extension has three letters; a longer one only ends like one.
  if (extension.size() != 3) return std::nullopt;
  return savedata::KindOfPath(extension);
}

}  // namespace lumbrel
