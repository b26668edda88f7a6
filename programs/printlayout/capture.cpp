#include "programs/printlayout/capture.h"

#include "platform/base/cfile.h"
#include "platform/base/text.h"

namespace tolvex {

std::optional<RgbPicture> ReadCapture(const MessageSink& show)
{
  ImageSource source;
  if (!source.Open(kCaptureFile)) {
    show(ImageErrorText(ImageLastError()));
    return std::nullopt;
  }
  auto picture = source.ReadBmp();
  source.Close();
  if (!picture) show(ImageErrorText(ImageLastError()));
  return picture;
}

bool ImportCapture(const MessageSink& show)
{
  const auto picture = ReadCapture(show);
  // Without a good capture the earlier print1.bmp is left alone rather than overwritten with
  // nothing; the page then prints what was last imported.
  if (!picture) return false;
  ImageDestination destination;
  // A copy the disk cannot take leaves the page without its picture: the user hears it.
  if (!destination.Open(kCaptureCopyFile) || !destination.WriteBmp(*picture, kCaptureCopyWidth, kCaptureCopyHeight) ||
      !destination.Close()) {
    show(CaptureCopyFailedText());
    return false;
  }
  return true;
}

std::string CaptureCopyFailedText()
{
  return vetra::Cp949("인쇄할 그림을 저장할 수 없습니다. 디스크 공간을 확인하십시오 : ") + kCaptureCopyReadPath;
}

std::string FolderOf(const std::string& path)
{
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool SavePicture(const RgbPicture& picture, const std::string& path, SavedFormat format,
                 const std::string& markerFileName, const MessageSink& show)
{
  ImageDestination destination;
  if (!destination.Open(path)) {
    show("Cannot open file for writing");
    return false;
  }
  const bool written = format == SavedFormat::Bmp ? destination.WriteBmp(picture, picture.width, picture.height)
                                                  : destination.WriteJpg(picture, kSavedJpegQuality);
  if (!written) {
    show(ImageErrorText(ImageLastError()));
    return false;
  }
  if (!destination.Close()) {
    show(ImageErrorText(ImageLastError()));
    return false;
  }
  // The marker tells the workshop software that a picture was saved: only once it is whole.
  if (!markerFileName.empty()) {
    win::CFile marker;
    const std::string markerPath = FolderOf(path) + markerFileName;
    if (marker.Open(markerPath.c_str(), win::CFile::modeCreate | win::CFile::modeWrite | win::CFile::shareDenyNone)) marker.Close();
  }
  return true;
}

}  // namespace tolvex
