#pragma once
// The scan-data viewer's own texts, code page 949, and the texts it builds with printf formats.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/win_types.h"

namespace quarnel {

struct ScanMessage {
  std::string text;
  std::string caption;
};
// The refusal of a ninth graph item.
ScanMessage TooManyItemsMessage();  // "항목명은 8개만 선택할수 있습니다." / "항목선택"

// Column titles of the two item lists.
std::array<std::string, 6> ItemColumnTitles();

// A line of the graph view's item chooser: shown items carry a star.
std::string ChooserEntry(std::string_view itemName, bool shown);

std::string MaxLabel(std::string_view valueText);  // "Max : %s"
std::string MinLabel(std::string_view valueText);  // "Min : %s"
std::string ValueWithUnit(std::string_view value, std::string_view unit);  // "%s%s"

// Debugger output of a load and of a cursor click.
std::string EcuTraceLine(std::string_view ecuText, std::string_view systemText);
std::string CursorTraceLine(std::int32_t sample, int itemId, int sampleIndex);

// "C:\Vetra\TempE\<name>", or empty for a name that is not a plain file name
// (vetra::IsPlainFileName).
std::string DataFilePathFor(std::string_view name);

// The print program's command line with the control's screen rectangle.
std::string PrintCommandLine(const win::RECT& screen);
inline constexpr char kPrintWindowTitle[] = "Print";

// Pictures of the graph/text and item/value buttons.
inline constexpr char kGraphPicture[] = "BtnGrap_N";
inline constexpr char kGraphDisabledPicture[] = "BtnGrap_Dis";
inline constexpr char kTextPicture[] = "BtnText_N";
inline constexpr char kItemPicture[] = "BtnItem_N";
inline constexpr char kValuePicture[] = "BtnValue_N";

}  // namespace quarnel
