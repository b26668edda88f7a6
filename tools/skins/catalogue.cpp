#include "tools/skins/catalogue.h"

#include <algorithm>
#include <array>
#include <set>

#include "platform/base/text.h"

namespace vetra::skins {
namespace {

// Folders as each screen spells them; the drive finds a folder whatever the case of its name.
constexpr std::string_view kScopeTop = "C:\\Vetra\\Fenmark\\Img\\Scope";
constexpr std::string_view kScope = "C:\\Vetra\\Fenmark\\Img\\scope";
constexpr std::string_view kIgn = "C:\\Vetra\\Fenmark\\Img\\ign";
constexpr std::string_view kScan = "C:\\Vetra\\Fenmark\\Img\\Scantool";
constexpr std::string_view kRoad = "C:\\Vetra\\Fenmark\\Img\\Morvit";
constexpr std::string_view kChooser = "C:\\Vetra\\Fenmark\\Img\\SaveData";
constexpr std::string_view kDownload = "C:\\Vetra\\Fenmark\\Img\\Dn";
constexpr std::string_view kPrint = "C:\\Vetra\\Fenmark\\Img\\Print";
constexpr std::string_view kImg = "C:\\Vetra\\Fenmark\\img";

constexpr ScreenSize kScreens[] = {
    {Screen::ScopeControl, 1017, 708},
    {Screen::IgnControl, 1017, 708},
    {Screen::IgnCylinderBar, 218, 592},     // right panel (797, 112)-(1015, 704) of the control
    {Screen::IgnValuePanel, 218, 592},
    {Screen::ScanControl, 1018, 708},
    {Screen::RoadControl, 1018, 708},
    {Screen::RoadRightPanel, 288, 568},
    {Screen::RoadDecodeDialog, 354, 170},
    {Screen::RoadInfoDialog, 516, 354},
    {Screen::RoadInfoLabels, 505, 233},
    {Screen::RoadPositionDialog, 348, 254},
    {Screen::RoadPrintChoice, 598, 326},
    {Screen::Chooser, 480, 480},
    {Screen::DownloadDialog, 354, 170},
    {Screen::PrintLayout, 504, 360},
    {Screen::ReportPage, 1957, 220},
};

// Button rows. Menu buttons of the viewers are 88 x 34 at y 71: the ignition viewer's nine lie
// side by side from x 11 (the last ends at 803, before the play buttons at 809), and its second
// one starts at 99, where the oscilloscope viewer draws the same picture as its units button.
// Play buttons of the oscilloscope and ignition viewers are 28 x 32 at y 72: the narrowest gap of
// their rows is 29 pixels (907 to 936). Pictures whose size the screens state keep that size.
constexpr int kMenuW = 88, kMenuH = 34, kMenuY = 71;
constexpr int kPlayW = 28, kPlayH = 32, kPlayY = 72;
constexpr int IgnMenuX(int n) { return 11 + kMenuW * (n - 1); }

using enum Screen;
using enum Kind;
using enum Symbol;

constexpr Entry kCatalogue[] = {
    // Oscilloscope viewer.
    {ScopeControl, kScopeTop, "top_image.bmp", "", "", "", 1017, 109, 0, 0, TopBar, "오실로스코프", None, Art::ScopeTop},
    {ScopeControl, kScope, "menu_01.bmp", "menu_o01.bmp", "menu_d01.bmp", "", kMenuW, kMenuH, 11, kMenuY, Button, "인쇄"},
    {ScopeControl, kScope, "pbutton_01.bmp", "pbutton_o01.bmp", "pbutton_o01.bmp", "", kPlayW, kPlayH, 809, kPlayY, Button, "", ToStart},
    {ScopeControl, kScope, "pbutton_02.bmp", "pbutton_o02.bmp", "pbutton_o02.bmp", "", kPlayW, kPlayH, 844, kPlayY, Button, "", FastReverse},
    {ScopeControl, kScope, "pbutton_03.bmp", "pbutton_o03.bmp", "pbutton_o03.bmp", "", kPlayW, kPlayH, 876, kPlayY, Button, "", Reverse},
    {ScopeControl, kScope, "pbutton_04.bmp", "pbutton_o04.bmp", "pbutton_o04.bmp", "", kPlayW, kPlayH, 908, kPlayY, Button, "", Forward},
    {ScopeControl, kScope, "pbutton_05.bmp", "pbutton_o05.bmp", "pbutton_o05.bmp", "", kPlayW, kPlayH, 937, kPlayY, Button, "", FastForward},
    {ScopeControl, kScope, "pbutton_06.bmp", "pbutton_o06.bmp", "pbutton_o06.bmp", "", kPlayW, kPlayH, 968, kPlayY, Button, "", ToEnd},
    // Time-base arrows: expand at 624, compress at 733; the time-base text is centred at 689
    // between them and the cursor difference at 562 to their left.
    {ScopeControl, kScope, "ms_arrow1.bmp", "ms_rarrow1.bmp", "ms_rarrow1.bmp", "", 24, 30, 624, 73, Button, "", ArrowLeft},
    {ScopeControl, kScope, "ms_arrow2.bmp", "ms_rarrow2.bmp", "ms_rarrow2.bmp", "", 24, 30, 733, 73, Button, "", ArrowRight},

    // Ignition viewer: the graph and the right panel start at y 112.
    {IgnControl, kIgn, "top_image.bmp", "", "", "", 1017, 112, 0, 0, TopBar, "점화 파형", None, Art::IgnTop},
    {IgnControl, kIgn, "menu_01.bmp", "menu_o01.bmp", "menu_d01.bmp", "", kMenuW, kMenuH, IgnMenuX(1), kMenuY, Button, "인쇄"},
    {IgnControl, kIgn, "menu_02.bmp", "menu_o02.bmp", "menu_d02.bmp", "", kMenuW, kMenuH, IgnMenuX(2), kMenuY, Button, "설정"},
    {IgnControl, kIgn, "menu_03.bmp", "menu_o03.bmp", "menu_d03.bmp", "menu_dis03.bmp", kMenuW, kMenuH, IgnMenuX(3), kMenuY, Button, "직렬"},
    {IgnControl, kIgn, "menu_04.bmp", "menu_o04.bmp", "menu_d04.bmp", "menu_dis04.bmp", kMenuW, kMenuH, IgnMenuX(4), kMenuY, Button, "병렬"},
    {IgnControl, kIgn, "menu_05.bmp", "menu_o05.bmp", "menu_d05.bmp", "menu_dis05.bmp", kMenuW, kMenuH, IgnMenuX(5), kMenuY, Button, "3D"},
    {IgnControl, kIgn, "menu_06.bmp", "menu_o06.bmp", "menu_d06.bmp", "", kMenuW, kMenuH, IgnMenuX(6), kMenuY, Button, "트렌드"},
    {IgnControl, kIgn, "menu_07.bmp", "menu_o07.bmp", "menu_d07.bmp", "menu_dis07.bmp", kMenuW, kMenuH, IgnMenuX(7), kMenuY, Button, "개별"},
    {IgnControl, kIgn, "menu_08.bmp", "menu_o08.bmp", "menu_d08.bmp", "menu_dis08.bmp", kMenuW, kMenuH, IgnMenuX(8), kMenuY, Button, "실린더"},
    {IgnControl, kIgn, "menu_09.bmp", "menu_o09.bmp", "menu_d09.bmp", "menu_dis09.bmp", kMenuW, kMenuH, IgnMenuX(9), kMenuY, Button, "디지털"},
    {IgnControl, kIgn, "pbutton_01.bmp", "pbutton_o01.bmp", "pbutton_o01.bmp", "", kPlayW, kPlayH, 809, kPlayY, Button, "", ToStart},
    {IgnControl, kIgn, "pbutton_02.bmp", "pbutton_o02.bmp", "pbutton_o02.bmp", "", kPlayW, kPlayH, 843, kPlayY, Button, "", FastReverse},
    {IgnControl, kIgn, "pbutton_03.bmp", "pbutton_o03.bmp", "pbutton_o03.bmp", "", kPlayW, kPlayH, 876, kPlayY, Button, "", Reverse},
    {IgnControl, kIgn, "pbutton_04.bmp", "pbutton_o04.bmp", "pbutton_o04.bmp", "", kPlayW, kPlayH, 907, kPlayY, Button, "", Forward},
    {IgnControl, kIgn, "pbutton_05.bmp", "pbutton_o05.bmp", "pbutton_o05.bmp", "", kPlayW, kPlayH, 936, kPlayY, Button, "", FastForward},
    {IgnControl, kIgn, "pbutton_06.bmp", "pbutton_o06.bmp", "pbutton_o06.bmp", "", kPlayW, kPlayH, 967, kPlayY, Button, "", ToEnd},

    // Cylinder bar: background at (2, 9); arrows at (25, 33) and (170, 33); a 3 x 3 grid of
    // cylinder buttons 49 apart across and 42 apart down from (38, 76); the time-base and range
    // texts are written at (110, 253) and (100, 296) into fields of the background.
    {IgnCylinderBar, kIgn, "wave_img.bmp", "", "", "", 214, 320, 2, 9, Panel, "", None, Art::IgnCylinderBar},
    {IgnCylinderBar, kIgn, "wave_arrow1.bmp", "", "wave_arrowd1.bmp", "wave_arrowdis1.bmp", 24, 24, 25, 33, Button, "", ArrowLeft},
    {IgnCylinderBar, kIgn, "wave_arrow2.bmp", "", "wave_arrowd2.bmp", "wave_arrowdis2.bmp", 24, 24, 170, 33, Button, "", ArrowRight},
    {IgnCylinderBar, kIgn, "wave_button01.bmp", "", "wave_buttond01.bmp", "wave_buttondis01.bmp", 45, 38, 38, 76, ToggleButton, "1"},
    {IgnCylinderBar, kIgn, "wave_button02.bmp", "", "wave_buttond02.bmp", "wave_buttondis02.bmp", 45, 38, 87, 76, ToggleButton, "2"},
    {IgnCylinderBar, kIgn, "wave_button03.bmp", "", "wave_buttond03.bmp", "wave_buttondis03.bmp", 45, 38, 136, 76, ToggleButton, "3"},
    {IgnCylinderBar, kIgn, "wave_button04.bmp", "", "wave_buttond04.bmp", "wave_buttondis04.bmp", 45, 38, 38, 118, ToggleButton, "4"},
    {IgnCylinderBar, kIgn, "wave_button05.bmp", "", "wave_buttond05.bmp", "wave_buttondis05.bmp", 45, 38, 87, 118, ToggleButton, "5"},
    {IgnCylinderBar, kIgn, "wave_button06.bmp", "", "wave_buttond06.bmp", "wave_buttondis06.bmp", 45, 38, 136, 118, ToggleButton, "6"},
    {IgnCylinderBar, kIgn, "wave_button07.bmp", "", "wave_buttond07.bmp", "wave_buttondis07.bmp", 45, 38, 38, 160, ToggleButton, "7"},
    {IgnCylinderBar, kIgn, "wave_button08.bmp", "", "wave_buttond08.bmp", "wave_buttondis08.bmp", 45, 38, 87, 160, ToggleButton, "8"},
    {IgnCylinderBar, kIgn, "wave_button09.bmp", "", "wave_buttond09.bmp", "wave_buttondis09.bmp", 45, 38, 136, 160, Button, "전체"},

    // Value panel: one heading tile at (3, 1) inside the 40-pixel header band; the tiles take
    // turns at that place, all of the size of the dwell tile.
    {IgnValuePanel, kIgn, "dwell.bmp", "", "", "", 212, 38, 3, 1, TitleTile, "드웰시간"},
    {IgnValuePanel, kIgn, "ig_time.bmp", "", "", "", 212, 38, 3, 1, TitleTile, "점화시간"},
    {IgnValuePanel, kIgn, "ig_volt.bmp", "", "", "", 212, 38, 3, 1, TitleTile, "점화전압"},
    {IgnValuePanel, kIgn, "peak_volt.bmp", "", "", "", 212, 38, 3, 1, TitleTile, "피크전압"},
    {IgnValuePanel, kIgn, "tr_off.bmp", "", "", "", 212, 38, 3, 1, TitleTile, "Tr Off"},

    // Scan-data viewer: sizes and places as the screen states them.
    {ScanControl, kScan, "top_image.bmp", "", "", "", 1018, 109, 0, 0, TopBar, "스캔 데이터", None, Art::ScanTop},
    {ScanControl, kScan, "BtnPrint_N.bmp", "BtnPrint_O.bmp", "BtnPrint_D.bmp", "", 78, 26, 11, 71, Button, "인쇄"},
    {ScanControl, kScan, "BtnGrap_N.bmp", "BtnGrap_O.bmp", "BtnGrap_D.bmp", "BtnGrap_Dis.bmp", 78, 26, 89, 71, Button, "그래프"},
    {ScanControl, kScan, "BtnText_N.bmp", "BtnText_O.bmp", "BtnText_D.bmp", "", 78, 26, 89, 71, Button, "텍스트"},
    {ScanControl, kScan, "BtnTrig_N.bmp", "BtnTrig_O.bmp", "BtnTrig_D.bmp", "", 90, 26, 167, 71, Button, "트리거"},
    {ScanControl, kScan, "BtnItem_N.bmp", "BtnItem_O.bmp", "BtnItem_D.bmp", "", 90, 26, 257, 71, Button, "항목 선택"},
    {ScanControl, kScan, "BtnValue_N.bmp", "BtnValue_O.bmp", "BtnValue_D.bmp", "", 90, 26, 257, 71, Button, "값 보기"},
    {ScanControl, kScan, "BtnStart_N.bmp", "BtnStart_O.bmp", "BtnStart_D.bmp", "", 26, 25, 809, 72, Button, "", ToStart},
    {ScanControl, kScan, "BtnFRePlay_N.bmp", "BtnFRePlay_O.bmp", "BtnFRePlay_D.bmp", "", 26, 25, 843, 72, Button, "", FastReverse},
    {ScanControl, kScan, "BtnRePlay_N.bmp", "BtnRePlay_O.bmp", "BtnRePlay_D.bmp", "", 26, 25, 876, 72, Button, "", Reverse},
    {ScanControl, kScan, "BtnPlay_N.bmp", "BtnPlay_O.bmp", "BtnPlay_D.bmp", "", 26, 25, 907, 72, Button, "", Forward},
    {ScanControl, kScan, "BtnFPlay_N.bmp", "BtnFPlay_O.bmp", "BtnFPlay_D.bmp", "", 26, 25, 937, 72, Button, "", FastForward},
    {ScanControl, kScan, "BtnEnd_N.bmp", "BtnEnd_O.bmp", "BtnEnd_D.bmp", "", 25, 25, 967, 72, Button, "", ToEnd},

    // Road-test viewer: top bar, right panel and buttons as the screen states them.
    {RoadControl, kRoad, "top_image.bmp", "", "", "", 1018, 140, 0, 0, TopBar, "로드 테스트", None, Art::RoadTop},
    {RoadControl, kRoad, "BtnPrint_N.bmp", "BtnPrint_O.bmp", "BtnPrint_D.bmp", "BtnPrint_Dis.bmp", 78, 26, 11, 71, Button, "인쇄"},
    {RoadControl, kRoad, "BtnParrall_N.bmp", "BtnParrall_O.bmp", "BtnParrall_D.bmp", "BtnParrall_Dis.bmp", 90, 26, 89, 71, Button, "병렬 보기"},
    {RoadControl, kRoad, "BtnMulti_N.bmp", "BtnMulti_O.bmp", "BtnMulti_D.bmp", "BtnMulti_Dis.bmp", 90, 26, 179, 71, Button, "겹쳐 보기"},
    {RoadControl, kRoad, "BtnPosition_N.bmp", "BtnPosition_O.bmp", "BtnPosition_D.bmp", "BtnPosition_Dis.bmp", 90, 26, 179, 71, Button, "파형 이동"},
    {RoadControl, kRoad, "BtnMinMax_N.bmp", "BtnMinMax_O.bmp", "BtnMinMax_D.bmp", "BtnMinMax_Dis.bmp", 94, 26, 269, 71, Button, "최소/최대"},
    {RoadControl, kRoad, "BtnFull_N.bmp", "BtnFull_O.bmp", "BtnFull_D.bmp", "BtnFull_Dis.bmp", 94, 26, 269, 71, Button, "전체 범위"},
    {RoadControl, kRoad, "BtnCarInfo_N.bmp", "BtnCarInfo_O.bmp", "BtnCarInfo_D.bmp", "BtnCarInfo_Dis.bmp", 90, 26, 363, 71, Button, "차량 정보"},
    {RoadControl, kRoad, "BtnZoom_N.bmp", "BtnZoom_O.bmp", "BtnZoom_D.bmp", "BtnZoom_Dis.bmp", 77, 21, 570, 74, Button, "확대"},
    {RoadControl, kRoad, "BtnZoomOff_N.bmp", "BtnZoomOff_O.bmp", "BtnZoomOff_D.bmp", "BtnZoomOff_Dis.bmp", 77, 21, 570, 74, Button, "확대 해제"},
    {RoadControl, kRoad, "BtnTrig_N.bmp", "BtnTrig_O.bmp", "BtnTrig_D.bmp", "BtnTrig_Dis.bmp", 89, 21, 816, 75, Button, "트리거"},
    {RoadControl, kRoad, "BtnStart_N.bmp", "BtnStart_O.bmp", "BtnStart_D.bmp", "BtnStart_Dis.bmp", 26, 25, 660, 72, Button, "", ToStart},
    {RoadControl, kRoad, "BtnReplay_N.bmp", "BtnReplay_O.bmp", "BtnReplay_D.bmp", "BtnReplay_Dis.bmp", 26, 25, 689, 72, Button, "", Reverse},
    {RoadControl, kRoad, "BtnStop_N.bmp", "BtnStop_O.bmp", "BtnStop_D.bmp", "BtnStop_Dis.bmp", 26, 25, 717, 72, Button, "", Stop},
    {RoadControl, kRoad, "BtnPlay_N.bmp", "BtnPlay_O.bmp", "BtnPlay_D.bmp", "BtnPlay_Dis.bmp", 26, 25, 747, 72, Button, "", Forward},
    {RoadControl, kRoad, "BtnEnd_N.bmp", "BtnEnd_O.bmp", "BtnEnd_D.bmp", "BtnEnd_Dis.bmp", 25, 25, 778, 72, Button, "", ToEnd},
    {RoadRightPanel, kRoad, "right_img1.bmp", "", "", "", 288, 568, 0, 0, Panel, "분석 항목", None, Art::RoadRightPanel},
    {RoadRightPanel, kRoad, "right_img5.bmp", "", "", "", 288, 568, 0, 0, Panel, "확대 보기", None, Art::RoadRightPanelZoom},
    {RoadRightPanel, kRoad, "zoom_img1.bmp", "", "", "", 288, 139, 0, 0, Panel, "확대 보기", None, Art::RoadZoomStrip},
    {RoadRightPanel, kRoad, "BtnAnalysisItem_N.bmp", "", "BtnAnalysisItem_D.bmp", "", 123, 28, 39, 142, Button, "분석 항목"},
    {RoadRightPanel, kRoad, "BtnZoomItem_N.bmp", "", "BtnZoomItem_D.bmp", "", 125, 28, 162, 142, Button, "확대 항목"},
    {RoadDecodeDialog, kRoad, "decoding_img.bmp", "", "", "", 354, 170, 0, 0, Panel, "데이터를 읽고 있습니다", None, Art::RoadDecodeDialog},
    {RoadDecodeDialog, kRoad, "decode_line.bmp", "", "", "", 303, 15, 25, 101, ProgressBar, ""},
    {RoadDecodeDialog, kRoad, "BtnDecode_Cancel_N.bmp", "", "", "", 49, 19, 160, 135, Button, "취소"},
    {RoadInfoDialog, kRoad, "info_img.bmp", "", "", "", 516, 68, 0, 0, Panel, "차량정보", None, Art::RoadInfoTitle},
    {RoadInfoDialog, kRoad, "BtnInfo_End_N.bmp", "", "BtnInfo_End_D.bmp", "", 49, 19, 224, 320, Button, "닫기"},
    {RoadInfoLabels, kRoad, "info_menu1.bmp", "", "", "", 238, 24, 2, 3, LabelTile, "제조회사"},
    {RoadInfoLabels, kRoad, "info_menu2.bmp", "", "", "", 238, 24, 2, 61, LabelTile, "차종"},
    {RoadInfoLabels, kRoad, "info_menu3.bmp", "", "", "", 238, 24, 2, 119, LabelTile, "시스템"},
    {RoadInfoLabels, kRoad, "info_menu4.bmp", "", "", "", 238, 24, 2, 177, LabelTile, "차량번호"},
    {RoadPositionDialog, kRoad, "location_img.bmp", "", "", "", 348, 69, 0, 0, Panel, "파형이동", None, Art::RoadPositionTitle},
    {RoadPositionDialog, kRoad, "BtnLocation_End_N.bmp", "", "BtnLocation_End_D.bmp", "", 49, 19, 152, 223, Button, "닫기"},
    // The choice dialog's picture fills the dialog (299 x 163 dialog units at 2 pixels each);
    // its bitmap buttons (resources 213 to 215) lie over it.
    {RoadPrintChoice, kRoad, "PrintMain.bmp", "", "", "", 598, 326, 0, 0, Panel, "그림 저장 & 프린트", None, Art::RoadPrintChoice},

    // Saved-data chooser: the window takes the background's size; the five buttons' normal faces
    // and the close area (392, 436)-(463, 464) are part of the background.
    {Chooser, kChooser, "interface.bmp", "", "", "", 480, 480, 0, 0, Panel, "저장 데이터 보기", None, Art::ChooserWindow},
    {Chooser, kChooser, "", "button_o01.bmp", "button_d01.bmp", "", 264, 48, 172, 124, Button, "오실로스코프"},
    {Chooser, kChooser, "", "button_o02.bmp", "button_d2.bmp", "", 264, 48, 172, 184, Button, "점화 1차"},
    {Chooser, kChooser, "", "button_o03.bmp", "button_d3.bmp", "", 264, 48, 172, 244, Button, "점화 2차"},
    {Chooser, kChooser, "", "button_o04.bmp", "button_d4.bmp", "", 264, 48, 172, 304, Button, "스캔 데이터"},
    {Chooser, kChooser, "", "button_o05.bmp", "button_d5.bmp", "", 264, 48, 172, 364, Button, "로드 테스트"},

    // Skinned download dialog: the window takes the background's size; bar at (25, 101), cancel
    // picture at (158, 130).
    {DownloadDialog, kDownload, "download_img.bmp", "", "", "", 354, 170, 0, 0, Panel, "다운로드", None, Art::DownloadDialog},
    {DownloadDialog, kDownload, "download_img1.bmp", "", "", "", 303, 15, 25, 101, ProgressBar, ""},
    {DownloadDialog, kDownload, "download_cancel.bmp", "", "", "", 49, 19, 158, 130, Button, "취소"},

    // Print-layout dialog, 504 x 360: the edit box spans (5, 78)-(404, 283); the set-up and save
    // buttons stand to its right, print and cancel below it.
    {PrintLayout, kPrint, "print_img1.bmp", "", "", "", 504, 360, 0, 0, Panel, "프린트", None, Art::PrintLayoutDialog},
    {PrintLayout, kPrint, "ok_button.bmp", "", "ok_dbutton.bmp", "", 52, 24, 190, 303, Button, "인쇄"},
    {PrintLayout, kPrint, "cancel_button.bmp", "", "cancel_dbutton.bmp", "", 52, 24, 246, 303, Button, "취소"},
    {PrintLayout, kPrint, "print_button1.bmp", "", "print_dbutton1.bmp", "", 88, 96, 410, 78, Button, "프린터\n설정", Printer},
    {PrintLayout, kPrint, "print_button2.bmp", "", "print_dbutton2.bmp", "", 88, 96, 410, 183, Button, "그림\n저장", Image},

    // Report page: the band is stretched behind both header boxes.
    {ReportPage, kImg, "BKColor.bmp", "", "", "", 196, 15, 0, 0, Band, ""},
};

constexpr ResourceBitmap kResources[] = {
    // Oscilloscope viewer: the zoom button of each channel slot and the button that ends the zoom.
    {"Tessial", 204, 22, 21, ResourceButton, Variant::Single, "", ZoomOut},
    {"Tessial", 205, 22, 21, ResourceButton, Variant::Single, "", Zoom},
    // Scan-data viewer: the remove button beside each graph, and the item lists' image list.
    {"Quarnel", 204, 20, 20, ResourceButton, Variant::Normal, "", Close},
    {"Quarnel", 205, 20, 20, ResourceButton, Variant::Disabled, "", Close},
    {"Quarnel", 209, 50, 25, ImageStrip, Variant::Single, "", None},
    // Road-test viewer: the remove buttons and the three buttons of the save-or-print choice.
    {"Morvit", 209, 20, 20, ResourceButton, Variant::Normal, "", Close},
    {"Morvit", 210, 20, 20, ResourceButton, Variant::Disabled, "", Close},
    {"Morvit", 213, 100, 28, ResourceButton, Variant::Normal, "취소", None},
    {"Morvit", 214, 66, 40, ResourceButton, Variant::Normal, "프린트", None},
    {"Morvit", 215, 66, 40, ResourceButton, Variant::Normal, "그림", None},
};

constexpr std::string_view kHandCursorModules[] = {"Tessial", "Sparwen", "Lumbrel", "Pakrel", "Tolvex"};

std::string Join(std::string_view folder, std::string_view file)
{
  std::string path(folder);
  path += '\\';
  path += file;
  return path;
}

}  // namespace

std::span<const ScreenSize> ScreenSizes() { return kScreens; }

ScreenSize SizeOf(Screen screen)
{
  const auto* found = std::ranges::find(kScreens, screen, &ScreenSize::screen);
  return found == std::end(kScreens) ? ScreenSize{screen, 0, 0} : *found;
}

std::span<const Entry> Catalogue() { return kCatalogue; }

std::vector<Picture> AllPictures()
{
  std::vector<Picture> pictures;
  std::set<std::string> seen;  // lower-cased paths: the drive ignores the case of names
  for (const Entry& entry : kCatalogue) {
    const bool single = entry.over.empty() && entry.down.empty() && entry.disabled.empty();
    const std::pair<std::string_view, Variant> files[] = {
        {entry.normal, single ? Variant::Single : Variant::Normal},
        {entry.over, Variant::Over},
        {entry.down, entry.kind == Kind::ToggleButton ? Variant::Selected : Variant::Down},
        {entry.disabled, Variant::Disabled},
    };
    for (const auto& [file, variant] : files) {
      if (file.empty()) continue;
      std::string path = Join(entry.folder, file);
      if (!seen.insert(ToLowerAscii(path)).second) continue;
      pictures.push_back({&entry, variant, std::move(path)});
    }
  }
  return pictures;
}

std::span<const ResourceBitmap> ResourceBitmaps() { return kResources; }

std::span<const std::string_view> ModulesWithHandCursor() { return kHandCursorModules; }

std::string ResourceFolder(std::string_view module) { return Join("C:\\Vetra\\Fenmark\\Res", module); }

std::string ResourceBitmapPath(const ResourceBitmap& bitmap)
{
  return Join(ResourceFolder(bitmap.module), "Bitmap" + std::to_string(bitmap.id) + ".bmp");
}

std::string HandCursorPath(std::string_view module)
{
  return Join(ResourceFolder(module), "Cursor" + std::to_string(kHandCursorId) + ".cur");
}

}  // namespace vetra::skins
