#pragma once
// How pages and the registry know the oscilloscope viewer control.
namespace tessial {

inline constexpr char kClsid[] = "{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}";
inline constexpr char kProgId[] = "TESSIAL.TessialCtrl.1";
inline constexpr char kDispatchIid[] = "{46A00D87-B3E1-41C9-99A7-B543E076FE96}";
inline constexpr char kEventIid[] = "{48CE65BA-BE28-404E-BE2B-E4401C640B7C}";
inline constexpr char kTypeLibrary[] = "{FDD12ED1-4A3C-4B77-9DCB-B668F1E1D263}";
inline constexpr char kPropertyPageProgId[] = "TESSIAL.TessialPropPage.1";

// Dispatch ids of the properties, in dispatch order.
enum Dispid : int {
  kDispRunOcx = 1,
  kDispDataFileName = 2,
  kDispErrorCode = 3,
  kDispVoltStringCh1 = 4,  // .. kDispVoltStringCh1 + 5 for channel 6
  kDispZoomChIndex = 10,
  kDispReloadMode = 11,
};

// Child window ids.
inline constexpr unsigned kIdFrameScrollBar = 371;
inline constexpr unsigned kIdFirstGraph = 1325;
inline constexpr unsigned kIdMeasurePanel = 1344;
inline constexpr unsigned kIdOverlay = 1345;

}  // namespace tessial
