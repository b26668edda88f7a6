#pragma once
// How pages and the registry know the scan-data viewer control, and the ids of its children.
namespace quarnel {

inline constexpr char kClsid[] = "{16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E}";
inline constexpr char kProgId[] = "BRINDLE.BrindleCtrl.1";
inline constexpr char kDispatchIid[] = "{A02782C1-0AC0-4E1E-98AC-4243BFD24154}";
inline constexpr char kEventIid[] = "{343D9FC6-A1CB-44A4-852F-67F4AC916DA7}";
inline constexpr char kTypeLibrary[] = "{B8ECCD78-1EE9-430A-B174-A56278BDAF11}";
inline constexpr char kPropertyPageClsid[] = "{56D499C7-720A-11D4-812E-00001C1BBBB9}";
inline constexpr char kPropertyPageProgId[] = "BRINDLE.BrindlePropPage.1";

// Dispatch ids of the properties, in dispatch order.
enum Dispid : int {
  kDispRunPrint = 1,
  kDispRunScantool,
  kDispRunEcuId,
  kDispRunDtc,
  kDispRunActuator,
  kDispReturnActuator,
  kDispRpmData,
  kDispMaker,
  kDispCar,
  kDispSystemI,
  kDispSystemII,
  kDispStopMode,
  kDispSubMenuMode,
  kDispCylinder,
  kDispIgntype,
  kDispFireorder,
  kDispStopHelp,
  kDispRunAddOn,
  kDispSaveDataFilePath,
  kDispReloadMode,
};

// Child window ids.
inline constexpr unsigned kIdUpperList = 1125;
inline constexpr unsigned kIdLowerList = 1126;
inline constexpr unsigned kIdChooserList = 1131;
inline constexpr unsigned kIdScrollBar = 1132;
inline constexpr unsigned kIdFirstRemoveButton = 1325;  // .. 1332, beside graphs 0 to 7

// Bitmap resources of the module: the remove button (normal, disabled) and the list images.
inline constexpr unsigned kRemoveButtonBitmap = 204;
inline constexpr unsigned kRemoveButtonDisabledBitmap = 205;
inline constexpr unsigned kListImagesBitmap = 209;

}  // namespace quarnel
