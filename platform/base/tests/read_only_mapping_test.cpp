// A mapped file reads as the file; a file cut while mapped reads as zeros where it lost its bytes
// instead of ending the program; a bus error that is not about a mapping still ends it.
#include "platform/base/read_only_mapping.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/base/testing/temp_drive.h"

namespace vetra {
namespace {

namespace fs = std::filesystem;

std::string Pattern(std::size_t size)
{
  std::string bytes(size, '\0');
  for (std::size_t k = 0; k < size; ++k) bytes[k] = static_cast<char>('a' + k % 23);
  return bytes;
}

// Every byte, read one by one as a viewer reads samples.
std::string ReadEach(std::span<const std::uint8_t> bytes)
{
  std::string out(bytes.size(), '\0');
  for (std::size_t k = 0; k < bytes.size(); ++k) out[k] = static_cast<char>(bytes[k]);
  return out;
}

TEST(ReadOnlyMapping, ReadsTheFileAndRefusesWhatIsNotOne)
{
  testing::TempDrive drive;
  const std::string contents = Pattern(3 * 4096 + 77);
  drive.WriteFile("plain.dat", contents);
  drive.WriteFile("empty.dat", "");
  fs::create_directories(drive / "folder.dat");
  ASSERT_EQ(::mkfifo((drive / "pipe.dat").c_str(), 0644), 0);

  const auto plain = ReadOnlyMapping::Open(drive / "plain.dat");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(ReadEach(plain->Bytes()), contents);
  const auto empty = ReadOnlyMapping::Open(drive / "empty.dat");
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->Bytes().empty());
  for (const char* name : {"folder.dat", "pipe.dat", "missing.dat"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadOnlyMapping::Open(drive / name), nullptr);
  }
}

TEST(ReadOnlyMapping, AFileCutWhileMappedReadsAsZerosWhereItLostItsBytes)
{
  testing::TempDrive drive;
  const std::string contents = Pattern(5 * 4096 + 300);
  drive.WriteFile("cut.dat", contents);
  const auto mapping = ReadOnlyMapping::Open(drive / "cut.dat");
  ASSERT_NE(mapping, nullptr);
  // A second mapping of a file that is not cut stays as it is.
  drive.WriteFile("whole.dat", contents);
  const auto whole = ReadOnlyMapping::Open(drive / "whole.dat");
  ASSERT_NE(whole, nullptr);

  for (const std::size_t cut : {std::size_t{3 * 4096 + 10}, std::size_t{4096}, std::size_t{0}}) {
    SCOPED_TRACE(cut);
    ASSERT_EQ(::truncate((drive / "cut.dat").c_str(), static_cast<off_t>(cut)), 0);
    const std::string read = ReadEach(mapping->Bytes());
    ASSERT_EQ(read.size(), contents.size());
    EXPECT_EQ(read.substr(0, cut), contents.substr(0, cut));
    EXPECT_TRUE(std::all_of(read.begin() + static_cast<std::ptrdiff_t>(cut), read.end(), [](char c) { return c == 0; }));
  }
  EXPECT_EQ(ReadEach(whole->Bytes()), contents);
}

TEST(ReadOnlyMappingDeathTest, ABusErrorOutsideEveryMappingStillEndsTheProgram)
{
  testing::TempDrive drive;
  drive.WriteFile("mapped.dat", Pattern(4096));
  drive.WriteFile("other.dat", Pattern(2 * 4096));
  const auto mapping = ReadOnlyMapping::Open(drive / "mapped.dat");  // the handler is in place
  ASSERT_NE(mapping, nullptr);
  const std::string other = (drive / "other.dat").string();
  EXPECT_DEATH(
      {
        const int fd = ::open(other.c_str(), O_RDONLY);
        auto* bytes = static_cast<volatile const char*>(::mmap(nullptr, 2 * 4096, PROT_READ, MAP_PRIVATE, fd, 0));
        ::ftruncate(::open(other.c_str(), O_WRONLY), 0);
        std::fprintf(stderr, "%d\n", bytes[4096]);
      },
      "");
}

}  // namespace
}  // namespace vetra
