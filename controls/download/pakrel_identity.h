#pragma once
// How pages and the registry know the download control.
namespace pakrel {

inline constexpr char kClsid[] = "{2BF4F112-70B3-468E-B322-63C099C00D11}";
inline constexpr char kProgId[] = "PAKREL.PakrelCtrl.1";
inline constexpr char kDispatchIid[] = "{54FB5039-8DDE-4253-A218-65D4FFF1ED17}";
inline constexpr char kEventIid[] = "{77FCD73A-9F75-490B-9777-F2CC90E0F22A}";
inline constexpr char kTypeLibrary[] = "{49C8F1AE-779A-4CF9-A19B-2B87BA2F2B89}";
inline constexpr char kPropertyPageProgId[] = "PAKREL.PakrelPropPage.1";

// Dispatch ids of the properties, in dispatch order.
enum Dispid : int {
  kDispRunOcx = 1,
  kDispServerFileName = 2,
  kDispServerIP = 3,
  kDispFileSize = 4,
  kDispOutputFileName = 5,
  kDispDataType = 6,
  kDispIsFenmarkMode = 7,
  kDispNewVersion = 8,
  kDispRunPgm = 9,
  kDispOpenURL = 10,
  kDispNewVersion2 = 11,
  kDispViewerVersion = 12,
};

// Events.
enum EventId : int {
  kEventDnOk = 1,
  kEventDnFail = 2,
  kEventNextVersionCheck = 3,
};

}  // namespace pakrel
