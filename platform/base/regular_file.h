#pragma once
// Opening and reading only regular files. A folder, a pipe, a device or a socket given where a
// file is expected is a file that cannot be opened: nothing blocks on it, nothing throws.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vetra {

// open(2) that refuses what is not a regular file, without waiting for a pipe's other end.
// Returns the descriptor (close-on-exec, blocking) or -1 with errno set (EISDIR for a folder,
// ENXIO for anything else that is not a regular file).
int OpenRegularFile(const std::filesystem::path& path, int flags, int mode = 0644);

// fopen(3) on OpenRegularFile; nullptr with errno set for what is not a regular file.
std::FILE* FopenRegularFile(const std::filesystem::path& path, const char* mode);

// Reads into `data` until `size` bytes are in or the file ends (a signal does not cut it short);
// returns how many bytes were read.
std::size_t ReadUpTo(int fd, void* data, std::size_t size);
// The same from a position in the file (pread(2)), leaving the descriptor's own position alone.
// `error` gets the errno of a read that failed, 0 when the bytes stopped at the end of the file.
std::size_t ReadUpToAt(int fd, void* data, std::size_t size, std::uint64_t offset, int* error = nullptr);

// True when `path` names a regular file (after links).
bool IsRegularFile(const std::filesystem::path& path);

// The whole contents of a regular file; nullopt, with errno set, for what cannot be opened or
// read to its end.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path);
std::optional<std::vector<std::uint8_t>> ReadRegularFileBytes(const std::filesystem::path& path);

}  // namespace vetra
