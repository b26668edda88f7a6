#include "common/capture/print_capture.h"

#include "common/capture/dib_capture.h"
#include "platform/base/process.h"
#include "platform/base/text.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/message_box.h"

namespace vetra::capture {

int CaptureToFile(win::CWnd& control, std::string_view path)
{
  win::CDC display;
  if (!display.CreateDC("DISPLAY", nullptr, nullptr, nullptr)) return 0;
  win::CRect place;
  control.GetWindowRect(&place);

  win::CDC memory;
  win::CBitmap picture;
  if (!memory.CreateCompatibleDC(&display) || !picture.CreateCompatibleBitmap(&display, kCaptureWidth, kCaptureHeight)) return 0;
  win::CBitmap* previous = memory.SelectObject(&picture);
  memory.BitBlt(0, 0, kCaptureWidth, kCaptureHeight, &display, place.left, place.top, win::SRCCOPY);
  memory.SelectObject(previous);

  const win::GlobalMemory dib = BitmapToDib(picture, win::BI_RGB);
  return dib ? WriteDibFile(path, dib) : 0;
}

std::string CaptureFailedText(std::string_view path)
{
  return Cp949("인쇄할 화면을 저장할 수 없습니다 : ") + std::string(path);
}

std::string PrintStartFailedText(std::string_view commandLine)
{
  return Cp949("인쇄 프로그램을 실행할 수 없습니다 : ") + std::string(commandLine);
}

PrintOutcome PrintControl(win::CWnd& control)
{
  if (!CaptureToFile(control)) {
    win::AfxMessageBox(CaptureFailedText(kPrintCapturePath), win::MB_OK);
    return PrintOutcome::captureFailed;
  }
  if (win::FindWindowA(nullptr, kPrintWindowTitle) != nullptr) return PrintOutcome::printWindowOpen;
  if (!win::CreateProcessA(kPrintLayoutCommand)) {
    win::AfxMessageBox(PrintStartFailedText(kPrintLayoutCommand), win::MB_OK);
    return PrintOutcome::startFailed;
  }
  return PrintOutcome::started;
}

}  // namespace vetra::capture
