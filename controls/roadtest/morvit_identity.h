#pragma once
// How pages and the registry know the road-test viewer control, and the ids of its windows.
namespace morvit {

inline constexpr char kClsid[] = "{445A50CA-88A0-445F-BD35-9DA86AAC0075}";
inline constexpr char kProgId[] = "MORVIT.MorvitCtrl.1";
inline constexpr char kDispatchIid[] = "{44E4393B-66D7-4047-9604-B156B0527CEA}";
inline constexpr char kEventIid[] = "{9E4A2221-D00E-4855-85C5-F3DCCFABC12F}";
inline constexpr char kTypeLibrary[] = "{F56563AA-FDAC-47E0-A5F7-D98716C9AAA4}";
inline constexpr char kPropertyPageProgId[] = "MORVIT.MorvitPropPage.1";

// Dispatch ids of the properties, in dispatch order.
enum Dispid : int {
  kDispDownloadFile = 1,
  kDispExecProcedure = 2,
  kDispReadFileName = 3,
  kDispReloadMode = 4,
};

// Procedure steps of ExecProcedure.
inline constexpr int kStepDownload = 0;
inline constexpr int kStepLoad = 100;
inline constexpr int kStepShow = 200;

// Child windows.
inline constexpr unsigned kIdTimeScrollBar = 211;
inline constexpr unsigned kIdCursorSpin = 213;
inline constexpr unsigned kIdScaleCombo = 226;
inline constexpr unsigned kIdZoomScaleCombo = 227;
inline constexpr unsigned kIdZoomSpin = 228;
inline constexpr unsigned kIdItemList = 232;
inline constexpr unsigned kIdZoomItemList = 233;
inline constexpr unsigned kIdAnalysisList = 234;
inline constexpr unsigned kIdStatusText = 223;
inline constexpr unsigned kIdZoomScrollBar = 229;
inline constexpr unsigned kIdFirstRemoveButton = 237;  // .. 244, one per shown item

// Sent by the waveform position dialog whenever an offset changed.
inline constexpr unsigned kMsgRedrawGraphs = 0x400 + 701;

}  // namespace morvit
