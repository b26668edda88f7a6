#include "controls/roadtest/morvit_ctrl.h"

// The save-or-print command: the screen captured through the clipboard into the capture file,
// the choice, the picture saved as a JPEG or the report printed.
#include "common/capture/dib_capture.h"
#include "controls/roadtest/image/picture_io.h"
#include "controls/roadtest/windows/print_choice_dlg.h"
#include "controls/roadtest/windows/road_report.h"
#include "platform/base/current_directory.h"
#include "platform/base/drive.h"
#include "platform/base/text.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"

namespace morvit {

std::string CMorvitCtrl::CaptureFailedText()
{
  return vetra::Cp949("화면을 저장할 수 없습니다 : ") + kCapturePath;
}

bool CMorvitCtrl::CaptureToClipboard()
{
  win::CDC display;
  if (!display.CreateDC("DISPLAY", nullptr, nullptr, nullptr)) return false;
  win::CDC memory;
  win::CBitmap picture;
  if (!memory.CreateCompatibleDC(&display) || !picture.CreateCompatibleBitmap(&display, 1024, 768)) return false;
  win::CBitmap* previous = memory.SelectObject(&picture);
  memory.BitBlt(0, 0, 1024, 768, &display, 0, 0, win::SRCCOPY);
  memory.SelectObject(previous);
  if (!win::OpenClipboard(m_hWnd)) return false;
  win::EmptyClipboard();
  // The clipboard owns the picture from here on, and keeps it.
  win::SetClipboardData(win::CF_BITMAP, static_cast<win::HBITMAP>(picture.Detach()));
  win::CloseClipboard();

  if (!win::OpenClipboard(m_hWnd)) return false;
  const win::GlobalMemory* dib = win::GetClipboardData(win::CF_DIB);
  bool written = false;
  if (dib == nullptr || !*dib) {
    MessageBox(vetra::Cp949("CaptureScreen data = NULL 입니다.").c_str(), nullptr, win::MB_OK);
  } else {
    written = vetra::capture::WriteDibFile(kCapturePath, *dib) != 0;
  }
  win::CloseClipboard();
  return written;
}

bool CMorvitCtrl::SaveJpg(const std::string& path)
{
  image::RgbImage rgb;
  int error = image::ReadBmpToRgb(vetra::MapPath(kCapturePath).string(), rgb);
  if (error == image::kNoError) error = image::WriteRgbToJpeg(vetra::MapPath(path).string(), rgb, 50);
  if (error != image::kNoError) {
    MessageBox(image::ImageErrorText(error).c_str(), nullptr, win::MB_OK);
    return false;
  }
  return true;
}

void CMorvitCtrl::OnSaveOrPrint()
{
  // A capture that was not written leaves the previous one: saving that would be a stale picture.
  const bool captured = CaptureToClipboard();
  const RoadState& s = m_model.State();
  const bool nothingShown = s.zoomMode ? (s.ChannelOfRow(s.zoomItem) < 0 && s.analysis.Count() == 0) : s.shown.Count() == 0;
  if (nothingShown) return;
  const bool playing = s.play != PlayState::Stopped;
  if (playing) KillTimer(kPlaybackTimer);
  CPrintChoiceDlg choice(this);
  const win::INT_PTR result = choice.DoModal();
  if (result == win::IDOK && choice.Chosen()) {
    if (PrintRoadReport(*this, m_model, m_offsets) == ReportPrint::failed) MessageBox(PrintFailedText().c_str(), nullptr, win::MB_OK);
  } else if (result == win::IDCANCEL && choice.Chosen() && !captured) {
    MessageBox(CaptureFailedText().c_str(), nullptr, win::MB_OK);
  } else if (result == win::IDCANCEL && choice.Chosen()) {
    const std::string folder = vetra::CurrentDirectory();
    win::CFileDialog dialog(win::FALSE, "", "", win::OFN_HIDEREADONLY | win::OFN_OVERWRITEPROMPT, "JPG File (*.JPG)|*.JPG|", this);
    dialog.m_ofn.lpstrTitle = "File to save as";
    if (dialog.DoModal() == win::IDOK) SaveJpg(dialog.GetPathName());
    // LUT files are found from the folder the control started in, whatever the dialog did.
    vetra::ChangeCurrentDirectory(folder);
  }
  if (playing) StartTimer();
}

}  // namespace morvit
