#pragma once
// How pages and the registry know the ignition viewer control.
namespace sparwen {

inline constexpr char kClsid[] = "{E8C23967-DC3C-4FC3-873A-AB0B0568A43B}";
inline constexpr char kProgId[] = "SPARWEN.SparwenCtrl.1";
inline constexpr char kDispatchIid[] = "{D14E9968-DC26-40AB-B1FB-3DD440CB1FC7}";
inline constexpr char kEventIid[] = "{A761CB26-F249-4A44-B3F4-5F967C25EF74}";
inline constexpr char kTypeLibrary[] = "{89B4D61B-C3D2-4859-AB63-24C5BF6E9523}";
inline constexpr char kPropertyPageProgId[] = "SPARWEN.SparwenPropPage.1";

// Dispatch ids of the properties, in dispatch order.
enum Dispid : int {
  kDispRunOcx = 1,
  kDispDataFileName = 2,
  kDispReloadMode = 3,
};

// Child window ids of the scroll bars.
inline constexpr unsigned kIdFrameScrollBar = 100;
inline constexpr unsigned kIdSpareScrollBar = 101;
inline constexpr unsigned kIdVerticalScrollBar = 102;

// Menu commands the control answers like its drawn buttons.
enum Command : unsigned {
  kCmdRangeUp = 350,
  kCmdRangeDown = 351,
  kCmdByun = 352,
  kCmd3D = 353,
  kCmdGai = 354,
  kCmdJik = 355,
  kCmdTrend = 356,
  kCmdCyl = 357,
  kCmdDigital = 358,
  kCmdPlayForward = 359,
  kCmdPlayReverse = 360,
};

}  // namespace sparwen
