#include "programs/printlayout/report_page.h"

#include <algorithm>

#include "platform/base/clock.h"
#include "platform/base/text.h"

namespace tolvex {
namespace {

bool Loaded(const vetra::CDib& picture) { return picture.m_loaded != 0 && picture.m_data != nullptr; }

void CreateReportFont(win::CFont& font, int height, int width, const char* utf8Face)
{
  font.CreateFont(height, width, 0, 5, 600, 0, 0, 0, 1, 0, 0, 0, 32, vetra::Cp949(utf8Face).c_str());
}

// A frame as four lines, clockwise from its top-left corner.
void Frame(win::CDC* dc, int left, int top, int right, int bottom)
{
  dc->MoveTo(left, top);
  dc->LineTo(right, top);
  dc->LineTo(right, bottom);
  dc->LineTo(left, bottom);
  dc->LineTo(left, top);
}

void Line(win::CDC* dc, int x0, int y0, int x1, int y1)
{
  dc->MoveTo(x0, y0);
  dc->LineTo(x1, y1);
}

}  // namespace

int TitleX(std::string_view name) { return (56 - static_cast<int>(name.size())) * 35 / 2; }

std::string ReportDateTime()
{
  win::SYSTEMTIME now{};
  win::GetLocalTime(now);
  return vetra::Format("%04d-%02d-%02d  %02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
}

void DrawCapture(win::CDC* dc, vetra::CDib& capture)
{
  if (Loaded(capture)) capture.Draw(0, -600, 1960, -1425, dc);
}

void DrawLogo(win::CDC* dc, CLogoPicture& logo)
{
  if (logo.IsValid()) logo.Draw(580, -2370, 808, -224, dc);
}

void DrawBands(win::CDC* dc, vetra::CDib& band)
{
  if (!Loaded(band)) return;
  band.Draw(3, -200, 1957, -150, dc);
  band.Draw(3, -360, 1957, -220, dc);
}

void DrawReportText(win::CDC* dc, const ReportTexts& texts, const RemarkLines& remarks, const std::string& dateTime)
{
  win::CFont titleFont;
  CreateReportFont(titleFont, 50, 0, "굴림");
  win::CPen pen(win::PS_SOLID, 3, win::RGB(0, 0, 0));
  win::CFont* previousFont = dc->SelectObject(&titleFont);
  win::CPen* previousPen = dc->SelectObject(&pen);
  dc->SetTextColor(win::RGB(0, 0, 0));
  dc->TextOut(TitleX(texts.shop[0]), -120, texts.shop[0]);
  dc->SelectObject(previousFont);

  Frame(dc, 3, -200, 1957, -350);
  Line(dc, 3, -275, 1957, -275);
  Frame(dc, 3, -360, 1957, -580);
  Line(dc, 3, -505, 1957, -505);
  Line(dc, 3, -435, 1957, -435);
  Frame(dc, 3, -2085, 1957, -2840);
  Line(dc, 1350, -2840, 1350, -2085);

  win::CFont labelFont;
  CreateReportFont(labelFont, 30, 20, "굴림체");
  dc->SelectObject(&labelFont);
  const auto& shop = texts.shop;
  const auto& customer = texts.customer;
  const auto text = [&](const char* utf8Format, const std::string& value, int x, int y) {
    dc->TextOut(x, y, vetra::Format(vetra::Cp949(utf8Format).c_str(), value.c_str()));
  };
  text("전    화 : %s", shop[3], 50, -230);
  text("팩    스 : %s", shop[4], 850, -230);
  dc->TextOut(50, -300, vetra::Format("%s - %s ", shop[1].c_str(), shop[2].c_str()));
  dc->TextOut(1520, -230, dateTime);
  text("고 객 명 : %s", customer[2], 50, -385);
  text("고객전화 : %s", customer[3], 700, -385);
  text("차    종 : %s", customer[8], 50, -530);
  text("차량번호 : %s", customer[1], 50, -455);
  text("주행거리 : %s Km", customer[7], 700, -455);
  text("핸 드 폰 : %s", customer[4], 1300, -390);
  text("차대번호 : %s", customer[0], 1300, -460);
  text(" V I N  : %s", customer[6], 1300, -530);
  dc->TextOut(20, -2095, vetra::Cp949("내 역 "));
  dc->TextOut(1450, -2095, vetra::Cp949("차량정보"));

  for (int i = 0; i < kRemarkLines; ++i) dc->TextOut(65, -2160 - 65 * i, remarks[static_cast<std::size_t>(i)]);
  const int carLines = std::clamp(texts.carInfoLines, 0, kCarInfoPrintedLines);
  for (int i = 0; i < carLines; ++i) dc->TextOut(1400, -2160 - 65 * i, texts.carInfo[static_cast<std::size_t>(i)]);

  dc->SelectObject(previousFont);
  dc->SelectObject(previousPen);
}

void DrawReportPage(win::CDC* dc, const ReportPageContent& content)
{
  if (content.capture) DrawCapture(dc, *content.capture);
  if (content.logo) DrawLogo(dc, *content.logo);
  if (content.band) DrawBands(dc, *content.band);
  static const RemarkLines kNoRemarks{};
  static const ReportTexts kNoTexts{};
  DrawReportText(dc, content.texts ? *content.texts : kNoTexts, content.remarks ? *content.remarks : kNoRemarks, content.dateTime);
}

}  // namespace tolvex
