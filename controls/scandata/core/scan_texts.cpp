#include "controls/scandata/core/scan_texts.h"

#include <string>

#include "common/savedata/exchange_files.h"
#include "platform/base/plain_file_name.h"
#include "platform/base/text.h"

namespace quarnel {
ScanMessage TooManyItemsMessage() {
  return {vetra::Cp949("항목명은 8개만 선택할수 있습니다."), vetra::Cp949("항목선택")};
}

std::array<std::string, 6> ItemColumnTitles() {
  return {"", vetra::Cp949("센서항목"), vetra::Cp949("현재값"), vetra::Cp949("단 위"), vetra::Cp949("최소값"),
          vetra::Cp949("최대값")};
}

std::string ChooserEntry(std::string_view itemName, bool shown) {
  static const std::string star = vetra::Cp949("★ %s");
  return vetra::Format(shown ? star.c_str() : "   %s", std::string(itemName).c_str());
}

std::string MaxLabel(std::string_view valueText) { return vetra::Format("Max : %s", std::string(valueText).c_str()); }
std::string MinLabel(std::string_view valueText) { return vetra::Format("Min : %s", std::string(valueText).c_str()); }
std::string ValueWithUnit(std::string_view value, std::string_view unit) {
  return vetra::Format("%s%s", std::string(value).c_str(), std::string(unit).c_str());
}

std::string EcuTraceLine(std::string_view ecuText, std::string_view systemText) {
  return vetra::Format("EcuID: %s, %s \n", std::string(ecuText).c_str(), std::string(systemText).c_str());
}

std::string CursorTraceLine(std::int32_t sample, int itemId, int sampleIndex) {
  return vetra::Format("m_Record_Data[ m_DispPos[ i]][ pos] = %i, m_DispPos[ i] = %i, pos = %i\n", sample, itemId,
                       sampleIndex);
}

std::string DataFilePathFor(std::string_view name) {
  if (!vetra::IsPlainFileName(name)) return {};
  return savedata::DataFilePath(name, savedata::DriveLetter::capital);
}

std::string PrintCommandLine(const win::RECT& r) {
  return vetra::Format("C:\\Vetra\\Bin\\Tolvex.exe %d %d %d %d", static_cast<int>(r.left), static_cast<int>(r.top),
                       static_cast<int>(r.right), static_cast<int>(r.bottom));
}

}  // namespace quarnel
