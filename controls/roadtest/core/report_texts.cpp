#include "controls/roadtest/core/report_texts.h"

#include "platform/base/text.h"

namespace morvit {

std::string PrintDateText(const win::SYSTEMTIME& t) {
  return vetra::Cp949("출력일자 : ") + vetra::Format("%04d", t.wYear) + vetra::Cp949("년 ") +
         vetra::Format("%02d", t.wMonth) + vetra::Cp949("월 ") + vetra::Format("%02d", t.wDay) +
         vetra::Cp949("일 ") + vetra::Format("%02d:%02d:%02d", t.wHour, t.wMinute, t.wSecond);
}

std::string PrintCursorTimeText(double seconds) {
  return vetra::Cp949(" 커서 시간차 : ") + vetra::Format("%8.5f", seconds) + vetra::Cp949(" 초 , ") +
         vetra::Format("%8.2f ms ", seconds * 1000.0);
}

double PrintCurrentTime(std::int64_t length, std::int64_t post, int scale, std::int64_t start, int column) {
  const std::int64_t trigger = length - post;
  if (scale == 0) {
    return static_cast<double>(length) * (1.0 / kColumns) * column * 0.00002 - static_cast<double>(trigger / 50000);
  }
  return static_cast<double>(static_cast<std::int64_t>(scale) * column + start - trigger) * 0.00002;
}

std::array<std::string, 5> VehicleLines(const VehicleHeader& h, double seconds) {
  return {vetra::Cp949("제 조 회 사: ") + h.maker, vetra::Cp949("차       종: ") + h.model,
          "S Y S T E M: " + h.system, vetra::Cp949("차량  번호 : ") + h.plate,
          vetra::Cp949("현재  시점 : ") + vetra::Format("%7.4f", seconds) + vetra::Cp949(" 초")};
}

std::vector<std::string> SymptomLines(const std::string& field) {
  constexpr std::size_t kFieldSize = 1500;
  constexpr std::size_t kPiece = 60;
  constexpr int kMaxPieces = 20;  // y from -80 down to -580 in steps of 25
  std::vector<std::string> lines;
  std::string piece;
  auto flush = [&]() {
    lines.push_back(piece.substr(0, piece.find('\0')));
    piece.clear();
  };
  // The field as stored: its text, then zero bytes to its end.
  std::string bytes = field.substr(0, kFieldSize);
  bytes.resize(kFieldSize, '\0');
  for (std::size_t i = 0; i < bytes.size() && static_cast<int>(lines.size()) < kMaxPieces; ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      ++i;
      continue;
    }
    piece.push_back(bytes[i]);
    if (piece.size() == kPiece) {
      if ((static_cast<unsigned char>(piece.back()) & 0x80) && i + 1 < bytes.size()) piece.push_back(bytes[++i]);
      flush();
    }
  }
  if (!piece.empty() && static_cast<int>(lines.size()) < kMaxPieces) flush();
  // Pieces that hold only zero bytes print nothing.
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::array<std::string, 3> TimeLabels(int scale, std::int64_t recordLength) {
  // The whole recording's axis ends where the recording does: 50,000 full-rate samples a second.
  constexpr std::int64_t kSamplesPerSecond = 50000;
  if (scale == 0) {
    return {vetra::Cp949("0 초"), vetra::Cp949("전체화면"),
            vetra::Format("%lld", static_cast<long long>(recordLength / kSamplesPerSecond)) + vetra::Cp949("초")};
  }
  return {"0 ms", vetra::Format(" 1 : %d", scale), vetra::Format("%d ms", scale * 14)};
}

int PrintStripHeight(int shown) { return shown > 0 ? 1600 / shown : 0; }

int PrintTimeLabelY(int shown, bool overlap) { return overlap ? -300 - 1400 : -300 - PrintStripHeight(shown) * shown; }

std::string PrintCursorAText(const std::string& v) { return vetra::Cp949(" 커서 A : ") + v; }
std::string PrintCursorBText(const std::string& v) { return vetra::Cp949(" 커서 B : ") + v + " "; }
std::string SymptomTitle() { return vetra::Cp949("증      상 :"); }
std::string NoZoomChannelText() { return vetra::Cp949("ZOOM 채널 항목을 선택해 주십시오."); }

}  // namespace morvit
