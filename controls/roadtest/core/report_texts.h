#pragma once
// Texts and figures of the printed road-test report that do not need a printer: the header and
// vehicle lines, the symptom lines, the time labels and the print strip heights (CP949).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/roadtest/core/recording.h"
#include "platform/base/win_types.h"

namespace morvit {

inline constexpr char kReportTitle[] = "VETRA Morvit";

// "출력일자 : %Y년 %m월 %d일 %H:%M:%S"
std::string PrintDateText(const win::SYSTEMTIME& time);
// " 커서 시간차 : %8.5f 초 , %8.2f ms "
std::string PrintCursorTimeText(double seconds);

// Seconds from the trigger point of the sample under cursor column c of a page.
double PrintCurrentTime(std::int64_t recordLength, std::int64_t postTrigger, int scale, std::int64_t pageStart,
                        int column);

// The five lines of the vehicle block, in print order (maker, model, system, plate, current time).
std::array<std::string, 5> VehicleLines(const VehicleHeader& header, double currentSeconds);
// "증      상 :"
std::string SymptomTitle();

// The symptom field in printed pieces: CR LF pairs dropped, 60 bytes a piece (61 when the 60th
// is a lead byte), each ending at its first zero byte, at most 20 pieces.
std::vector<std::string> SymptomLines(const std::string& symptomField);

// The three time-axis labels of a scale: "0 ms", " 1 : %d", "%d ms" (S x 14), or in the full view
// "0 초", "전체화면", "%d초" with the recording's length in seconds.
std::array<std::string, 3> TimeLabels(int scale, std::int64_t recordLength);

// Print strip height of the parallel layout for n shown items, and the y of its time labels.
int PrintStripHeight(int shown);
int PrintTimeLabelY(int shown, bool overlap);

// " 커서 A : %s" and " 커서 B : %s " of the channel strips.
std::string PrintCursorAText(const std::string& valueText);
std::string PrintCursorBText(const std::string& valueText);
// "ZOOM 채널 항목을 선택해 주십시오."
std::string NoZoomChannelText();

}  // namespace morvit
