#include "controls/roadtest/core/recording.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <numeric>

#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/core/recording_file.h"
#include "controls/roadtest/core/road_model.h"
#include "controls/roadtest/tests/road_fixtures.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"

namespace morvit {
namespace {

using testing::Bytes;
using vetra::samples::RoadTestLayout;
using vetra::samples::RoadTestOptions;

struct LayoutCase {
  RoadTestLayout layout;
  bool packed;
  int code;
};

class RoundTrip : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(RoundTrip, WriterRecordingReadsBackWhole) {
  const LayoutCase c = GetParam();
  vetra::testing::TempDrive drive;
  RoadTestOptions options;
  options.layout = c.layout;
  options.recordLengthCode = c.code;
  options.channels = 10;
  const Bytes plain = testing::SampleBytes(options);
  const std::string name = c.packed ? "1Temp.Res" : "1Temp.Dat";
  testing::WriteExchangeFile(drive, name, c.packed ? vetra::samples::PackLzss(plain) : plain);

  const LoadedFile file = LoadRecordingFile(std::string("C:\\Vetra\\TempE\\") + name);
  ASSERT_TRUE(file.Ok());
  const Recording& r = file.recording;
  EXPECT_EQ(r.oldLayout, c.layout == RoadTestLayout::Old);
  EXPECT_EQ(r.recordLengthCode, c.code);
  EXPECT_EQ(r.header.maker, vetra::Cp949(options.maker));
  EXPECT_EQ(r.header.symptom, vetra::Cp949(options.symptom));
  EXPECT_EQ(r.channels[0].code, "CKP");
  EXPECT_EQ(r.channels[0].name, vetra::Cp949("크랭크각 센서"));

  // Every recorded channel holds exactly its bytes of the file, in file order.
  std::size_t offset = r.SampleStart();
  for (int i = 0; i < options.channels; ++i) {
    const auto& data = r.data[static_cast<std::size_t>(i)];
    ASSERT_EQ(static_cast<std::int64_t>(data.size()), r.ChannelSampleCount(r.channels[static_cast<std::size_t>(i)].rate)) << i;
    ASSERT_TRUE(std::equal(data.begin(), data.end(), plain.begin() + static_cast<std::ptrdiff_t>(offset))) << i;
    offset += data.size();
  }
  EXPECT_EQ(offset, plain.size());
  // Derived items are sized to their source; the first one is the engine speed on channel 1.
  EXPECT_EQ(r.channels[80].source, 2);
  EXPECT_EQ(r.data[80].size(), r.data[1].size());
  EXPECT_EQ(r.channels[80].rangeHigh, 6000.0);
  if (c.layout == RoadTestLayout::New) {
    EXPECT_EQ(r.channels[81].itemType, 1200);
    EXPECT_FLOAT_EQ(r.channels[81].params[5], static_cast<float>(options.tyreWidth));
  } else {
    EXPECT_EQ(r.channels[81].itemType, 3200);
    EXPECT_EQ(r.channels[81].tyreText[0], std::to_string((options.tyreWidth - 150) / 5 + 1));
  }
  // The unpacked copy lies beside the packed one and is the file read.
  EXPECT_EQ(file.unpackedPath.empty(), !c.packed);
  EXPECT_EQ(file.readPath, "C:\\Vetra\\TempE\\1Temp.Dat");
}

INSTANTIATE_TEST_SUITE_P(Layouts, RoundTrip,
                         ::testing::Values(LayoutCase{RoadTestLayout::New, false, 5}, LayoutCase{RoadTestLayout::Old, false, 5},
                                           LayoutCase{RoadTestLayout::New, true, 5}, LayoutCase{RoadTestLayout::Old, true, 5}));

TEST(RecordingReader, BadFieldsGiveDocumentedFallbacks) {
  RoadTestOptions options;
  options.channels = 4;
  const Bytes good = testing::SampleBytes(options);
  struct Case {
    const char* name;
    void (*patch)(Bytes&);
    void (*check)(const Recording&);
  };
  const Case cases[] = {
      {"record length code 0 reads as 1", [](Bytes& b) { testing::PutU8(b, kHeaderSize + 90, 0); },
       [](const Recording& r) { EXPECT_EQ(r.RecordLength(), 1000000); }},
      {"record length code 7 reads as 1", [](Bytes& b) { testing::PutU8(b, kHeaderSize + 90, 7); },
       [](const Recording& r) { EXPECT_EQ(r.recordLengthCode, 1); }},
      {"negative rate makes the channel absent", [](Bytes& b) { testing::PutU8(b, testing::RecordField(1, 157), 0xFB); },
       [](const Recording& r) {
         EXPECT_EQ(r.channels[1].rate, 0);
         EXPECT_TRUE(r.data[1].empty());
       }},
      {"rate above 50 makes the channel absent", [](Bytes& b) { testing::PutU8(b, testing::RecordField(2, 157), 60); },
       [](const Recording& r) { EXPECT_TRUE(r.data[2].empty()); }},
      {"derived source 0 makes the item absent", [](Bytes& b) { testing::PutU8(b, testing::RecordField(80, 160), 0); },
       [](const Recording& r) {
         EXPECT_EQ(r.channels[80].rate, 0);
         EXPECT_TRUE(r.data[80].empty());
       }},
      {"derived source 81 makes the item absent", [](Bytes& b) { testing::PutU8(b, testing::RecordField(80, 160), 81); },
       [](const Recording& r) { EXPECT_EQ(r.SourceIndex(80), -1); }},
      {"count flag 0 drops channels 72..79 and their derived items",
       [](Bytes& b) {
         testing::PutU8(b, kHeaderSize + 91, 0);
         testing::PutU8(b, testing::RecordField(75, 157), 50);
         testing::PutU8(b, testing::RecordField(80, 160), 76);
       },
       [](const Recording& r) {
         EXPECT_TRUE(r.data[75].empty());
         EXPECT_EQ(r.channels[80].rate, 0);
       }},
      {"a file cut inside the samples is zero-filled",
       [](Bytes& b) { b.resize(b.size() - 100); },
       [](const Recording& r) {
         const auto& last = r.data[3];
         ASSERT_FALSE(last.empty());
         EXPECT_TRUE(std::all_of(last.end() - 100, last.end(), [](std::uint8_t v) { return v == 0; }));
       }},
      {"a file cut inside the header gives an empty old-layout recording",
       [](Bytes& b) { b.resize(300); },
       [](const Recording& r) {
         EXPECT_TRUE(r.oldLayout);
         EXPECT_TRUE(ListedChannels(r).empty());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = good;
    c.patch(bytes);
    c.check(ParseRecording(bytes));
  }
}

TEST(RecordingReader, OldLayoutIgnoresBytesBeyondItsBlock) {
  RoadTestOptions options;
  options.layout = RoadTestLayout::Old;
  options.channels = 2;
  Bytes bytes = testing::SampleBytes(options);
  // A code text in the new layout's extra record: the old layout has none.
  testing::PutU8(bytes, kHeaderSize + 35420, 'X');
  const Recording r = ParseRecording(bytes);
  ASSERT_TRUE(r.oldLayout);
  EXPECT_EQ(r.channels[0].code, "CKP");
  EXPECT_EQ(r.SampleStart(), 37270u);
}

// A file cut anywhere (in the header, in the old layout's samples that begin inside the new
// layout's head, inside a channel), one whose channels are all absent, one of 72 channels, must
// read exactly as the same bytes read as a whole.
TEST(RecordingFile, ReadingTheFileGivesWhatTheWholeBytesGive) {
  vetra::testing::TempDrive drive;
  const auto noChannels = [](Bytes& b) {
    for (int i = 0; i < kRecordedCount; ++i) testing::PutU8(b, testing::RecordField(i, 157), 0);
  };
  const auto seventyTwo = [](Bytes& b) {
    testing::PutU8(b, kHeaderSize + 91, 0);
    testing::PutU8(b, testing::RecordField(75, 157), 50);
  };
  for (const auto layout : {RoadTestLayout::New, RoadTestLayout::Old}) {
    RoadTestOptions options;
    options.layout = layout;
    options.channels = 4;
    const Bytes whole = testing::SampleBytes(options);
    struct Odd {
      std::string name;
      Bytes bytes;
    };
    std::vector<Odd> odd;
    for (const std::size_t cut : {std::size_t{0}, std::size_t{300}, std::size_t{20000}, std::size_t{37300}, std::size_t{44780},
                                  std::size_t{60000}, whole.size() - 1, whole.size()}) {
      odd.push_back({"cut at " + std::to_string(cut), Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut))});
    }
    odd.push_back({"no channels", whole});
    noChannels(odd.back().bytes);
    odd.push_back({"72 channels", whole});
    seventyTwo(odd.back().bytes);
    for (const Odd& o : odd) {
      SCOPED_TRACE(std::string(layout == RoadTestLayout::New ? "new" : "old") + " layout, " + o.name);
      const Bytes& bytes = o.bytes;
      testing::WriteExchangeFile(drive, "3Temp.Dat", bytes);
      const LoadedFile file = LoadRecordingFile("C:\\Vetra\\TempE\\3Temp.Dat");
      ASSERT_TRUE(file.Ok());
      const Recording expected = ParseRecording(bytes);
      EXPECT_EQ(file.recording.oldLayout, expected.oldLayout);
      EXPECT_EQ(file.recording.header.maker, expected.header.maker);
      for (int i = 0; i < kItemCount; ++i) {
        EXPECT_EQ(file.recording.channels[static_cast<std::size_t>(i)].name, expected.channels[static_cast<std::size_t>(i)].name) << i;
        EXPECT_TRUE(file.recording.data[static_cast<std::size_t>(i)] == expected.data[static_cast<std::size_t>(i)]) << i;
      }
      for (int i = 0; i < kRecordedCount; ++i) {
        EXPECT_EQ(file.recording.minMax[static_cast<std::size_t>(i)].high, expected.minMax[static_cast<std::size_t>(i)].high) << i;
      }
    }
  }
}

// Loading takes no process-wide resource: the bus-error handler in place before a load (here one
// of the test's own, in a process of its own) is the one in place after it.
void BusErrorHandlerOfTheTest(int) {}

TEST(RecordingFile, LoadingLeavesTheProcessSignalHandlersAlone) {
  vetra::testing::TempDrive drive;
  RoadTestOptions options;
  options.channels = 4;
  testing::WriteExchangeFile(drive, "5Temp.Dat", testing::SampleBytes(options));
  EXPECT_EXIT(
      {
        struct sigaction ours {};
        ours.sa_handler = BusErrorHandlerOfTheTest;
        sigemptyset(&ours.sa_mask);
        ::sigaction(SIGBUS, &ours, nullptr);
        const LoadedFile file = LoadRecordingFile("C:\\Vetra\\TempE\\5Temp.Dat");
        std::size_t sum = 0;
        for (const auto& samples : file.recording.data) sum += std::accumulate(samples.begin(), samples.end(), std::size_t{0});
        struct sigaction now {};
        ::sigaction(SIGBUS, nullptr, &now);
        const bool same = (now.sa_flags & SA_SIGINFO) == 0 && now.sa_handler == BusErrorHandlerOfTheTest;
        ::_exit(file.Ok() && sum != 0 && same ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// The descriptors this process holds open on a file.
std::vector<int> DescriptorsOn(const std::filesystem::path& file) {
  std::vector<int> fds;
  const auto target = std::filesystem::canonical(file);
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    const auto link = std::filesystem::read_symlink(entry.path(), ec);
    if (!ec && link == target) fds.push_back(std::stoi(entry.path().filename().string()));
  }
  return fds;
}

// The working copy is cut by another program, or stops giving its bytes, while the viewer shows
// it: what was shown stays as it was; a channel not read before reads as zeros from where the file
// failed it, and the trace says which; everything that reads samples goes on working.
TEST(RecordingFile, WhatWasShownOutlivesTheFileAndAChannelItFailsReadsAsZeros) {
  RoadTestOptions options;
  options.channels = 10;
  const Bytes whole = testing::SampleBytes(options);
  enum class Fault { CutBeforeTheSamples, CutInsideTheChannel, ReadsFail };
  for (const Fault fault : {Fault::CutBeforeTheSamples, Fault::CutInsideTheChannel, Fault::ReadsFail}) {
    SCOPED_TRACE(static_cast<int>(fault));
    vetra::testing::TempDrive drive;
    testing::WriteExchangeFile(drive, "4Temp.Dat", whole);
    const auto path = drive / "Vetra/TempE/4Temp.Dat";
    std::string traces;
    const vetra::TraceSink previous = vetra::SetTraceSink([&](std::string_view line) { traces += line; });
    RoadModel model(LutStore(drive.Root().string()));
    ASSERT_TRUE(model.Load("4Temp.Dat").Ok());
    const RoadState& s = model.State();
    const Recording& r = s.recording;
    // The first paint of the shown items.
    for (int row : s.shown.Rows()) model.BuildNormalPage(s.ChannelOfRow(row));
    const auto offsetOf = [&](int channel) {
      std::size_t offset = r.SampleStart();
      for (int i = 0; i < channel; ++i) offset += r.data[static_cast<std::size_t>(i)].size();
      return offset;
    };
    const auto bytesOf = [&](int channel, std::size_t count) {
      const auto from = whole.begin() + static_cast<std::ptrdiff_t>(offsetOf(channel));
      return Bytes(from, from + static_cast<std::ptrdiff_t>(count));
    };
    // A channel neither shown nor the source of a derived item.
    std::vector<int> used;
    for (int row : s.shown.Rows()) used.push_back(s.ChannelOfRow(row));
    for (int item = kFirstDerived; item < kItemCount; ++item) used.push_back(r.SourceIndex(item));
    int unshown = -1;
    for (int i = 0; i < kRecordedCount && unshown < 0; ++i) {
      if (!r.data[static_cast<std::size_t>(i)].empty() && std::find(used.begin(), used.end(), i) == used.end()) unshown = i;
    }
    ASSERT_GE(unshown, 0);
    const std::size_t unshownSize = r.data[static_cast<std::size_t>(unshown)].size();
    // The samples of that channel the file still gives.
    const std::size_t kept = fault == Fault::CutInsideTheChannel ? unshownSize / 2 : 0;

    if (fault == Fault::CutBeforeTheSamples) {
      std::filesystem::resize_file(path, r.SampleStart());
    } else if (fault == Fault::CutInsideTheChannel) {
      std::filesystem::resize_file(path, offsetOf(unshown) + kept);
    } else {
      // Every descriptor on the file now refuses to read.
      const std::vector<int> fds = DescriptorsOn(path);
      ASSERT_FALSE(fds.empty());
      const int writeOnly = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
      ASSERT_GE(writeOnly, 0);
      for (int fd : fds) ASSERT_EQ(::dup3(writeOnly, fd, O_CLOEXEC), fd);
      ::close(writeOnly);
    }

    for (int row : s.shown.Rows()) {
      const int channel = s.ChannelOfRow(row);
      if (channel >= kFirstDerived) continue;
      const auto& samples = r.data[static_cast<std::size_t>(channel)];
      EXPECT_TRUE(std::equal(samples.begin(), samples.end(), bytesOf(channel, samples.size()).begin())) << channel;
    }
    const auto& failed = r.data[static_cast<std::size_t>(unshown)];
    ASSERT_EQ(failed.size(), unshownSize);
    EXPECT_TRUE(std::equal(failed.begin(), failed.begin() + static_cast<std::ptrdiff_t>(kept), bytesOf(unshown, kept).begin()));
    EXPECT_TRUE(std::all_of(failed.begin() + static_cast<std::ptrdiff_t>(kept), failed.end(), [](std::uint8_t v) { return v == 0; }));
    EXPECT_NE(traces.find(vetra::Format("MORVIT : channel %d: %zu of %zu bytes read", unshown, kept, unshownSize)), std::string::npos)
        << traces;
    for (int item = kFirstDerived; item < kItemCount; ++item) model.EnsureDerived(item);
    for (int row : s.shown.Rows()) EXPECT_GT(model.BuildNormalPage(s.ChannelOfRow(row)).count, 0);
    vetra::SetTraceSink(previous);
  }
}

TEST(RecordingFile, PackedCopyIsUnpackedBesideItAndRemovedOnClose) {
  vetra::testing::TempDrive drive;
  RoadTestOptions options;
  options.channels = 3;
  testing::WriteExchangeFile(drive, "7Temp.Res", vetra::samples::PackLzss(testing::SampleBytes(options)));
  testing::WriteExchangeFile(drive, "8Temp.Dat", testing::SampleBytes(options));
  {
    RoadModel model(LutStore(drive.Root().string()));
    ASSERT_TRUE(model.Load("7Temp.Res").Ok());
    EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/TempE/7Temp.Dat"));
    EXPECT_EQ(model.State().recordingPath, "C:\\Vetra\\TempE\\7Temp.Dat");
    // A new load forgets the old one and its unpacked file.
    ASSERT_TRUE(model.Load("8Temp.Dat").Ok());
    EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/TempE/7Temp.Dat"));
  }
  // The model made no unpacked file for a .Dat copy: it survives.
  EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/TempE/8Temp.Dat"));
  EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/TempE/7Temp.Res"));
}

TEST(RecordingFile, TheLoadReportsEachChannelItReads) {
  vetra::testing::TempDrive drive;
  RoadTestOptions options;
  options.channels = 3;
  testing::WriteExchangeFile(drive, "1Temp.Dat", testing::SampleBytes(options));
  testing::WriteExchangeFile(drive, "2Temp.Res", vetra::samples::PackLzss(testing::SampleBytes(options)));
  for (const char* name : {"1Temp.Dat", "2Temp.Res"}) {
    SCOPED_TRACE(name);
    std::vector<int> percents;
    const LoadedFile file =
        LoadRecordingFile(std::string("C:\\Vetra\\TempE\\") + name, [&](int percent) { percents.push_back(percent); });
    ASSERT_EQ(file.status, LoadStatus::Ok);
    // After whatever the unpacking reported: the recorded channels with a rate, then every derived one.
    std::vector<int> expected;
    for (int i = 0; i < kRecordedCount; ++i)
      if (file.recording.channels[static_cast<std::size_t>(i)].rate != 0) expected.push_back(i);
    for (int i = kFirstDerived; i < kItemCount; ++i) expected.push_back(i);
    ASSERT_GE(percents.size(), expected.size());
    EXPECT_EQ(std::vector<int>(percents.end() - static_cast<std::ptrdiff_t>(expected.size()), percents.end()), expected);
    EXPECT_EQ(expected.size(), 3u + (kItemCount - kFirstDerived));
  }
}

TEST(RecordingFile, FailedLoadsSayWhyAndLeaveNothing) {
  vetra::testing::TempDrive drive;
  RoadTestOptions options;
  options.channels = 3;
  Bytes packed = vetra::samples::PackLzss(testing::SampleBytes(options));
  packed.resize(packed.size() / 2);
  testing::WriteExchangeFile(drive, "1Temp.Res", packed);
  testing::WriteExchangeFile(drive, "2Temp.DAT", testing::SampleBytes(options));

  RoadModel model(LutStore(drive.Root().string()));
  struct Case {
    const char* name;
    LoadStatus status;
    std::string message;
  };
  const Case cases[] = {
      {"1Temp.Res", LoadStatus::UnpackFailed, "C:\\Vetra\\TempE\\1Temp.Res" + vetra::Cp949(" 데이터가 없습니다")},
      {"missing.Res", LoadStatus::CannotOpen, ""},
      {"missing.Dat", LoadStatus::CannotOpen, ""},
      {"..\\x.Dat", LoadStatus::CannotOpen, ""},
      {"", LoadStatus::CannotOpen, ""},
      {"2Temp.DAT", LoadStatus::Ok, ""},  // any letter case of "dat" is read as unpacked
      // Only regular files are recordings: nothing throws on a folder or waits on a pipe.
      {"folder.Dat", LoadStatus::CannotOpen, ""},
      {"folder.Res", LoadStatus::CannotOpen, ""},
      {"pipe.Dat", LoadStatus::CannotOpen, ""},
      {"pipe.Res", LoadStatus::CannotOpen, ""},
  };
  for (const char* folder : {"folder.Dat", "folder.Res"})
    std::filesystem::create_directories(drive / "Vetra/TempE" / folder);
  for (const char* pipe : {"pipe.Dat", "pipe.Res"})
    ASSERT_EQ(::mkfifo((drive / "Vetra/TempE" / pipe).c_str(), 0644), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LoadOutcome outcome = model.Load(c.name);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.message.text, c.message);
    EXPECT_TRUE(model.State().dataShown);  // the screens are built in every case
  }
  EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/TempE/1Temp.Dat"));
}

TEST(LutFile, ATableThatIsNoRegularFileReadsAsZeros) {
  vetra::testing::TempDrive drive;
  std::filesystem::create_directories(drive / "Data/LUT/Lut07.DAT");
  ASSERT_EQ(::mkfifo((drive / "Data/LUT/Lut08.DAT").c_str(), 0644), 0);
  const LutStore luts(drive.Root().string());
  for (const int number : {7, 8}) {
    const LutTable table = luts.Load(number);
    EXPECT_EQ(table[0], 0.0);
    EXPECT_EQ(table[255], 0.0);
  }
}

}  // namespace
}  // namespace morvit
