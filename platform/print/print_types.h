#pragma once
// The printing structures the system fills in: a printer's device mode (orientation, paper,
// copies) and the document information handed to StartDoc.

#include <cstring>
#include <string>
#include <string_view>

#include "platform/base/text.h"
#include "platform/base/win_types.h"

namespace win {

inline constexpr int CCHDEVICENAME = 32;

inline constexpr DWORD DM_ORIENTATION = 0x00000001;
inline constexpr DWORD DM_PAPERSIZE = 0x00000002;
inline constexpr DWORD DM_COPIES = 0x00000100;
inline constexpr DWORD DM_PRINTQUALITY = 0x00000400;
inline constexpr DWORD DM_COLLATE = 0x00008000;

inline constexpr short DMORIENT_PORTRAIT = 1;
inline constexpr short DMORIENT_LANDSCAPE = 2;
inline constexpr short DMPAPER_A4 = 9;
inline constexpr short DMCOLLATE_FALSE = 0;
inline constexpr short DMCOLLATE_TRUE = 1;

// Result of a failing StartDoc, StartPage, EndPage or EndDoc.
inline constexpr int SP_ERROR = -1;

// The device mode of a printer: what its print dialogs change and its device context obeys.
// dmPrintQuality, when positive, is the raster's resolution in dots per inch.
struct DEVMODE {
  char dmDeviceName[CCHDEVICENAME] = {};  // code page 949
  WORD dmSpecVersion = 0x0401;
  WORD dmDriverVersion = 0;
  WORD dmSize = sizeof(DEVMODE);
  WORD dmDriverExtra = 0;
  DWORD dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_COLLATE;
  short dmOrientation = DMORIENT_PORTRAIT;
  short dmPaperSize = DMPAPER_A4;
  short dmCopies = 1;
  short dmPrintQuality = 254;
  short dmCollate = DMCOLLATE_TRUE;
};
using DEVMODEA = DEVMODE;
using LPDEVMODE = DEVMODE*;
using LPDEVMODEA = DEVMODE*;

struct DOCINFOA {
  int cbSize = sizeof(DOCINFOA);
  LPCSTR lpszDocName = nullptr;   // code page 949
  LPCSTR lpszOutput = nullptr;    // a file to print into instead of the printer
  LPCSTR lpszDatatype = nullptr;
  DWORD fwType = 0;
};
using DOCINFO = DOCINFOA;

// Copies a printer name into a device mode's fixed name field, cut to fit with its terminator
// (never inside a two-byte character).
inline void SetDevModeName(DEVMODEA& mode, std::string_view name)
{
  const std::string cut = vetra::CutCp949(name, CCHDEVICENAME - 1);
  std::memset(mode.dmDeviceName, 0, sizeof mode.dmDeviceName);
  std::memcpy(mode.dmDeviceName, cut.data(), cut.size());
}

inline std::string DevModeName(const DEVMODEA& mode)
{
  return {mode.dmDeviceName, strnlen(mode.dmDeviceName, CCHDEVICENAME)};
}

}  // namespace win
