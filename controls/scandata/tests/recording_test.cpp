// Reading scan recordings: the sample writer's recordings round trip through the reader and the
// text conversion; damaged and out-of-limit files keep the viewer's limits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/scandata/tests/fixtures.h"
#include "platform/base/text.h"

namespace quarnel {
namespace {

using testing::ScanBytes;

std::string Utf8Text(ScanModel& model, int id, int sample) {
  auto& text = const_cast<ScanTextContext&>(model.State().text);
  return vetra::Utf8(text.ItemValueText(static_cast<std::int16_t>(id), model.State().recording.Sample(id, sample)));
}

TEST(ScanRecordingRoundTrip, ItemsOfAllTenTypesReadBackAsWritten) {
  struct Expected {
    int id;
    int type;
    const char* text;  // at the first sample (warm idle)
    const char* unit;
  };
  const Expected kTexts[] = {
      {0, 1, "  739", " RPM"},    {1, 2, " 11.0", " ˚"},          {2, 3, "  OFF", ""},
      {3, 4, "BTDC 10˚", " ˚"},  {4, 5, "    0", " Km/h"},       {5, 6, "   0 H 18M", ""},
      {6, 7, "   36", " Hz"},     {7, 8, "   93", " ％"},         {8, 9, "    L  1", " ˚"},
      {9, 10, " 14.1", " V"},
  };
  for (const int width : {2, 4}) {
    SCOPED_TRACE(width);
    vetra::testing::TempDrive drive;
    ScanModel model;
    testing::LoadSample(model, drive, testing::SampleOptions(15, 600, width));
    const ScanRecording& r = model.State().recording;
    ASSERT_TRUE(model.State().Loaded());
    EXPECT_EQ(r.fourByteSamples, width == 4);
    EXPECT_EQ(model.RunEcuId(), "SIRIUS-II");
    EXPECT_EQ(r.itemIds, (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 1, 2, 3, 4}));
    EXPECT_EQ(r.sampleCount, 600);
    EXPECT_EQ(r.endTime - r.startTime, 150);
    EXPECT_EQ(r.triggers, (std::vector<int>{200, 400}));
    EXPECT_NEAR(r.EngineSpeed(0), 750, 15);
    EXPECT_EQ(r.Sample(12, 599), -279);  // a negative sample keeps its sign in both widths
    for (const Expected& e : kTexts) {
      SCOPED_TRACE(e.id);
      EXPECT_EQ(model.State().text.Descriptor(e.id).ConvType(), e.type);
      EXPECT_EQ(Utf8Text(model, e.id, 0), e.text);
      EXPECT_EQ(vetra::Utf8(model.UnitOf(e.id)), e.unit);
    }
  }
}

// `count` items, ids 0.., one 2-byte sample each of value id + 1, then one speed and the triggers.
ScanBytes ManyItems(int countByte, int items, const std::vector<int>& triggerWords) {
  ScanBytes b;
  b.ItemCountByte(countByte).SampleCount(1);
  for (int k = 0; k < items; ++k) b.U8(kItemIdsAt + static_cast<std::size_t>(k), k);
  for (int k = 0; k < items; ++k) b.Append16({k + 1});
  return b.Append16({800}).Append16(triggerWords);
}

ScanBytes NegativeTriggerCount() {
  ScanBytes b = testing::OneItem({1, 2});
  return b.I16(b.bytes.size() - 2, -1);
}

struct DamageCase {
  const char* what;
  ScanBytes bytes;
  int itemCount;
  int sampleCount;
  std::vector<int> triggers;
  std::vector<std::array<int, 3>> samples;  // id, sample, value
  int marked = 0;
};

std::vector<DamageCase> DamageCases() {
  std::vector<DamageCase> cases;
  cases.push_back({"ids outside 0..99 are skipped and their data passed over",
                   ScanBytes().Items({5, -3, 100, 7}).SampleCount(2).Append16({1, 2, 3, 4, 5, 6, 8, 9}).Append16({0, 0, 1, 1}),
                   2, 2, {1}, {{5, 1, 2}, {7, 0, 8}, {7, 1, 9}}});
  cases.push_back({"a repeated id keeps its first samples", ScanBytes().Items({4, 4}).SampleCount(1).Append16({11, 22, 0, 0}),
                   1, 1, {}, {{4, 0, 11}}});
  cases.push_back({"an item count above 100 reads 100 items", ManyItems(120, 100, {1, 0}), 100, 1, {0}, {{99, 0, 100}}});
  // Without items the speeds and triggers follow the sample count at once.
  cases.push_back({"a negative item count reads none", ManyItems(0x80, 3, {0}), 0, 1, {3, 800}, {}});
  {
    ScanBytes b;
    b.Items({0, 1}).SampleCount(5011);
    for (int s = 0; s < 5011; ++s) b.Append16({s});
    for (int s = 0; s < 5011; ++s) b.Append16({-s});
    for (int s = 0; s < 5011; ++s) b.Append16({900});
    b.Append16({1, 5009});
    cases.push_back({"more than 5010 samples keep the file's layout", b, 2, 5010, {5009},
                     {{0, 5009, 5009}, {1, 1, -1}, {1, 5009, -5009}, {1, 5010, 0}}});
  }
  cases.push_back({"a negative sample count reads no sample", ScanBytes().Items({0}).SampleCount(-4).Append16({0, 7}),
                   1, 0, {}, {{0, 0, 0}}});
  cases.push_back({"more than 10 triggers read 10",
                   testing::OneItem({1, 2, 3}, {1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0}), 1, 3, {1, 2, 0, 1, 2, 0, 1, 2, 0, 1}, {}});
  cases.push_back({"a negative trigger count reads none", NegativeTriggerCount(), 1, 2, {}, {}});
  cases.push_back({"data cut short reads zeros", ScanBytes().Items({0}).SampleCount(4).Append16({5, 6}), 1, 4, {},
                   {{0, 1, 6}, {0, 2, 0}, {0, 3, 0}}});
  cases.push_back({"width code 0 reads 2-byte samples, 0xFFFF is -1",
                   ScanBytes().Items({0}).SampleCount(2).WidthCode(0).Append16({0xFFFF, 0x7FFF, 0, 0, 0}), 1, 2, {},
                   {{0, 0, -1}, {0, 1, 32767}}});
  cases.push_back({"width code 4 reads 4-byte samples",
                   ScanBytes().Items({0}).SampleCount(2).WidthCode(4).Append32({-100000, 70000}).Append16({0, 0, 0}), 1, 2,
                   {}, {{0, 0, -100000}, {0, 1, 70000}}});
  cases.push_back({"a marked sample past the data marks nothing", testing::OneItem({1, 2, 3}).Marked(3), 1, 3, {}, {}, 0});
  cases.push_back({"a marked sample inside the data is kept", testing::OneItem({1, 2, 3}).Marked(2), 1, 3, {}, {}, 2});
  cases.push_back({"a file shorter than its header", ScanBytes().SystemText("SM06"), 0, 0, {}, {}});
  return cases;
}

TEST(ScanRecordingLimits, DamagedFilesKeepTheLimits) {
  for (DamageCase& c : DamageCases()) {
    SCOPED_TRACE(c.what);
    const ScanRecording r = ParseScanRecording(c.bytes.bytes);
    EXPECT_EQ(r.ItemCount(), c.itemCount);
    EXPECT_EQ(r.sampleCount, c.sampleCount);
    EXPECT_EQ(r.triggers, c.triggers);
    EXPECT_EQ(r.markedSample, c.marked);
    EXPECT_LE(r.ItemCount(), kMaxItems);
    for (const auto& [id, s, value] : c.samples) EXPECT_EQ(r.Sample(id, s), value) << id << " " << s;
  }
}

TEST(ScanRecordingLimits, HundredItemsFindTheirTriggersAfterAllData) {
  const ScanRecording r = ParseScanRecording(ManyItems(100, 100, {1, 0}).bytes);
  EXPECT_EQ(r.ItemCount(), 100);
  EXPECT_EQ(r.EngineSpeed(0), 800);
  EXPECT_EQ(r.triggers, (std::vector<int>{0}));
}

TEST(ScanModelLoad, NothingOfAnEarlierRecordingSurvives) {
  vetra::testing::TempDrive drive;
  ScanModel model;
  testing::LoadSample(model, drive, testing::SampleOptions(15, 600));
  ASSERT_EQ(model.RowCount(), 15);

  // A short file: one item, a header cut after the first descriptor.
  ScanBytes small = testing::OneItem({1, 2, 3});
  testing::LoadBytes(model, drive, small.Str().substr(0, 600), "small.SCN");
  EXPECT_TRUE(model.State().Loaded());
  EXPECT_EQ(model.RowCount(), 0);
  EXPECT_EQ(model.State().text.Descriptor(10).ItemName(), "");
  EXPECT_EQ(model.RunEcuId(), "");
  EXPECT_TRUE(model.State().recording.triggers.empty());

  testing::LoadSample(model, drive, testing::SampleOptions(15, 600));
  testing::LoadBytes(model, drive, testing::OneItem({4, 5, 6}).Str(), "one.SCN");
  EXPECT_EQ(model.RowCount(), 1);
  EXPECT_EQ(model.State().rows[0].range.max, 6);
  EXPECT_FALSE(model.State().rows[10].range.seen);

  // A file that cannot be read leaves the screens empty.
  model.SetSaveDataFilePath("missing.SCN");
  const ScanOutcome outcome = model.RunScantool(1);
  EXPECT_TRUE(outcome.repaint);
  EXPECT_FALSE(model.State().Loaded());
  EXPECT_EQ(model.RowCount(), 0);
  EXPECT_EQ(model.State().view, View::text);
  EXPECT_FALSE(model.State().rows[0].range.seen);
}

TEST(ScanModelLoad, NamesThatAreNotPlainFileNamesOpenNothing) {
  vetra::testing::TempDrive drive;
  drive.WriteFile("Vetra/TempE/x.SCN", testing::OneItem({1, 2}).Str());
  drive.WriteFile("Vetra/x.SCN", testing::OneItem({1, 2}).Str());
  for (const char* name : {"", "..\\x.SCN", "../x.SCN", "c:x.SCN", "sub\\x.SCN", "x.SCN\n"}) {
    SCOPED_TRACE(name);
    ScanModel model;
    model.SetSaveDataFilePath(name);
    EXPECT_EQ(model.DataFilePath(), "");
    model.RunScantool(1);
    EXPECT_FALSE(model.State().Loaded());
    EXPECT_FALSE(model.ReleaseWorkingCopy());
  }
  EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/x.SCN"));
}

}  // namespace
}  // namespace quarnel
