#include <gtest/gtest.h>

#include <algorithm>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"
#include "programs/printlayout/report_page.h"
#include "programs/printlayout/tests/test_pictures.h"

namespace tolvex {
namespace {

using vetra::Cp949;
using vetra::gdi::DrawCall;

TEST(ReportPage, WorkshopNameIsCentredByItsBytes)
{
  const std::pair<std::size_t, int> cases[] = {{56, 0}, {0, 980}, {10, 805}, {57, -17}, {60, -70}};
  for (const auto& [bytes, x] : cases) EXPECT_EQ(TitleX(std::string(bytes, 'a')), x) << bytes;
  EXPECT_EQ(TitleX(Cp949("가나다")), (56 - 6) * 35 / 2);
}

class PageDrawing : public ::testing::Test {
protected:
  void SetUp() override
  {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, 200, 290);
    dc.SelectObject(&bitmap);
    dc.SetMapMode(win::MM_LOMETRIC);
    for (int i = 0; i < 10; ++i) {
      texts.shop[static_cast<std::size_t>(i)] = "S" + std::to_string(i);
      texts.customer[static_cast<std::size_t>(i)] = "C" + std::to_string(i);
    }
    texts.carInfo[0] = "I0";
    texts.carInfo[1] = "I1";
    texts.carInfo[2] = "I2";
    texts.carInfoLines = 2;
    remarks[0] = "R0";
    remarks[9] = "R9";
  }

  std::vector<DrawCall> Draw(ReportPageContent content)
  {
    vetra::gdi::ScopedDrawLog log;
    content.texts = &texts;
    content.remarks = &remarks;
    content.dateTime = "2026-12-10  09:05";
    DrawReportPage(&dc, content);
    return log.Calls();
  }

  win::CDC dc;
  win::CBitmap bitmap;
  ReportTexts texts;
  RemarkLines remarks;
};

std::vector<std::tuple<long long, long long, std::string>> Texts(const std::vector<DrawCall>& calls)
{
  std::vector<std::tuple<long long, long long, std::string>> out;
  for (const auto& c : calls)
    if (c.op == "TextOut") out.emplace_back(c.args[0], c.args[1], c.text);
  return out;
}

TEST_F(PageDrawing, LabelsStandAtTheirPlaces)
{
  const auto texts = Texts(Draw({}));
  const std::tuple<long long, long long, std::string> expected[] = {
      {(56 - 2) * 35 / 2, -120, "S0"},
      {50, -230, Cp949("전    화 : S3")},
      {850, -230, Cp949("팩    스 : S4")},
      {50, -300, "S1 - S2 "},
      {1520, -230, "2026-12-10  09:05"},
      {50, -385, Cp949("고 객 명 : C2")},
      {700, -385, Cp949("고객전화 : C3")},
      {50, -530, Cp949("차    종 : C8")},
      {50, -455, Cp949("차량번호 : C1")},
      {700, -455, Cp949("주행거리 : C7 Km")},
      {1300, -390, Cp949("핸 드 폰 : C4")},
      {1300, -460, Cp949("차대번호 : C0")},
      {1300, -530, Cp949(" V I N  : C6")},
      {20, -2095, Cp949("내 역 ")},
      {1450, -2095, Cp949("차량정보")},
      {65, -2160, "R0"},
      {65, -2745, "R9"},
      {1400, -2160, "I0"},
      {1400, -2225, "I1"},
  };
  for (const auto& e : expected) EXPECT_NE(std::find(texts.begin(), texts.end(), e), texts.end()) << std::get<2>(e);
  // Ten remark lines (empty ones too), the vehicle lines counted, nothing of customer lines 5 and 9.
  EXPECT_EQ(texts.size(), 15u + 10u + 2u);
  for (const auto& t : texts) {
    EXPECT_EQ(std::get<2>(t).find("C5"), std::string::npos);
    EXPECT_EQ(std::get<2>(t).find("C9"), std::string::npos);
  }
}

TEST_F(PageDrawing, FramesAreDrawnClockwiseWithTheirDividers)
{
  std::vector<std::vector<long long>> path;
  for (const auto& c : Draw({}))
    if (c.op == "MoveTo" || c.op == "LineTo") path.push_back({c.op == "MoveTo" ? 0 : 1, c.args[0], c.args[1]});
  const std::vector<std::vector<long long>> expected = {
      {0, 3, -200}, {1, 1957, -200}, {1, 1957, -350}, {1, 3, -350}, {1, 3, -200},
      {0, 3, -275}, {1, 1957, -275},
      {0, 3, -360}, {1, 1957, -360}, {1, 1957, -580}, {1, 3, -580}, {1, 3, -360},
      {0, 3, -505}, {1, 1957, -505}, {0, 3, -435}, {1, 1957, -435},
      {0, 3, -2085}, {1, 1957, -2085}, {1, 1957, -2840}, {1, 3, -2840}, {1, 3, -2085},
      {0, 1350, -2840}, {1, 1350, -2085}};
  EXPECT_EQ(path, expected);
}

TEST_F(PageDrawing, PicturesGoUnderTheTextAtTheirPlaces)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("p.bmp", testing::MakeBmp(20, 10, 24, testing::Pattern));
  vetra::CDib capture, band;
  ASSERT_EQ(capture.Open("c:\\p.bmp"), 1);
  ASSERT_EQ(band.Open("c:\\p.bmp"), 1);
  CImage jpeg;
  ASSERT_TRUE(jpeg.CreateImpl("c:\\logo.jpg", kImageJpg));
  ASSERT_TRUE(jpeg.Create(16, 8, 24, -1));
  ASSERT_EQ(jpeg.Write("c:\\logo.jpg"), 1);
  CLogoPicture logo;
  ASSERT_EQ(logo.Load("c:\\logo.jpg"), 1);

  ReportPageContent content;
  content.capture = &capture;
  content.band = &band;
  content.logo = &logo;
  const auto calls = Draw(content);
  std::vector<std::vector<long long>> pictures;
  for (const auto& c : calls)
    if (c.op == "StretchDIBits") pictures.push_back({c.args[0], c.args[1], c.args[2], c.args[3]});
  const std::vector<std::vector<long long>> expected = {
      {0, -600, 1960, -1425}, {580, -2370, 808, -224}, {3, -200, 1957, -150}, {3, -360, 1957, -220}};
  EXPECT_EQ(pictures, expected);
  const auto lastPicture = std::find_if(calls.rbegin(), calls.rend(), [](const DrawCall& c) { return c.op == "StretchDIBits"; });
  const auto firstText = std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) { return c.op == "TextOut"; });
  EXPECT_LT(std::distance(calls.begin(), lastPicture.base()), std::distance(calls.begin(), firstText) + 1);

  // Pictures that did not load are left out; the frames and texts stay.
  vetra::CDib missing;
  missing.Open("c:\\none.bmp");
  CLogoPicture noLogo;
  noLogo.Load("c:\\none.jpg");
  const auto bare = Draw({nullptr, nullptr, &missing, &missing, &noLogo, {}});
  EXPECT_TRUE(std::none_of(bare.begin(), bare.end(), [](const DrawCall& c) { return c.op == "StretchDIBits"; }));
  EXPECT_FALSE(Texts(bare).empty());
}

}  // namespace
}  // namespace tolvex
