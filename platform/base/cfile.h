#pragma once
// The framework's binary file class on mapped paths. Open reports failure through its return
// value and the optional exception object; Read, Write and Seek throw CFileException.

#include <string>
#include <string_view>

#include "platform/base/ctime.h"
#include "platform/base/exceptions.h"
#include "platform/base/win_types.h"

namespace win {

class CFile {
public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  // Opens or throws CFileException.
  CFile(std::string_view path, UINT openFlags);
  ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
  CFile(CFile&& other) noexcept;
  CFile& operator=(CFile&& other) noexcept;

  BOOL Open(std::string_view path, UINT openFlags, CFileException* error = nullptr);
  UINT Read(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);
  ULONGLONG Seek(LONGLONG offset, UINT from);
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG GetLength() const;
  ULONGLONG GetPosition() const;
  void SetLength(ULONGLONG length);
  void Flush();
  void Close();
  // Closes without throwing.
  void Abort();

  bool IsOpen() const { return m_fd >= 0; }
  const std::string& GetFilePath() const { return m_path; }

  // Reads the times and size of a file; FALSE when it does not exist.
  static BOOL GetStatus(std::string_view path, CFileStatus& status);
  // Applies the modification time of `status` (attributes are not applied).
  static void SetStatus(std::string_view path, const CFileStatus& status);
  static void Remove(std::string_view path);

private:
  [[noreturn]] void ThrowLastError() const;

  int m_fd = -1;
  std::string m_path;
};

}  // namespace win
