#pragma once
// The printed report page, in MM_LOMETRIC units (0.1 mm, y negative downwards from the top of
// the printable area): the workshop name, two framed header bands with the workshop's and the
// customer's data, the captured viewer picture, and the bottom box with the remarks, the
// vehicle information and the logo behind them.

#include <array>
#include <string>
#include <string_view>

#include "common/dib/dib.h"
#include "platform/gdi/cdc.h"
#include "programs/printlayout/image.h"
#include "programs/printlayout/input_files.h"

namespace tolvex {

inline constexpr int kRemarkLines = 10;
using RemarkLines = std::array<std::string, kRemarkLines>;

struct ReportPageContent {
  const ReportTexts* texts = nullptr;
  const RemarkLines* remarks = nullptr;
  vetra::CDib* capture = nullptr;   // print1.bmp
  vetra::CDib* band = nullptr;      // BKColor.bmp
  CLogoPicture* logo = nullptr;
  std::string dateTime;             // "%Y-%m-%d  %H:%M"
};

// x of the centred workshop name: (56 - bytes) * 35 / 2, truncating toward zero.
int TitleX(std::string_view name);
// The local date and time as the page shows it.
std::string ReportDateTime();

void DrawCapture(win::CDC* dc, vetra::CDib& capture);
void DrawLogo(win::CDC* dc, CLogoPicture& logo);
void DrawBands(win::CDC* dc, vetra::CDib& band);
void DrawReportText(win::CDC* dc, const ReportTexts& texts, const RemarkLines& remarks, const std::string& dateTime);

// The four steps in order, later drawing covering earlier drawing.
void DrawReportPage(win::CDC* dc, const ReportPageContent& content);

}  // namespace tolvex
