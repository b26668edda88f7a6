#include "programs/printlayout/input_files.h"

#include "platform/base/cfile.h"
#include "platform/base/exceptions.h"
#include "platform/base/file_api.h"
#include "platform/base/text.h"

namespace tolvex {

std::vector<std::string> SplitLines(std::string_view bytes, int maxLines)
{
  std::vector<std::string> lines;
  std::string line;
  bool textEnded = false;  // a CR or a NUL was met: the rest up to the LF is dropped
  std::size_t held = 0;    // bytes of the line in the buffer, line end included
  const auto full = [&] { return maxLines >= 0 && static_cast<int>(lines.size()) >= maxLines; };
  for (const char c : bytes) {
    if (full()) return lines;
    if (c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      textEnded = false;
      held = 0;
      continue;
    }
    // Over-long lines keep their first bytes; the rest of the line is dropped.
    if (++held >= kLineBufferBytes) continue;
    // A slot is text: it ends at its first NUL as at its CR.
    if (c == '\r' || c == '\0') textEnded = true;
    else if (!textEnded) line.push_back(c);
  }
  if (held > 0 && !full()) lines.push_back(std::move(line));
  return lines;
}

std::optional<std::vector<std::string>> ReadLineFile(const char* path, int maxLines)
{
  win::CFile file;
  if (!file.Open(path, win::CFile::modeRead | win::CFile::shareDenyNone | win::CFile::typeBinary)) return std::nullopt;
  std::string bytes;
  try {
    const auto length = file.GetLength();
    bytes.resize(static_cast<std::size_t>(length));
    const auto got = length > 0 ? file.Read(bytes.data(), static_cast<win::UINT>(length)) : 0;
    bytes.resize(got);
  } catch (const win::CException&) {
    // What could be read counts; an unreadable file gives what came before the failure.
  }
  return SplitLines(bytes, maxLines);
}

std::string MarkerFileName(const std::vector<std::string>& carLines)
{
  const auto line = [&](std::size_t i) { return i < carLines.size() ? carLines[i] : std::string(); };
  std::string name = line(0) + line(1) + "-" + line(3) + "-" + line(2);
  // Folder separators and the drive colon are replaced too, so the marker always lands in the
  // folder it is meant for. Double-byte characters are stepped over whole; a lead byte before a
  // byte that cannot trail it (a '/' or '\\' among them) is no character, and what follows it is
  // looked at on its own.
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (vetra::IsLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size() &&
        vetra::IsTrailByte(static_cast<unsigned char>(name[i + 1]))) {
      ++i;
      continue;
    }
    switch (name[i]) {
      case '/': case '*': case '"': case '<': case '>': case '|': case '\\': case ':':
        name[i] = ' ';
        break;
      default:
        if (static_cast<unsigned char>(name[i]) < 0x20) name[i] = ' ';
        break;
    }
  }
  return name;
}

std::vector<std::string> CarInfoPieces(std::string_view text)
{
  std::vector<std::string> pieces;
  std::size_t b = 0;
  while (text.size() >= b + kCarInfoPieceBytes) {
    int high = 0;
    for (std::size_t i = b; i < b + kCarInfoPieceBytes; ++i) high += (static_cast<unsigned char>(text[i]) & 0x80) ? 1 : 0;
    const std::size_t end = b + kCarInfoPieceBytes - ((high % 2 != 0) ? 1 : 0);
    pieces.emplace_back(text.substr(b, end - b));
    b = end;
  }
  pieces.emplace_back(text.substr(b));
  return pieces;
}

void ReadCarFile(ReportTexts& texts)
{
  texts.markerFileName.clear();
  const auto lines = ReadLineFile(kCarFile, 10);
  if (!lines) return;
  texts.markerFileName = MarkerFileName(*lines);
}

namespace {

template <std::size_t N>
void StoreLines(const std::vector<std::string>& lines, std::array<std::string, N>& slots)
{
  for (std::size_t i = 0; i < lines.size() && i < N; ++i) slots[i] = lines[i];
}

}  // namespace

void ReadCustomerInfo(ReportTexts& texts)
{
  const char* path = win::_access(kCustomerFile, 0) == 0 ? kCustomerFile : kCustomerFileOld;
  const auto lines = ReadLineFile(path, 10);
  if (!lines) return;
  StoreLines(*lines, texts.customer);
  texts.customerFolder = vetra::Format("c:\\Vetra\\%s\\", texts.customer[0].c_str());
}

void ReadShopInfo(ReportTexts& texts)
{
  const auto lines = ReadLineFile(kShopFile, 10);
  if (!lines) return;
  StoreLines(*lines, texts.shop);
  if (texts.shop[0] == vetra::Cp949("기타차종")) texts.shop.fill(std::string());
}

void ReadCarInfoText(ReportTexts& texts)
{
  const auto lines = ReadLineFile(kCarInfoFile, -1);
  if (!lines) return;
  std::string joined;
  for (const auto& line : *lines) joined += line;
  const auto pieces = CarInfoPieces(joined);
  for (std::size_t i = 0; i < pieces.size() && i < texts.carInfo.size(); ++i) texts.carInfo[i] = pieces[i];
  texts.carInfoLines = static_cast<int>(std::min<std::size_t>(pieces.size(), kCarInfoPrintedLines));
}

}  // namespace tolvex
