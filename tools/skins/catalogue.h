#pragma once
// The skin set as data: every picture the screens of the system load from the report module's Img
// folder, the pictures and cursor the modules take from their resources, and the report logo.
// Sizes are chosen so that every picture fits the place its screen draws it at: buttons of one row
// never overlap, and every picture stays inside the window or band that shows it.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vetra::skins {

// The window, dialog or band a picture is drawn on; its size bounds the pictures placed on it.
enum class Screen {
  ScopeControl,       // oscilloscope viewer, 1017 x 708
  IgnControl,         // ignition viewer, 1017 x 708
  IgnCylinderBar,     // ignition cylinder bar, right panel 218 x 592
  IgnValuePanel,      // ignition value panel, right panel 218 x 592
  ScanControl,        // scan-data viewer, 1018 x 708
  RoadControl,        // road-test viewer, 1018 x 708
  RoadRightPanel,     // road-test right panel, 288 x 568 at (728, 140)
  RoadDecodeDialog,   // road-test load progress, 354 x 170
  RoadInfoDialog,     // road-test vehicle information, 516 x 354
  RoadInfoLabels,     // memory picture of the four label pictures, 505 x 233
  RoadPositionDialog, // road-test waveform position, 348 x 254
  RoadPrintChoice,    // road-test save-or-print choice, 598 x 326 (299 x 163 dialog units)
  Chooser,            // saved-data chooser window, the size of its background
  DownloadDialog,     // skinned download dialog, the size of its background
  PrintLayout,        // print-layout dialog, 504 x 360
  ReportPage,         // pictures the printed report stretches (band, logo)
};

struct ScreenSize {
  Screen screen;
  int width;
  int height;
};
std::span<const ScreenSize> ScreenSizes();
ScreenSize SizeOf(Screen screen);

// What a picture is, which decides how it is painted.
enum class Kind {
  TopBar,       // title band with the button strip of a viewer
  Panel,        // light panel or dialog background with its own fixed marks
  Button,       // face of a drawn button
  ToggleButton, // cylinder button: normal, selected and disabled faces
  TitleTile,    // heading tile of the ignition value panel
  LabelTile,    // field label of the vehicle information dialog
  ProgressBar,  // fill of a progress bar
  Band,         // tint the report page stretches behind its header boxes
  Logo,         // the report logo (JPEG)
  ResourceButton, // small bitmap of a module's bitmap button
  ImageStrip,   // image list of a module (images side by side on a mask colour)
};

// Variant of one button picture. Pictures that are not buttons are Single.
enum class Variant { Single, Normal, Over, Down, Disabled, Selected };

// Symbol drawn on a face in place of (or beside) a text label.
enum class Symbol {
  None,
  ToStart,      // |<
  FastReverse,  // <<
  Reverse,      // <
  Stop,         // square
  Forward,      // >
  FastForward,  // >>
  ToEnd,        // >|
  ArrowLeft,    // left-pointing chevron
  ArrowRight,   // right-pointing chevron
  Close,        // X
  Zoom,         // magnifier with a plus
  ZoomOut,      // arrows pointing inwards
  ItemMark,     // list marker of an item not on the graph
  GraphMark,    // list marker of an item on the graph
  Printer,      // printer (above a label)
  Image,        // framed landscape (above a label)
};

// Which background a Panel or TopBar picture paints (each has fixed marks at fixed places).
enum class Art {
  None,
  ScopeTop,
  IgnTop,
  ScanTop,
  RoadTop,
  IgnCylinderBar,
  RoadRightPanel,
  RoadRightPanelZoom,
  RoadZoomStrip,
  RoadDecodeDialog,
  RoadInfoTitle,
  RoadPositionTitle,
  RoadPrintChoice,
  ChooserWindow,
  DownloadDialog,
  PrintLayoutDialog,
};

// One row of the catalogue: a picture, or a button with the files of its variants.
struct Entry {
  Screen screen;
  std::string_view folder;     // Windows folder as the screen names it, "C:\Vetra\Fenmark\Img\Scope"
  std::string_view normal;     // file of the normal (or only) picture
  std::string_view over;       // hover picture, "" when the screen has none
  std::string_view down;       // pressed (or selected) picture, "" when none
  std::string_view disabled;   // disabled picture, "" when none
  int width;
  int height;
  int x;                       // where the screen draws it (left, top in the screen's pixels)
  int y;
  Kind kind;
  std::string_view label;      // UTF-8; drawn as code page 949 text through the system's fonts
  Symbol symbol = Symbol::None;
  Art art = Art::None;
};

std::span<const Entry> Catalogue();

// One file of the set, expanded from the catalogue: each distinct path once.
struct Picture {
  const Entry* entry;
  Variant variant;
  std::string windowsPath;     // folder + "\" + file
};
std::vector<Picture> AllPictures();

// Pictures a module takes from its own resources by number.
struct ResourceBitmap {
  std::string_view module;     // deliverable that holds it
  int id;
  int width;
  int height;
  Kind kind;
  Variant variant;
  std::string_view label;      // UTF-8
  Symbol symbol;
};
std::span<const ResourceBitmap> ResourceBitmaps();

// Modules that show the hand cursor (cursor resource 133) over their drawn buttons.
std::span<const std::string_view> ModulesWithHandCursor();
inline constexpr int kHandCursorId = 133;
inline constexpr int kHandCursorSize = 32;
inline constexpr int kHandHotSpotX = 6;
inline constexpr int kHandHotSpotY = 0;

// Where module resources lie on the drive: "C:\Vetra\Fenmark\Res\<module>".
std::string ResourceFolder(std::string_view module);
std::string ResourceBitmapPath(const ResourceBitmap& bitmap);   // ...\Bitmap204.bmp
std::string HandCursorPath(std::string_view module);             // ...\Cursor133.cur

// The report logo.
inline constexpr std::string_view kLogoPath = "C:\\Vetra\\Fenmark\\Img\\Logo.jpg";
inline constexpr int kLogoWidth = 404;
inline constexpr int kLogoHeight = 112;

}  // namespace vetra::skins
