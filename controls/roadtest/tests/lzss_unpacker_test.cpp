#include "controls/roadtest/core/lzss_unpacker.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/testing/temp_drive.h"
#include "tools/samples/sample_lzss_packer.h"

namespace morvit {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return Text(out);
}

struct StreamCase {
  const char* name;
  Bytes packed;
  Bytes expected;
};

TEST(LzssUnpacker, DecodesHandWrittenStreams) {
  const StreamCase cases[] = {
      {"eight literals", B({8, 0, 0, 0, 0xFF, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}), Text("ABCDEFGH")},
      {"copy overlapping its own output", B({21, 0, 0, 0, 0xE0, 'a', 'b', 'c', 0x00, 0x0F}), Repeat("abc", 7)},
      {"copy from the zero ring start", B({5, 0, 0, 0, 0x00, 0x06, 0x42}), Bytes(5, 0)},
      {"copy from the ring's last bytes", B({4, 0, 0, 0, 0x00, 0xFF, 0xE1}), Bytes(4, 0)},
      {"copy crossing the length is cut", B({4, 0, 0, 0, 0x80, 'x', 0x00, 0x0F}), Text("xxxx")},
      {"zero length reads nothing more", B({0, 0, 0, 0}), {}},
      {"trailing bytes after the length are ignored", B({1, 0, 0, 0, 0xFF, 'q', 'r', 's'}), Text("q")},
      {"second group after eight items",
       B({10, 0, 0, 0, 0xFF, '0', '1', '2', '3', '4', '5', '6', '7', 0xC0, '8', '9'}), Text("0123456789")},
  };
  for (const auto& c : cases) {
    const auto out = UnpackLzssBytes(c.packed);
    ASSERT_TRUE(out.has_value()) << c.name;
    EXPECT_EQ(*out, c.expected) << c.name;
  }
}

TEST(LzssUnpacker, RejectsTruncatedStreams) {
  const std::pair<const char*, Bytes> cases[] = {
      {"empty file", {}},
      {"length cut short", B({8, 0})},
      {"no flag byte", B({8, 0, 0, 0})},
      {"literal missing", B({3, 0, 0, 0, 0xFF, 'a', 'b'})},
      {"copy item cut after its first byte", B({6, 0, 0, 0, 0x7F, 0x00})},
      {"next group missing", B({9, 0, 0, 0, 0xFF, '0', '1', '2', '3', '4', '5', '6', '7'})},
      {"huge length, little data", B({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x0F})},
  };
  for (const auto& [name, packed] : cases) EXPECT_FALSE(UnpackLzssBytes(packed).has_value()) << name;
}

Bytes Noise(std::size_t size, unsigned seed) {
  Bytes out(size);
  for (auto& b : out) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(seed >> 16);
  }
  return out;
}

TEST(LzssUnpacker, RestoresWhatThePackerWrote) {
  Bytes zerosThenText(300, 0);
  const Bytes tail = Text("zero run first, then text");
  zerosThenText.insert(zerosThenText.end(), tail.begin(), tail.end());
  Bytes farRepeat = Noise(5000, 7);  // repeats only further back than the ring reaches
  const Bytes again = Noise(5000, 7);
  farRepeat.insert(farRepeat.end(), again.begin(), again.end());
  Bytes wave(70000);
  for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = static_cast<std::uint8_t>((i / 37) % 2 ? 200 : 20);

  const std::pair<const char*, Bytes> cases[] = {
      {"empty", {}},
      {"one byte", Text("a")},
      {"short run", Repeat("ab", 2)},
      {"long run of one byte", Bytes(1000, 0x55)},
      {"zeros first", zerosThenText},
      {"noise", Noise(20000, 3)},
      {"repeat beyond the ring", farRepeat},
      {"square wave", wave},
  };
  for (const auto& [name, data] : cases) {
    for (bool copies : {true, false}) {
      const Bytes packed = vetra::samples::PackLzss(data, {.useCopies = copies});
      const auto out = UnpackLzssBytes(packed);
      ASSERT_TRUE(out.has_value()) << name;
      EXPECT_EQ(*out, data) << name << (copies ? "" : " (literals only)");
    }
  }
  EXPECT_LT(vetra::samples::PackLzss(wave).size(), wave.size() / 8);
  // A run of zeros at the start is taken from the ring's zero fill: one copy item of 18 bytes.
  EXPECT_EQ(vetra::samples::PackLzss(Bytes(18, 0)).size(), 4u + 1u + 2u);
}

class LzssFileTest : public ::testing::Test {
protected:
  std::filesystem::path Write(const char* name, const Bytes& bytes) {
    drive.WriteFile(name, std::string(bytes.begin(), bytes.end()));
    return drive / name;
  }
  Bytes Read(const char* name) {
    const std::string s = drive.ReadFile(name);
    return Bytes(s.begin(), s.end());
  }
  vetra::testing::TempDrive drive;
};

TEST_F(LzssFileTest, UnpacksIntoTheOutputAndReportsProgress) {
  const Bytes data = Noise(25000, 11);
  Write("Vetra/TempE/1Temp.Res", vetra::samples::PackLzss(data));
  Write("Vetra/TempE/1Temp.Dat", Text("stale unpacking that is replaced"));
  std::vector<int> percents;
  UnpackStatus status{};
  EXPECT_EQ(UnpackLzss("c:\\Vetra\\TempE\\1Temp.Res", "c:\\Vetra\\TempE\\1Temp.Dat",
                       [&](int p) { percents.push_back(p); }, &status),
            1);
  EXPECT_EQ(status, UnpackStatus::Ok);
  EXPECT_EQ(Read("Vetra/TempE/1Temp.Dat"), data);
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.front(), 0);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
  EXPECT_LE(percents.back(), 100);
}

TEST_F(LzssFileTest, FailuresLeaveNoOutputBehind) {
  Bytes truncated = vetra::samples::PackLzss(Noise(3000, 5));
  truncated.resize(truncated.size() / 2);
  Write("Vetra/TempE/cut.Res", truncated);
  Write("Vetra/TempE/cut.Dat", Text("old"));
  UnpackStatus status{};
  EXPECT_EQ(UnpackLzss("c:\\Vetra\\TempE\\cut.Res", "c:\\Vetra\\TempE\\cut.Dat", {}, &status), -1);
  EXPECT_EQ(status, UnpackStatus::Truncated);
  EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/TempE/cut.Dat"));

  EXPECT_EQ(UnpackLzss("c:\\Vetra\\TempE\\none.Res", "c:\\Vetra\\TempE\\none.Dat", {}, &status), -1);
  EXPECT_EQ(status, UnpackStatus::InputUnreadable);

  EXPECT_EQ(UnpackLzss("c:\\Vetra\\TempE\\cut.Res", "c:\\Vetra\\NoFolder\\x.Dat", {}, &status), -1);
  EXPECT_EQ(status, UnpackStatus::OutputUncreatable);
}

// A full device: the process may not grow a file beyond 4 KiB while the output is written.
TEST_F(LzssFileTest, AFailedWriteLeavesNoOutput) {
  Write("Vetra/TempE/big.Res", vetra::samples::PackLzss(Noise(50000, 9)));
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  UnpackStatus status{};
  const int result = UnpackLzss("c:\\Vetra\\TempE\\big.Res", "c:\\Vetra\\TempE\\big.Dat", {}, &status);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(status, UnpackStatus::WriteFailed);
  EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/TempE/big.Dat"));
}

TEST_F(LzssFileTest, NeverOverwritesItsOwnInput) {
  const Bytes packed = vetra::samples::PackLzss(Text("packed recording"));
  Write("Vetra/TempE/2Temp.DAT", packed);
  UnpackStatus status{};
  // "DAT" is not taken as unpacked, and its output name "Dat" finds the same file on the drive.
  EXPECT_EQ(UnpackLzss("c:\\Vetra\\TempE\\2Temp.DAT", "c:\\Vetra\\TempE\\2Temp.Dat", {}, &status), -1);
  EXPECT_EQ(status, UnpackStatus::SameFile);
  EXPECT_EQ(Read("Vetra/TempE/2Temp.DAT"), packed);
}

}  // namespace
}  // namespace morvit

#include "tools/samples/roadtest_sample.h"

namespace morvit {
namespace {

TEST_F(LzssFileTest, PackedRoadTestRecordingUnpacksToTheRecording) {
  for (auto layout : {vetra::samples::RoadTestLayout::New, vetra::samples::RoadTestLayout::Old}) {
    vetra::samples::RoadTestOptions options{.layout = layout, .channels = 4, .packed = true};
    ASSERT_TRUE(vetra::samples::WriteRoadTestSample(options, drive / "Vetra/TempE/3Temp.Res"));
    Bytes recording;
    ASSERT_TRUE(vetra::samples::BuildRoadTestRecording(options, recording, nullptr));
    EXPECT_EQ(UnpackLzss("c:\\Vetra\\TempE\\3Temp.Res", "c:\\Vetra\\TempE\\3Temp.Dat"), 1);
    EXPECT_EQ(Read("Vetra/TempE/3Temp.Dat"), recording);
  }
}

}  // namespace
}  // namespace morvit
