#pragma once
// The value panel's content: which rows it shows, their names, values and colours, and where the
// texts go. The panel window only fills and writes what this gives.
#include <string>
#include <vector>

#include "controls/ignition/core/ignition_state.h"
#include "platform/base/win_types.h"

namespace sparwen {

inline constexpr int kValuePanelHeaderHeight = 40;
inline constexpr win::COLORREF kUnknownCylinderColour = win::RGB(26, 81, 156);
inline constexpr win::COLORREF kShadedRowColour = win::RGB(230, 230, 230);

// Row labels by value index: "드웰시간", "점화시간", "점화전압", "피크전압", " Tr Off".
std::string ValueLabel(int valueIndex);
// Title picture file of a value index ("dwell.bmp" ...); empty outside 0..4.
std::string TitlePictureFile(int valueIndex);
// Value rows of display mode 3: 4 unless the ignition kind is 0, then 5.
int ValueRowCount(int ignitionKind);

// Row i of n rows cut from the band below the header of a panel `width` by `height`.
win::RECT PanelRow(int i, int n, int width, int height);
// Where a row's name and its value (of `valueBytes` bytes) are written.
win::POINT RowNameOrigin(const win::RECT& row);
win::POINT RowValueOrigin(const win::RECT& row, int valueBytes);
// Where the mode-3 heading of `headingBytes` bytes goes in a panel whose text width is `textWidth`.
win::POINT HeadingOrigin(int textWidth, int headingBytes);

struct PanelRowContent {
  win::RECT rect{};
  bool shaded = false;
  win::COLORREF colour = 0;
  std::string name;   // code page 949
  std::string value;  // "%.2f %s"
};

struct ValuePanelContent {
  int titlePicture = -1;  // value index of the title picture, -1 none
  bool headingShown = false;
  std::string heading;     // mode 3: "%d CYL" or "? 번"
  win::COLORREF headingColour = 0;
  std::vector<PanelRowContent> rows;
};

// The panel of a window `width` by `height` for the current state: the digital view of one value
// for every firing position (modes 0..2), or every value of the selected position (mode 3).
ValuePanelContent BuildValuePanel(const IgnitionState& state, int width, int height);

}  // namespace sparwen
