#include "controls/scandata/text/lut_format.h"

#include <cstdlib>

#include "controls/scandata/text/state_texts.h"
#include "controls/scandata/text/table_classes.h"
#include "platform/base/numeric.h"
#include "platform/base/text.h"

namespace quarnel {
namespace {

constexpr std::size_t kShortWordBytes = 5;

// The row of a table, the row index taken as a 16-bit signed number.
std::string Word(int table, std::int64_t state) { return StateText(table, vetra::WrappingCast<std::int16_t>(state)); }

int Capped(int value, int last) { return value >= 0 && value < last ? value : last; }

std::string SuffixOf(int table) {
  switch (table) {
    case 8:
    case 9:
      return "\xA2\xAA";  // the ring of degrees
    case 42:
      return "A";
    default:
      return {};
  }
}

std::string CurveValue(int table, int value, int unit, const UnitPreferences& preferences) {
  const std::string row = Word(table, value);
  const double number = std::strtod(row.c_str(), nullptr);
  const float converted = static_cast<float>(ConvertUnit(static_cast<float>(number), unit, preferences));
  return vetra::Format("%6.2f", static_cast<double>(converted));
}

}  // namespace

std::string ShortStateWord(int table, int state) {
  return vetra::CutCp949(StateText(table, state), kShortWordBytes);
}

std::string FormatLutValue(int table, int polarity, int value, int count, int unit,
                           const UnitPreferences& preferences) {
  switch (LutClassOf(table)) {
    case LutClass::kTwoState:
      if (polarity == 1) return Word(table, value != 0 ? 1 : 0);
      if (polarity == 2) return Word(table, value != 0 ? 0 : 1);
      return Word(table, value);
    case LutClass::kCounted:
      if (polarity == 1) return Word(table, value);
      return Word(table, std::int64_t{count == 0 ? 0 : count - 1} - value);
    case LutClass::kCappedAt3:
      return Word(table, Capped(value, 3));
    case LutClass::kCappedAt5:
      return Word(table, Capped(value, 5));
    case LutClass::kCappedAt7:
      return Word(table, Capped(value, 7));
    case LutClass::kSwappedFiveSix:
      if (value >= 0 && value <= 4) return Word(table, value);
      return Word(table, value == 6 ? 5 : 6);
    case LutClass::kDirect:
      return Word(table, value);
    case LutClass::kFixed:
      return Word(table, 5);
    case LutClass::kCurve:
      return CurveValue(table, value, unit, preferences);
    case LutClass::kSignedWithSuffix: {
      const std::int64_t v = polarity == 2 ? -std::int64_t{value} : std::int64_t{value};
      const int state = v > 0 ? 0 : v == 0 ? 1 : 2;
      return vetra::Format("%s %lld%s", ShortStateWord(table, state).c_str(),
                           static_cast<long long>(v < 0 ? -v : v), SuffixOf(table).c_str());
    }
    case LutClass::kNotATable:
      break;
  }
  return vetra::Format("Lut [%d]", table);
}

}  // namespace quarnel
