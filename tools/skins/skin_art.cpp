#include "tools/skins/skin_art.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vetra::skins {
namespace {

// ---- The palette ----
constexpr Rgb kGraphiteTop{48, 53, 61};
constexpr Rgb kGraphiteBottom{31, 35, 41};
constexpr Rgb kAccent{33, 118, 199};
constexpr Rgb kToolbar{224, 227, 232};
constexpr Rgb kToolbarEdge{186, 191, 199};
constexpr Rgb kPanel{238, 240, 243};
constexpr Rgb kPanelEdge{196, 201, 208};
constexpr Rgb kField{252, 252, 253};
constexpr Rgb kFieldEdge{158, 165, 175};
constexpr Rgb kInk{28, 34, 42};
constexpr Rgb kInkSoft{92, 100, 111};
constexpr Rgb kTitleInk{240, 243, 247};
constexpr Rgb kTitleSoft{152, 162, 175};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kDialogGrey{221, 221, 221};     // what the road-test dialogs fill around their pictures
constexpr Rgb kValueHeader{168, 167, 173};    // header band of the ignition value panel
constexpr Rgb kListMask{127, 159, 213};       // mask colour of the scan lists' image list

struct FaceColors {
  Rgb top, bottom, edge, ink;
};

FaceColors ColorsOf(Variant variant)
{
  switch (variant) {
    case Variant::Over: return {{234, 244, 254}, {206, 227, 250}, kAccent, {14, 70, 132}};
    case Variant::Down: return {{27, 90, 158}, {42, 114, 190}, {17, 62, 116}, kWhite};
    case Variant::Disabled: return {{232, 234, 237}, {232, 234, 237}, {204, 208, 213}, {166, 171, 178}};
    case Variant::Selected: return {{247, 154, 54}, {228, 120, 22}, {182, 90, 12}, kWhite};
    case Variant::Single:
    case Variant::Normal: break;
  }
  return {{253, 253, 254}, {229, 232, 237}, {144, 152, 163}, kInk};
}

// What lies behind a button on its screen, so that the picture's margin blends in.
Rgb GroundOf(Screen screen)
{
  switch (screen) {
    case Screen::ScopeControl:
    case Screen::IgnControl:
    case Screen::ScanControl:
    case Screen::RoadControl: return kToolbar;
    case Screen::RoadInfoDialog:
    case Screen::RoadPositionDialog:
    case Screen::RoadInfoLabels: return kDialogGrey;
    case Screen::IgnValuePanel: return kValueHeader;
    default: return kPanel;
  }
}

RectF Whole(const Canvas& c) { return {0, 0, static_cast<double>(c.Width()), static_cast<double>(c.Height())}; }

// ---- Symbols, drawn centred in a square of side s ----
void Triangle(Canvas& c, double cx, double cy, double s, bool right, Rgb ink)
{
  const double w = s * 0.42, h = s * 0.48;
  if (right) {
    const PointF p[] = {{cx - w / 2, cy - h / 2}, {cx + w / 2, cy}, {cx - w / 2, cy + h / 2}};
    c.FillPolygon(p, ink);
  } else {
    const PointF p[] = {{cx + w / 2, cy - h / 2}, {cx - w / 2, cy}, {cx + w / 2, cy + h / 2}};
    c.FillPolygon(p, ink);
  }
}

// `paper` fills the insides of the outlined symbols (the face colour behind them).
void DrawSymbol(Canvas& c, Symbol symbol, double cx, double cy, double s, Rgb ink, Rgb paper)
{
  const double bar = std::max(2.0, s * 0.1);
  const double h = s * 0.48;
  switch (symbol) {
    case Symbol::None: break;
    case Symbol::Forward: Triangle(c, cx + s * 0.03, cy, s, true, ink); break;
    case Symbol::Reverse: Triangle(c, cx - s * 0.03, cy, s, false, ink); break;
    case Symbol::FastForward:
      Triangle(c, cx - s * 0.15, cy, s * 0.8, true, ink);
      Triangle(c, cx + s * 0.15, cy, s * 0.8, true, ink);
      break;
    case Symbol::FastReverse:
      Triangle(c, cx - s * 0.15, cy, s * 0.8, false, ink);
      Triangle(c, cx + s * 0.15, cy, s * 0.8, false, ink);
      break;
    case Symbol::ToStart:
      c.Fill({cx - s * 0.24, cy - h / 2, cx - s * 0.24 + bar, cy + h / 2}, ink);
      Triangle(c, cx + s * 0.06, cy, s, false, ink);
      break;
    case Symbol::ToEnd:
      c.Fill({cx + s * 0.24 - bar, cy - h / 2, cx + s * 0.24, cy + h / 2}, ink);
      Triangle(c, cx - s * 0.06, cy, s, true, ink);
      break;
    case Symbol::Stop: c.FillRound({cx - s * 0.2, cy - s * 0.2, cx + s * 0.2, cy + s * 0.2}, 1.5, ink); break;
    case Symbol::ArrowLeft:
    case Symbol::ArrowRight: {
      const double d = symbol == Symbol::ArrowRight ? 1 : -1;
      const double w = std::max(2.2, s * 0.13);
      c.Line({cx - d * s * 0.12, cy - s * 0.24}, {cx + d * s * 0.14, cy}, w, ink);
      c.Line({cx - d * s * 0.12, cy + s * 0.24}, {cx + d * s * 0.14, cy}, w, ink);
      c.FillEllipse({cx + d * s * 0.14 - w / 2, cy - w / 2, cx + d * s * 0.14 + w / 2, cy + w / 2}, ink);
      break;
    }
    case Symbol::Close: {
      const double r = s * 0.22, w = std::max(1.8, s * 0.11);
      c.Line({cx - r, cy - r}, {cx + r, cy + r}, w, ink);
      c.Line({cx - r, cy + r}, {cx + r, cy - r}, w, ink);
      break;
    }
    case Symbol::Zoom:
    case Symbol::ZoomOut: {
      const double r = s * 0.24, ox = cx - s * 0.07, oy = cy - s * 0.07, w = std::max(1.6, s * 0.09);
      c.FillEllipse({ox - r, oy - r, ox + r, oy + r}, ink);
      c.FillEllipse({ox - r + w, oy - r + w, ox + r - w, oy + r - w}, paper);
      c.Line({ox + r * 0.7, oy + r * 0.7}, {cx + s * 0.3, cy + s * 0.3}, w * 1.4, ink);
      c.Line({ox - r * 0.5, oy}, {ox + r * 0.5, oy}, w, ink);
      if (symbol == Symbol::Zoom) c.Line({ox, oy - r * 0.5}, {ox, oy + r * 0.5}, w, ink);
      break;
    }
    case Symbol::Printer: {
      const double w = s * 0.62;
      c.FillRound({cx - w * 0.32, cy - s * 0.34, cx + w * 0.32, cy - s * 0.08}, 1, paper);
      c.StrokeRound({cx - w * 0.32, cy - s * 0.34, cx + w * 0.32, cy - s * 0.08}, 1, 1.2, ink);
      c.FillRound({cx - w / 2, cy - s * 0.14, cx + w / 2, cy + s * 0.16}, 3, ink);
      c.FillRound({cx - w * 0.32, cy + s * 0.04, cx + w * 0.32, cy + s * 0.32}, 1, paper);
      c.StrokeRound({cx - w * 0.32, cy + s * 0.04, cx + w * 0.32, cy + s * 0.32}, 1, 1.2, ink);
      c.Fill({cx - w * 0.2, cy + s * 0.12, cx + w * 0.2, cy + s * 0.14}, ink);
      c.Fill({cx - w * 0.2, cy + s * 0.2, cx + w * 0.1, cy + s * 0.22}, ink);
      break;
    }
    case Symbol::Image: {
      const RectF frame{cx - s * 0.34, cy - s * 0.26, cx + s * 0.34, cy + s * 0.26};
      c.FillRound(frame, 2, paper);
      c.StrokeRound(frame, 2, 1.6, ink);
      const PointF hill[] = {{frame.left + 3, frame.bottom - 3}, {cx - s * 0.08, cy - s * 0.04}, {cx + s * 0.06, cy + s * 0.1},
                             {cx + s * 0.16, cy + s * 0.02}, {frame.right - 3, frame.bottom - 3}};
      c.FillPolygon(hill, ink);
      c.FillEllipse({cx + s * 0.1, cy - s * 0.18, cx + s * 0.2, cy - s * 0.08}, ink);
      break;
    }
    case Symbol::ItemMark:
    case Symbol::GraphMark: break;  // drawn pixel-exact by the image strip
  }
}

// ---- Button faces ----
void PaintFace(Canvas& c, const RectF& area, Variant variant, std::string_view label, Symbol symbol, Rgb ground)
{
  c.Fill(area, ground);
  const FaceColors colors = ColorsOf(variant);
  const RectF face = area.Inset(area.Height() >= 24 ? 1.5 : 1.0);
  const double radius = std::min(5.0, face.Height() / 4);
  c.FillRound(face, radius, colors.top, colors.bottom);
  c.StrokeRound(face, radius, 1.0, colors.edge);
  if (variant == Variant::Over) {
    // A lit underline makes the hover state readable at a glance.
    c.FillRound({face.left + 3, face.bottom - 3.5, face.right - 3, face.bottom - 1.5}, 1, kAccent);
  }
  // The pressed face moves its content down by a pixel, as a key does.
  const double shift = variant == Variant::Down || variant == Variant::Selected ? 1 : 0;
  const RectF content = face.Offset(shift, shift);
  const double cx = (content.left + content.right) / 2, cy = (content.top + content.bottom) / 2;
  const int textHeight = std::clamp(static_cast<int>(face.Height()) - 11, 10, 14);
  if (symbol != Symbol::None && !label.empty()) {
    // Symbol above a (possibly two-line) label: the tall buttons of the print-layout dialog.
    const double s = std::min(face.Width(), face.Height()) * 0.5;
    DrawSymbol(c, symbol, cx, content.top + face.Height() * 0.32, s, colors.ink, colors.bottom);
    c.Text({content.left, content.top + face.Height() * 0.56, content.right, content.bottom - 6}, label,
           {.height = 13, .weight = 700, .color = colors.ink});
  } else if (symbol != Symbol::None) {
    DrawSymbol(c, symbol, cx, cy, std::min(face.Width(), face.Height()), colors.ink, colors.bottom);
  } else if (!label.empty()) {
    c.Text(content, label, {.height = textHeight, .weight = 700, .color = colors.ink});
  }
}

// ---- Bands and fields ----
void TitleBand(Canvas& c, const RectF& band, std::string_view title, std::string_view subtitle, int titleHeight)
{
  c.FillRound(band, 0, kGraphiteTop, kGraphiteBottom);
  c.Fill({band.left, band.bottom - 3, band.right, band.bottom}, kAccent);
  if (subtitle.empty()) {
    c.Text({band.left + 16, band.top, band.right - 16, band.bottom - 3}, title,
           {.height = titleHeight, .weight = 700, .color = kTitleInk, .align = Align::Left});
  } else {
    const double mid = (band.top + band.bottom - 3) / 2;
    c.Text({band.left + 16, band.top + 4, band.right - 16, mid + 4}, title,
           {.height = titleHeight, .weight = 700, .color = kTitleInk, .align = Align::Left});
    c.Text({band.left + 16, mid + 2, band.right - 16, band.bottom - 5}, subtitle,
           {.height = 12, .weight = 400, .color = kTitleSoft, .align = Align::Left});
  }
}

void Field(Canvas& c, const RectF& r)
{
  c.FillRound(r, 3, kField);
  c.StrokeRound(r, 3, 1, kFieldEdge);
}

void Caption(Canvas& c, const RectF& r, std::string_view text, Align align, int height = 12)
{
  c.Text(r, text, {.height = height, .weight = 700, .color = kInkSoft, .align = align});
}

// ---- Backgrounds ----
void PaintTopBar(Canvas& c, const Entry& e)
{
  const double w = c.Width(), h = c.Height();
  constexpr double kBand = 59;  // graphite band and its accent line
  c.FillRound({0, 0, w, kBand}, 0, kGraphiteTop, kGraphiteBottom);
  c.Fill({0, kBand - 3, w, kBand}, kAccent);
  c.Text({18, 0, 120, kBand - 3}, "VETRA", {.height = 22, .weight = 800, .color = kWhite, .align = Align::Left});
  c.Fill({116, 16, 117, kBand - 19}, kTitleSoft);
  c.Text({130, 0, 600, kBand - 3}, e.label, {.height = 16, .weight = 700, .color = kTitleInk, .align = Align::Left});
  c.Text({w - 320, 0, w - 18, kBand - 3}, "차량 진단 리포트", {.height = 13, .weight = 400, .color = kTitleSoft, .align = Align::Right});
  const double toolbarBottom = e.art == Art::RoadTop ? 104 : h;
  c.Fill({0, kBand, w, toolbarBottom}, kToolbar);
  c.Fill({0, kBand, w, kBand + 1}, Mix(kToolbar, kWhite, 0.6));
  c.Fill({0, toolbarBottom - 1, w, toolbarBottom}, kToolbarEdge);
  switch (e.art) {
    case Art::ScopeTop:
      // Fields for the cursor difference (centred at x 562) and the time base (centred at x 689,
      // between the arrows), captioned above.
      Caption(c, {500, 60, 621, 72}, "커서 간격", Align::Center, 10);
      Field(c, {500, 73, 621, 101});
      Caption(c, {650, 60, 730, 72}, "시간축", Align::Center, 10);
      Field(c, {650, 73, 730, 101});
      break;
    case Art::RoadTop:
      // The cursor-time strip: its text (control 223) sits in the field.
      c.Fill({0, 104, w, h}, kPanel);
      c.Fill({0, h - 1, w, h}, kPanelEdge);
      Caption(c, {12, 111, 94, 131}, "커서 시간", Align::Right);
      Field(c, {99, 111, 268, 131});
      break;
    default: break;
  }
}

void PaintCylinderBar(Canvas& c)
{
  // Coordinates are the bar's less (2, 9), where the picture lies on it.
  const RectF whole = Whole(c);
  c.FillRound(whole, 6, kPanel);
  c.StrokeRound(whole, 6, 1, kPanelEdge);
  Field(c, {51, 26, 164, 46});
  Caption(c, {51, 26, 164, 46}, "전압 범위", Align::Center);
  Caption(c, {10, 48, 204, 64}, "실린더 선택", Align::Center);
  c.FillRound({30, 62, 185, 196}, 6, Mix(kPanel, kToolbarEdge, 0.25));
  c.Fill({12, 222, 202, 223}, kPanelEdge);
  Caption(c, {8, 238, 94, 266}, "시간축", Align::Right);
  Field(c, {100, 238, 206, 266});
  Caption(c, {8, 281, 84, 309}, "전압", Align::Right);
  Field(c, {90, 281, 206, 309});
}

void PaintRightPanel(Canvas& c, const Entry& e)
{
  const double w = c.Width(), h = c.Height();
  c.Fill(Whole(c), kPanel);
  c.Fill({0, 0, 1, h}, kPanelEdge);
  TitleBand(c, {0, 0, w, 38}, e.label, "", 14);
  if (e.art == Art::RoadRightPanel) {
    Field(c, {39, 44, 287, 559});
    return;
  }
  // The zoom panel: captions beside its scale combo, cursor spin and position scroll bar.
  Caption(c, {40, 50, 166, 70}, "배율", Align::Right);
  Caption(c, {40, 76, 166, 96}, "커서 이동", Align::Right);
  Caption(c, {40, 102, 166, 124}, "위치", Align::Right);
  c.Fill({12, 134, w - 12, 135}, kPanelEdge);
  if (e.art == Art::RoadRightPanelZoom) Field(c, {39, 170, 287, 559});
}

void PaintProgressDialog(Canvas& c, std::string_view title, std::string_view message)
{
  const double w = c.Width();
  c.Fill(Whole(c), kPanel);
  TitleBand(c, {0, 0, w, 36}, title, "", 14);
  c.Text({16, 50, w - 16, 90}, message, {.height = 14, .weight = 700, .color = kInk});
  Field(c, {24, 100, 329, 117});
  c.StrokeRound(Whole(c), 0, 1, kPanelEdge);
}

void PaintPrintChoice(Canvas& c, const Entry& e)
{
  const double w = c.Width();
  c.Fill(Whole(c), kPanel);
  TitleBand(c, {0, 0, w, 50}, e.label, "", 16);
  c.Text({28, 62, w - 28, 90}, "원하는 작업을 고르십시오.", {.height = 13, .weight = 400, .color = kInkSoft, .align = Align::Left});
  // One card per choice; the bitmap buttons (print at y 112, picture at y 188) stand at their right.
  const struct {
    double top;
    Symbol symbol;
    std::string_view text;
  } cards[] = {{100, Symbol::Printer, "리포트를 프린터로 인쇄합니다."}, {176, Symbol::Image, "화면을 JPG 그림 파일로 저장합니다."}};
  for (const auto& card : cards) {
    const RectF r{24, card.top, 452, card.top + 64};
    c.FillRound(r, 6, kWhite);
    c.StrokeRound(r, 6, 1, kPanelEdge);
    DrawSymbol(c, card.symbol, 60, card.top + 32, 40, kAccent, kWhite);
    c.Text({92, card.top, 444, card.top + 64}, card.text, {.height = 14, .weight = 700, .color = kInk, .align = Align::Left});
  }
  c.Fill({24, 258, w - 24, 259}, kPanelEdge);
}

void PaintChooser(Canvas& c, const Entry& e)
{
  const double w = c.Width();
  c.Fill(Whole(c), kPanel);
  c.FillRound({0, 0, w, 99}, 0, kGraphiteTop, kGraphiteBottom);
  c.Fill({0, 96, w, 99}, kAccent);
  c.Text({28, 18, w - 28, 58}, e.label, {.height = 24, .weight = 800, .color = kTitleInk, .align = Align::Left});
  c.Text({28, 58, w - 28, 84}, "보려는 기록의 종류를 고르십시오.", {.height = 13, .weight = 400, .color = kTitleSoft, .align = Align::Left});
  // The five kinds: a coloured tag beside each button, the button's normal face itself.
  constexpr Rgb kKindColors[] = {{22, 150, 136}, {236, 120, 32}, {214, 88, 52}, {124, 88, 200}, {60, 150, 70}};
  constexpr std::string_view kKindTags[] = {"OSC", "IG1", "IG2", "SCN", "RES"};
  int kind = 0;
  for (const Entry& button : Catalogue()) {
    if (button.screen != Screen::Chooser || button.kind != Kind::Button) continue;
    const double top = button.y, mid = button.y + button.height / 2.0;
    c.FillRound({112, mid - 15, 160, mid + 15}, 6, kKindColors[kind]);
    c.Text({112, mid - 15, 160, mid + 15}, kKindTags[kind], {.height = 11, .weight = 800, .color = kWhite});
    const RectF area{static_cast<double>(button.x), top, static_cast<double>(button.x + button.width), top + button.height};
    PaintFace(c, area, Variant::Normal, button.label, Symbol::None, kPanel);
    ++kind;
  }
  c.Fill({24, 424, w - 24, 425}, kPanelEdge);
  PaintFace(c, {392, 436, 463, 464}, Variant::Normal, "닫기", Symbol::None, kPanel);
  c.StrokeRound(Whole(c), 0, 1, kPanelEdge);
}

void PaintPrintLayout(Canvas& c, const Entry& e)
{
  const double w = c.Width(), h = c.Height();
  c.Fill(Whole(c), kPanel);
  TitleBand(c, {0, 0, w, 46}, e.label, "", 16);
  c.Text({8, 50, w - 8, 74}, "내역을 입력하십시요. (최대 10줄까지 입력이 가능합니다.)",
         {.height = 12, .weight = 700, .color = kInkSoft, .align = Align::Left});
  Field(c, {4, 77, 405, 284});  // behind the remark box (5, 78)-(404, 283)
  c.Fill({8, 294, w - 8, 295}, kPanelEdge);
  c.StrokeRound({0, 0, w, h}, 0, 1, kPanelEdge);
}

void PaintTitleTile(Canvas& c, const Entry& e)
{
  const RectF whole = Whole(c);
  c.Fill(whole, kValueHeader);
  c.FillRound(whole, 4, kGraphiteTop, kGraphiteBottom);
  c.FillRound({0, 0, 5, whole.bottom}, 2, kAccent);
  c.Text({14, 0, whole.right - 8, whole.bottom}, e.label, {.height = 16, .weight = 800, .color = kTitleInk, .align = Align::Left});
}

void PaintLabelTile(Canvas& c, const Entry& e)
{
  const RectF whole = Whole(c);
  c.Fill(whole, kDialogGrey);
  c.FillRound(whole, 3, {236, 240, 245}, {222, 228, 236});
  c.StrokeRound(whole, 3, 1, kPanelEdge);
  c.Fill({0, 3, 4, whole.bottom - 3}, kAccent);
  c.Text({14, 0, whole.right - 8, whole.bottom}, e.label, {.height = 13, .weight = 700, .color = kInk, .align = Align::Left});
}

void PaintProgressBar(Canvas& c)
{
  const RectF whole = Whole(c);
  c.FillRound(whole, 0, Mix(kAccent, kWhite, 0.35), Mix(kAccent, kGraphiteBottom, 0.15));
  // Light diagonal stripes, so the growing bar reads as motion.
  for (double x = -whole.bottom; x < whole.right; x += 12) {
    const PointF stripe[] = {{x, whole.bottom}, {x + whole.bottom, 0}, {x + whole.bottom + 5, 0}, {x + 5, whole.bottom}};
    c.FillPolygon(stripe, Mix(kAccent, kWhite, 0.5));
  }
  c.Fill({0, 0, whole.right, 1}, Mix(kAccent, kWhite, 0.6));
  c.Fill({0, whole.bottom - 1, whole.right, whole.bottom}, Mix(kAccent, kGraphiteBottom, 0.4));
}

void PaintBand(Canvas& c)
{
  const RectF whole = Whole(c);
  c.FillRound(whole, 0, {238, 243, 250}, {219, 230, 244});
  c.Fill({0, 0, whole.right, 1}, kWhite);
}

void PaintPanel(Canvas& c, const Entry& e)
{
  switch (e.art) {
    case Art::IgnCylinderBar: PaintCylinderBar(c); break;
    case Art::RoadRightPanel:
    case Art::RoadRightPanelZoom:
    case Art::RoadZoomStrip: PaintRightPanel(c, e); break;
    case Art::RoadDecodeDialog: PaintProgressDialog(c, "데이터 변환", e.label); break;
    case Art::DownloadDialog: PaintProgressDialog(c, e.label, "파일을 받고 있습니다. 잠시 기다려 주십시오."); break;
    case Art::RoadInfoTitle: TitleBand(c, Whole(c), e.label, "기록된 차량의 정보입니다.", 20); break;
    case Art::RoadPositionTitle: TitleBand(c, Whole(c), e.label, "항목을 고른 뒤 스크롤바로 위치를 옮기십시오.", 18); break;
    case Art::RoadPrintChoice: PaintPrintChoice(c, e); break;
    case Art::ChooserWindow: PaintChooser(c, e); break;
    case Art::PrintLayoutDialog: PaintPrintLayout(c, e); break;
    default: c.Fill(Whole(c), kPanel); break;
  }
}

// Pixel-exact line for pictures whose mask colour must not blend into their edges.
void HardLine(Canvas& c, int x0, int y0, int x1, int y1, Rgb ink)
{
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  for (int err = dx + dy;;) {
    c.Fill({static_cast<double>(x0), static_cast<double>(y0), x0 + 1.0, y0 + 2.0}, ink);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

void PaintImageStrip(Canvas& c)
{
  // Image 0: an item that is not on the graph; image 1: an item on the graph. Square edges only,
  // so that no pixel mixes with the mask colour.
  c.Fill(Whole(c), kListMask);
  c.Fill({7, 7, 18, 18}, kFieldEdge);
  c.Fill({8, 8, 17, 17}, kWhite);
  c.Fill({31, 6, 44, 19}, {17, 62, 116});
  c.Fill({32, 7, 43, 18}, kAccent);
  const int wave[][2] = {{33, 14}, {35, 10}, {37, 15}, {39, 9}, {41, 13}};
  for (std::size_t i = 0; i + 1 < std::size(wave); ++i) HardLine(c, wave[i][0], wave[i][1], wave[i + 1][0], wave[i + 1][1], kWhite);
}

}  // namespace

void PaintPicture(Canvas& canvas, const Entry& entry, Variant variant)
{
  switch (entry.kind) {
    case Kind::TopBar: PaintTopBar(canvas, entry); break;
    case Kind::Panel: PaintPanel(canvas, entry); break;
    case Kind::Button:
    case Kind::ToggleButton:
    case Kind::ResourceButton:
      PaintFace(canvas, Whole(canvas), variant == Variant::Single ? Variant::Normal : variant, entry.label, entry.symbol,
                GroundOf(entry.screen));
      break;
    case Kind::TitleTile: PaintTitleTile(canvas, entry); break;
    case Kind::LabelTile: PaintLabelTile(canvas, entry); break;
    case Kind::ProgressBar: PaintProgressBar(canvas); break;
    case Kind::Band: PaintBand(canvas); break;
    case Kind::ImageStrip: PaintImageStrip(canvas); break;
    case Kind::Logo: PaintLogo(canvas); break;
  }
}

void PaintResource(Canvas& canvas, const ResourceBitmap& bitmap)
{
  if (bitmap.kind == Kind::ImageStrip) {
    PaintImageStrip(canvas);
    return;
  }
  const Variant variant = bitmap.variant == Variant::Single ? Variant::Normal : bitmap.variant;
  PaintFace(canvas, Whole(canvas), variant, bitmap.label, bitmap.symbol, kPanel);
}

void PaintLogo(Canvas& c)
{
  // Printed behind the remark and vehicle texts of the report page, so it keeps to light tints.
  const double w = c.Width(), h = c.Height();
  c.Fill(Whole(c), kWhite);
  const Rgb wave = Mix(kAccent, kWhite, 0.62);
  PointF previous{0, h * 0.62};
  for (int x = 1; x <= static_cast<int>(w); ++x) {
    const double t = x / w;
    const double spike = std::exp(-std::pow((t - 0.78) * 38, 2)) * -0.42 + std::exp(-std::pow((t - 0.82) * 30, 2)) * 0.2;
    const PointF next{static_cast<double>(x), h * (0.62 + 0.05 * std::sin(t * 18) + spike)};
    c.Line(previous, next, 2.2, wave);
    previous = next;
  }
  c.Text({16, 6, w - 16, h * 0.62}, "VETRA", {.height = 54, .weight = 800, .color = Mix(kAccent, kWhite, 0.3), .align = Align::Left});
  c.Text({18, h * 0.7, w - 16, h - 4}, "차량 진단 리포트  ·  VEHICLE DIAGNOSTIC REPORT",
         {.height = 13, .weight = 700, .color = Mix(kInkSoft, kWhite, 0.3), .align = Align::Left});
}

}  // namespace vetra::skins
