// The control's properties, the item lists and graph choice, the view switches and the texts a
// graph shows.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "controls/scandata/tests/fixtures.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"

namespace quarnel {
namespace {

using testing::DescriptorBytes;
using testing::ScanBytes;

class ScanModelTest : public ::testing::Test {
 protected:
  void LoadSample(int items, int samples = 600) {
    vetra::samples::ScanOptions o = testing::SampleOptions(items, samples);
    testing::LoadSample(model, drive, o);
  }
  std::vector<int> Shown() const { return model.State().orders.Shown(); }
  std::vector<int> Hidden() const { return model.State().orders.Hidden(); }

  vetra::testing::TempDrive drive;
  ScanModel model;
};

TEST_F(ScanModelTest, LoadShowsTheFirstEightItemsOnTheGraph) {
  LoadSample(3);
  EXPECT_EQ(model.State().layout.count, 3);
  EXPECT_EQ(model.State().view, View::graph);

  LoadSample(12);  // recorded in the order 4..11, 0..3
  EXPECT_EQ(Shown(), (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(Hidden(), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(model.State().layout.count, 8);
  EXPECT_EQ(model.StopMode(), 1);
  EXPECT_EQ(model.State().graphButtonPicture, "BtnText_N");
  EXPECT_EQ(model.RowCount(), 12);
  EXPECT_EQ(model.RowTexts(8)[1], model.ItemName(0));  // list order: shown, then the others

  const std::vector<std::string> entries = model.ChooserEntries();
  ASSERT_EQ(entries.size(), 12u);
  EXPECT_EQ(entries[0], vetra::Cp949("★ ") + model.ItemName(4));
  EXPECT_EQ(entries[8], "   " + model.ItemName(0));
}

TEST_F(ScanModelTest, TextViewMovesKeepHiddenItemsInIdOrder) {
  LoadSample(12);
  model.ShowTextView();
  EXPECT_EQ(model.MoveRowUp(0).message->text, vetra::Cp949("항목명은 8개만 선택할수 있습니다."));
  EXPECT_EQ(Shown().size(), 8u);

  model.MoveRowDown(1);  // item 5 goes between 3 and the end
  EXPECT_EQ(Hidden(), (std::vector<int>{0, 1, 2, 3, 5}));
  model.MoveRowDown(0);  // item 4 before 5
  EXPECT_EQ(Hidden(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  model.MoveRowUp(5);
  EXPECT_EQ(Shown(), (std::vector<int>{6, 7, 8, 9, 10, 11, 5}));
  EXPECT_EQ(model.State().orders.ListOrder(), (std::vector<int>{6, 7, 8, 9, 10, 11, 5, 0, 1, 2, 3, 4}));

  while (!Shown().empty()) model.MoveRowDown(0);
  EXPECT_EQ(model.StopMode(), 0);
  EXPECT_EQ(model.State().graphButtonPicture, "BtnGrap_Dis");
  EXPECT_FALSE(model.ShowGraphView().repaint);  // nothing to draw
  model.MoveRowUp(3);
  EXPECT_EQ(model.StopMode(), 1);
  EXPECT_EQ(model.State().graphButtonPicture, "BtnGrap_N");
}

TEST_F(ScanModelTest, ChooserAndRemoveButtonsKeepOneGraph) {
  LoadSample(12);
  model.ShowItemChooser();
  EXPECT_EQ(model.State().itemButtonPicture, "BtnValue_N");
  EXPECT_FALSE(model.State().layout.buttonsShown);
  EXPECT_EQ(model.ChooseInChooser(8).message->caption, vetra::Cp949("항목선택"));  // a ninth item

  model.ChooseInChooser(0);  // item 4 leaves the graph
  EXPECT_EQ(Shown().size(), 7u);
  EXPECT_EQ(model.ChooserEntries()[0], "   " + model.ItemName(4));
  EXPECT_FALSE(model.State().layout.buttonsShown);
  model.ChooseInChooser(8);  // item 0 joins
  EXPECT_EQ(Shown().back(), 0);
  model.HideItemChooser();
  EXPECT_EQ(model.State().itemButtonPicture, "BtnItem_N");
  EXPECT_TRUE(model.State().layout.buttonsShown);

  while (Shown().size() > 1) model.RemoveButton(0);
  EXPECT_EQ(model.State().layout.count, 1);
  EXPECT_FALSE(model.RemoveButton(0).repaint);
  model.ShowItemChooser();
  const int last = Shown()[0];
  const auto& order = model.State().orders.RecordingOrder();
  const int index = static_cast<int>(std::find(order.begin(), order.end(), last) - order.begin());
  EXPECT_FALSE(model.ChooseInChooser(index).repaint);
  EXPECT_EQ(Shown(), (std::vector<int>{last}));
}

TEST_F(ScanModelTest, ViewSwitchesCarryThePosition) {
  LoadSample(3, 400);
  model.Scroll(kThumbTrack, 200);
  model.ShowTextView();
  EXPECT_EQ(model.State().playback.position, 356);  // the window's last sample
  EXPECT_EQ(model.State().playback.scrollPosition, 357);
  EXPECT_EQ(model.State().playback.scrollMax, 400);
  model.Scroll(kThumbTrack, 301);
  EXPECT_EQ(model.State().playback.position, 300);
  model.ShowGraphView();
  EXPECT_EQ(model.State().playback.position, 144);
  EXPECT_EQ(model.State().playback.scrollMax, 243);
}

DescriptorBytes RpmItem() { return testing::PlainItem(0, 8000).Unit(4); }

TEST_F(ScanModelTest, GraphTextsShowBoundsCursorValueAndExtremes) {
  std::vector<int> samples;
  for (int s = 0; s < 100; ++s) samples.push_back(1000 + 10 * s);
  samples[30] = 500;
  testing::LoadBytes(model, drive, testing::OneItem(samples, {}, RpmItem()).Str());
  GraphTexts t = model.TextsOfGraph(0);
  EXPECT_EQ(t.top, " 8000");
  EXPECT_EQ(t.bottom, "    0");
  EXPECT_EQ(t.value, " 1680 RPM");  // cursor at x = 340, sample 68
  EXPECT_EQ(t.maxLabel, "Max :  1990");
  EXPECT_EQ(t.minLabel, "Min :   500");

  model.LeftClick(53, 300);   // sample 10
  model.RightClick(253, 300);  // sample 50
  t = model.TextsOfGraph(0);
  EXPECT_EQ(t.value, " 1100 RPM");
  EXPECT_EQ(t.maxLabel, "Max :  1500");
  EXPECT_EQ(t.minLabel, "Min :   500");
  const std::vector<CurvePoint> marks = model.RangeMarks(0);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0].x, 150);
  EXPECT_EQ(marks[1].x, 250);
  EXPECT_EQ(marks[1].y, model.State().ordinates[0][50]);
  EXPECT_EQ(model.TextsOfGraph(1).name, "");
}

// A 4-byte recording: a signed 32-bit item on the first graph and a type-4 angle item.
ScanBytes SignedItems() {
  ScanBytes b;
  b.DescriptorCount(2)
      .Descriptor(0, DescriptorBytes().Type(10).Scale(0).Offset(1).Format(1))
      .Descriptor(1, DescriptorBytes().Type(4).Scale(1).StateTable(8).SignMode(0))
      .Items({0, 1})
      .SampleCount(4)
      .WidthCode(4)
      .Append32({27, -100000, 99999, -10})
      .Append32({0x0180, 0x0180, 0x0180, 0x0180})
      .Append16({700, 701, 702, 703, 0});
  return b;
}

TEST_F(ScanModelTest, RowsCompareSamplesAsTheConversionReadsThem) {
  testing::LoadBytes(model, drive, SignedItems().Str());
  const auto row = model.RowTexts(0);
  EXPECT_EQ(row[2], "  -10");
  EXPECT_EQ(row[4], "-100000");
  EXPECT_EQ(row[5], "99999");
  // The graph shows the same extremes.
  const GraphTexts t = model.TextsOfGraph(0);
  EXPECT_EQ(t.value, "  -10");  // the cursor stands on the last sample
  EXPECT_EQ(t.minLabel, "Min : -100000");
  EXPECT_EQ(t.maxLabel, "Max : 99999");
}

// The 16-bit reading asked for a graph's scale labels ends with them: the rows read the sample
// as the rows always do.
TEST_F(ScanModelTest, GraphScaleLabelsLeaveTheRowsReadingAlone) {
  testing::LoadBytes(model, drive, SignedItems().Str());
  model.TextsOfGraph(0);
  const auto row = model.RowTexts(1);
  EXPECT_EQ(row[2], vetra::Cp949("BTDC 128˚"));
  EXPECT_EQ(row[4], row[2]);
  EXPECT_EQ(row[5], row[2]);
}

TEST_F(ScanModelTest, MarksAndTicksFollowTheRecording) {
  ScanBytes b = testing::OneItem(std::vector<int>(400, 1), {50, 300});
  b.Times(1000, 1100).Marked(120);
  testing::LoadBytes(model, drive, b.Str());
  EXPECT_EQ(model.TimeTicks(), (std::vector<int>{0, 200, 400, 600}));
  EXPECT_EQ(model.MarkedSampleX(), 600);
  ASSERT_EQ(model.TriggerMarks().size(), 1u);
  EXPECT_EQ(model.TriggerMarks()[0].x, 250);
  EXPECT_FALSE(model.TriggerMarks()[0].lastJumped);
  model.Trigger();
  model.Trigger();
  EXPECT_EQ(model.State().playback.position, 222);
  EXPECT_FALSE(model.MarkedSampleX());
  ASSERT_EQ(model.TriggerMarks().size(), 1u);
  EXPECT_EQ(model.TriggerMarks()[0].number, 2);
  EXPECT_TRUE(model.TriggerMarks()[0].lastJumped);
}

TEST_F(ScanModelTest, PropertiesAndCommands) {
  EXPECT_EQ(model.RunEcuId(), "");
  for (int value : {0, 7, 2, -1, 200, 207}) {
    const ScanOutcome outcome = model.RunScantool(value);
    EXPECT_FALSE(outcome.repaint || outcome.graphsInvalidated || outcome.timer != TimerChange::none) << value;
  }
  LoadSample(3);
  EXPECT_EQ(model.RunEcuId(), "SIRIUS-II");
  EXPECT_EQ(model.DataFilePath(), "C:\\Vetra\\TempE\\test.SCN");
  EXPECT_EQ(model.RunScantool(206).timer, TimerChange::start);
  EXPECT_EQ(model.RunScantool(202).timer, TimerChange::stop);
  EXPECT_EQ(model.RunScantool(203).timer, TimerChange::none);
  EXPECT_EQ(model.State().playback.position, 443);

  // A second load stops the timer and starts over.
  model.RunScantool(205);
  const ScanOutcome reload = model.RunScantool(1);
  EXPECT_EQ(reload.timer, TimerChange::stop);
  EXPECT_EQ(model.State().playback.position, 0);
  EXPECT_EQ(model.State().playback.state, PlayState::stopped);

  EXPECT_EQ(PrintCommandLine({-4, 10, 1013, 718}), "C:\\Vetra\\Bin\\Tolvex.exe -4 10 1013 718");
}

TEST_F(ScanModelTest, LoadAndCursorClicksWriteTheDebuggerLines) {
  std::vector<std::string> lines;
  const vetra::TraceSink previous = vetra::SetTraceSink([&](std::string_view line) { lines.emplace_back(line); });
  testing::LoadBytes(model, drive, testing::OneItem({4, 5, 6}).SystemText("SM06").Text(kEcuTextAt, "ECU 1").Str());
  model.LeftClick(8, 300);
  vetra::SetTraceSink(previous);
  EXPECT_EQ(lines, (std::vector<std::string>{"EcuID: ECU 1, SM06 \n",
                                             "m_Record_Data[ m_DispPos[ i]][ pos] = 5, m_DispPos[ i] = 0, pos = 1\n"}));
}

TEST_F(ScanModelTest, WorkingCopyIsKeptOnlyWhenAskedAfterTheLoad) {
  LoadSample(3);
  const auto file = drive / "Vetra/TempE/test.SCN";
  model.SetReloadMode(1);
  EXPECT_FALSE(model.ReleaseWorkingCopy());
  EXPECT_TRUE(std::filesystem::exists(file));

  model.SetReloadMode(1);
  model.RunScantool(1);  // the load clears the reload mode
  EXPECT_EQ(model.StoredReloadMode(), 0);
  EXPECT_TRUE(model.ReleaseWorkingCopy());
  EXPECT_FALSE(std::filesystem::exists(file));
}

// The copy that goes is the one the load read, not whatever the property names later; a control
// that never loaded deletes the file the property names, unless asked to keep it.
TEST_F(ScanModelTest, TheWorkingCopyThatGoesIsTheOneTheLoadReadOrElseTheNamedOne) {
  LoadSample(3);
  drive.WriteFile("Vetra/TempE/other.SCN", "x");
  model.SetSaveDataFilePath("other.SCN");
  EXPECT_TRUE(model.ReleaseWorkingCopy());
  EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/TempE/test.SCN"));
  EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/TempE/other.SCN"));

  ScanModel kept;
  kept.SetSaveDataFilePath("other.SCN");
  kept.SetReloadMode(1);
  EXPECT_FALSE(kept.ReleaseWorkingCopy());
  EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/TempE/other.SCN"));

  ScanModel never;
  never.SetSaveDataFilePath("other.SCN");
  EXPECT_TRUE(never.ReleaseWorkingCopy());
  EXPECT_FALSE(std::filesystem::exists(drive / "Vetra/TempE/other.SCN"));
}

TEST_F(ScanModelTest, UnitPreferencesBackToMetricOnLoad) {
  auto& prefs = const_cast<UnitPreferences&>(model.State().text.Preferences());
  prefs.bytes.fill(1);
  LoadSample(3);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(model.State().text.Preferences().bytes[static_cast<std::size_t>(i)], i < 6 ? 1 : 0) << i;
}

}  // namespace
}  // namespace quarnel
