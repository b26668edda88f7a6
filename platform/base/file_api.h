#pragma once
// The kernel's and the C library's file calls that the system makes, on Windows paths mapped
// through the drive. Handles are Linux file descriptors opened close-on-exec.

#include <cstdio>
#include <string_view>

#include "platform/base/win_types.h"

namespace win {

// _lopen modes; the sharing flags are accepted and not enforced.
inline constexpr int OF_READ = 0x0000;
inline constexpr int OF_WRITE = 0x0001;
inline constexpr int OF_READWRITE = 0x0002;
inline constexpr int OF_SHARE_COMPAT = 0x0000;
inline constexpr int OF_SHARE_EXCLUSIVE = 0x0010;
inline constexpr int OF_SHARE_DENY_WRITE = 0x0020;
inline constexpr int OF_SHARE_DENY_READ = 0x0030;
inline constexpr int OF_SHARE_DENY_NONE = 0x0040;

inline constexpr int FILE_BEGIN = 0;
inline constexpr int FILE_CURRENT = 1;
inline constexpr int FILE_END = 2;

HFILE _lopen(LPCSTR path, int mode);
HFILE _lcreat(LPCSTR path, int attribute);
// Bytes read (fewer at the end of the file), or HFILE_ERROR as UINT.
UINT _lread(HFILE file, void* buffer, UINT count);
UINT _lwrite(HFILE file, const char* buffer, UINT count);
LONG _llseek(HFILE file, LONG offset, int origin);
HFILE _lclose(HFILE file);

// 0 when the file exists with the access asked (0 exists, 2 write, 4 read, 6 both), else -1.
int _access(LPCSTR path, int mode);
// 0 when made, -1 when it exists already or cannot be made.
int _mkdir(LPCSTR path);

// Copies through a temporary file beside the target, put in its place only when whole, so a
// failed copy never leaves a half-written target; keeps the modification time as Windows does.
// The copy is made as cheaply as the filesystems allow and is not forced out to the disk.
BOOL CopyFileA(LPCSTR existing, LPCSTR target, BOOL failIfExists);
BOOL DeleteFileA(LPCSTR path);
// Writes "C:\Windows" (the drive's Windows folder); returns its length, or the size needed when
// the buffer is too small.
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
BOOL SetCurrentDirectoryA(LPCSTR path);
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);

// fopen on a mapped path, for the parts of the system that use the C library.
std::FILE* MappedFopen(std::string_view path, const char* mode);

}  // namespace win
