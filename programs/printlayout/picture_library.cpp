#include "programs/printlayout/picture_library.h"

#include <system_error>

#include "common/image/bmp_codec.h"
#include "common/image/jpeg_codec.h"
#include "programs/printlayout/image_file_bytes.h"

namespace tolvex {
namespace {

thread_local int g_lastError = kImageNoError;

bool Fail(int code)
{
  g_lastError = code;
  return false;
}

}  // namespace

std::string ImageErrorText(int code) { return vetra::image::ErrorText(code); }

int ImageLastError() { return g_lastError; }

std::optional<RgbPicture> DecodeBmp(const std::uint8_t* data, std::size_t size)
{
  RgbPicture picture;
  g_lastError = vetra::image::DecodeBmp(data, size, picture);
  if (g_lastError != kImageNoError) return std::nullopt;
  return picture;
}

bool ImageSource::Open(const std::string& path)
{
  m_bytes.clear();
  const int code = vetra::image::ReadWholeFile(MappedPicturePath(path), m_bytes);
  return code == kImageNoError || Fail(code);
}

std::optional<RgbPicture> ImageSource::ReadBmp() const
{
  return DecodeBmp(m_bytes.data(), m_bytes.size());
}

bool ImageDestination::Open(const std::string& path)
{
  m_file.reset();
  m_used = false;
  m_written = false;
  m_target = MappedPicturePath(path);
  std::error_code error;
  if (m_target.empty() || std::filesystem::is_directory(m_target, error)) return Fail(kImageFileOpen);
  m_file.emplace(m_target);
  if (!m_file->Get()) {
    m_file.reset();
    return Fail(kImageFileOpen);
  }
  return true;
}

bool ImageDestination::Restart()
{
  m_written = false;
  if (m_used) {
    m_file.reset();
    m_file.emplace(m_target);
    if (!m_file->Get()) {
      m_file.reset();
      return Fail(kImageFileWrite);
    }
  }
  m_used = true;
  return true;
}

bool ImageDestination::WriteBmp(const RgbPicture& picture, int width, int height)
{
  if (!m_file || !vetra::image::SensibleSize(width, height)) return Fail(kImageBadParam);
  if (!Restart()) return false;
  const int code = vetra::image::WriteBmp24(*m_file, picture, width, height);
  if (code != kImageNoError) return Fail(code);
  m_written = true;
  return true;
}

bool ImageDestination::WriteJpg(const RgbPicture& picture, int quality)
{
  if (!m_file || picture.rgb.size() < vetra::image::RgbBytes(picture.width, picture.height) ||
      vetra::image::RgbBytes(picture.width, picture.height) == 0 || quality < 1 || quality > 100)
    return Fail(kImageBadParam);
  if (!Restart()) return false;
  if (!vetra::image::EncodeJpeg(m_file->Get(), {picture.width, picture.height, picture.rgb.data(), quality}))
    return Fail(kImageFileWrite);
  m_written = true;
  return true;
}

bool ImageDestination::Close()
{
  if (!m_file) return false;
  const bool ok = m_written && m_file->Commit();
  m_file.reset();
  m_written = false;
  return ok || Fail(kImageFileWrite);
}

}  // namespace tolvex
