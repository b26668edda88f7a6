#include "controls/roadtest/core/report_texts.h"

#include <gtest/gtest.h>

#include "platform/base/text.h"

namespace morvit {
namespace {

TEST(ReportTexts, SymptomLines) {
  const std::string lead = vetra::Cp949("가");  // two bytes, the first with its high bit set
  const struct {
    const char* name;
    std::string field;
    std::vector<std::string> lines;
  } cases[] = {
      {"CR LF joins the lines", "ab\r\ncd", {"abcd"}},
      {"70 characters make two pieces", std::string(70, 'x'), {std::string(60, 'x'), std::string(10, 'x')}},
      {"a lead byte at 60 keeps its character", std::string(59, 'x') + lead + "yz",
       {std::string(59, 'x') + lead, "yz"}},
      {"a lone CR stays", "a\rb", {"a\rb"}},
      {"empty", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SymptomLines(c.field), c.lines) << c.name;
  EXPECT_EQ(SymptomLines(std::string(1500, 'x')).size(), 20u);
}

// The whole recording's axis ends at the recording's own length: 50,000 samples a second.
TEST(ReportTexts, WholeRecordingAxisEndsAtItsLength) {
  const struct {
    std::int64_t length;
    const char* end;
  } cases[] = {{1000000, "20초"}, {750000, "15초"}, {500000, "10초"}, {250000, "5초"}, {50000, "1초"}};
  for (const auto& c : cases) {
    EXPECT_EQ(TimeLabels(0, c.length), (std::array<std::string, 3>{vetra::Cp949("0 초"), vetra::Cp949("전체화면"), vetra::Cp949(c.end)}))
        << c.length;
  }
}

TEST(ReportTexts, LabelsAndLines) {
  EXPECT_EQ(TimeLabels(25, 1000000), (std::array<std::string, 3>{"0 ms", " 1 : 25", "350 ms"}));
  EXPECT_EQ(PrintStripHeight(3), 533);
  EXPECT_EQ(PrintTimeLabelY(3, false), -1899);
  EXPECT_EQ(PrintTimeLabelY(3, true), -1700);
  win::SYSTEMTIME t{};
  t.wYear = 2026, t.wMonth = 3, t.wDay = 7, t.wHour = 9, t.wMinute = 5, t.wSecond = 1;
  EXPECT_EQ(PrintDateText(t), vetra::Cp949("출력일자 : 2026년 03월 07일 09:05:01"));
  EXPECT_EQ(PrintCursorTimeText(0.5), vetra::Cp949(" 커서 시간차 :  0.50000 초 ,   500.00 ms "));
  // Full view: column 350 of a 1,000,000-sample recording is 5 s before the trigger at 15 s.
  EXPECT_NEAR(PrintCurrentTime(1000000, 250000, 0, 0, 350), -5.0, 1e-9);
  EXPECT_NEAR(PrintCurrentTime(1000000, 250000, 10, 750000, 100), 0.02, 1e-12);
  VehicleHeader h{.maker = "M", .model = "K", .system = "S", .plate = "P"};
  const auto lines = VehicleLines(h, -1.5);
  EXPECT_EQ(lines[2], "S Y S T E M: S");
  EXPECT_EQ(lines[4], vetra::Cp949("현재  시점 : -1.5000 초"));
}

}  // namespace
}  // namespace morvit
