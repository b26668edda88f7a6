#include "platform/web/page_print.h"

#include <algorithm>

#include "platform/base/text.h"
#include "platform/print/printer_catalogue.h"
#include "platform/print/printer_dc.h"

namespace vetra::web {

bool PrintPicture(const gdi::Bitmap32& picture, const std::string& documentName, const win::DEVMODEA& settings,
                  std::string* error)
{
  const auto fail = [&](const char* why) {
    if (error != nullptr) *error = why;
    return false;
  };
  if (picture.Empty()) return fail("nothing to print");
  auto dc = win::CreatePrinterDC(win::DevModeName(settings).c_str(), &settings);
  if (!dc) return fail("no printer");
  win::DOCINFOA info;
  info.lpszDocName = documentName.c_str();
  if (dc->StartDoc(&info) <= 0) return fail("the print job could not be started");
  if (dc->StartPage() <= 0) {
    dc->AbortDoc();
    return fail("the page could not be started");
  }

  // The picture across the printable width, or less when it would not fit the height.
  const int pageWidth = dc->GetDeviceCaps(win::HORZRES);
  const int pageHeight = dc->GetDeviceCaps(win::VERTRES);
  const double scale = std::min(static_cast<double>(pageWidth) / picture.Width(),
                                static_cast<double>(pageHeight) / picture.Height());
  win::BITMAPINFO bits{};
  bits.bmiHeader.biSize = sizeof(win::BITMAPINFOHEADER);
  bits.bmiHeader.biWidth = picture.Width();
  bits.bmiHeader.biHeight = -picture.Height();  // top-down, as the picture's rows are
  bits.bmiHeader.biPlanes = 1;
  bits.bmiHeader.biBitCount = 32;
  bits.bmiHeader.biCompression = win::BI_RGB;
  dc->StretchDIBits(0, 0, static_cast<int>(picture.Width() * scale), static_cast<int>(picture.Height() * scale), 0,
                    0, picture.Width(), picture.Height(), picture.Pixels().data(), &bits, win::DIB_RGB_COLORS,
                    win::SRCCOPY);
  if (dc->EndPage() <= 0) {
    dc->AbortDoc();
    return fail("the page could not be finished");
  }
  if (dc->EndDoc() <= 0) return fail("the document could not be written or sent");
  return true;
}

std::string PrintFailedText()
{
  return Cp949("인쇄를 마치지 못했습니다. 프린터와 디스크 공간을 확인하십시오.");
}

}  // namespace vetra::web
