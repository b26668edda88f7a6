// The graph view as it is drawn: names, scale labels, curves, cursors, trigger marks, and what
// the mouse does in it.
#include <algorithm>

#include "controls/scandata/tests/control/control_fixture.h"
#include "controls/scandata/windows/graph_painter.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"
#include "platform/ui/paint.h"

namespace quarnel::testing {
namespace {

using vetra::gdi::DrawCall;

class GraphTest : public ControlTest {
 protected:
  // Every drawing call of one full repaint of the control.
  std::vector<DrawCall> Repaint()
  {
    vetra::gdi::ScopedDrawLog log;
    control->InvalidateControl();
    vetra::ui::Pump();
    return log.Calls();
  }
  static std::vector<DrawCall> Calls(const std::vector<DrawCall>& calls, const std::string& op)
  {
    std::vector<DrawCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found), [&](const DrawCall& c) { return c.op == op; });
    return found;
  }
  // Value texts are padded to their field width; blanks do not count.
  static std::string Squeezed(std::string text)
  {
    std::erase(text, ' ');
    return text;
  }
  static bool HasText(const std::vector<DrawCall>& calls, int x, int y, const std::string& text)
  {
    return std::any_of(calls.begin(), calls.end(), [&](const DrawCall& c) {
      return c.op == "TextOut" && Squeezed(c.text) == Squeezed(text) && c.args.size() >= 2 && c.args[0] == x && c.args[1] == y;
    });
  }
  win::COLORREF Pixel(int x, int y)
  {
    win::CClientDC dc(control.get());
    return dc.GetPixel(x, y);
  }
};

TEST_F(GraphTest, TwoGraphsShowTheirNamesScalesValuesAndCurves)
{
  LoadSample(SampleOptions(2, 600));
  const ScanState& s = control->Model().State();
  ASSERT_EQ(s.layout.count, 2);
  ASSERT_EQ(s.layout.height, 279);
  const std::vector<DrawCall> calls = Repaint();
  for (int graph = 0; graph < 2; ++graph) {
    const int id = control->Model().GraphItemId(graph);
    SCOPED_TRACE(id);
    EXPECT_TRUE(HasText(calls, 350, 5, control->Model().ItemName(id)));
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const DrawCall& c) { return c.op == "TextOut" && c.text.starts_with("Max : "); }));
  }
  const std::vector<DrawCall> curves = Calls(calls, "Polyline");
  ASSERT_EQ(curves.size(), 2u);
  // 157 points, five pixels apart: the count, then x and y of each point.
  ASSERT_EQ(curves[0].args.size(), 1u + 2u * 157u);
  EXPECT_EQ(curves[0].args[0], 157);
  EXPECT_EQ(curves[0].args[1 + 2 * 156], 780);
  // The value panel beside the first graph and its slot's strip on the screen.
  EXPECT_EQ(Pixel(3 + 900, 114 + 100), GraphColours::kPanel);
  EXPECT_EQ(Pixel(3 + 784, 114 + 100), GraphColours::kFrame);
  EXPECT_EQ(Pixel(3 + 100, 114 + 2), win::RGB(255, 255, 255));
  // Cursor 1 starts at x 340 of the graph.
  EXPECT_EQ(Pixel(3 + 340, 114 + 2), GraphColours::kCursor1);
}

TEST_F(GraphTest, ARecordingShorterThanTheWindowDrawsAllItsSamples)
{
  LoadBytes(Ramp(100));
  const std::vector<DrawCall> curves = Calls(Repaint(), "Polyline");
  ASSERT_EQ(curves.size(), 1u);
  EXPECT_EQ(curves[0].args[0], 100);
}

TEST_F(GraphTest, CursorClicksSetTheValueAndTheEngineSpeedAtTheCursor)
{
  LoadBytes(Ramp(400));
  ClickAt(120, 80);  // text view: clicks in the graph area place nothing
  vetra::ui::ClickAlone(*control, {203, 300});
  ClickAt(120, 80);
  const struct {
    int x;
    int expectedSample;  // window at 0
  } cases[] = {{203, 40}, {204, 40}, {7, 1}, {780, 156}};
  for (const auto& c : cases) {
    traces.clear();
    vetra::ui::ClickAlone(*control, {c.x, 300});
    EXPECT_EQ(Get("RpmData").AsString(), std::to_string(700 + c.expectedSample)) << c.x;
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0], vetra::Format("m_Record_Data[ m_DispPos[ i]][ pos] = %i, m_DispPos[ i] = %i, pos = %i\n", c.expectedSample, 0, c.expectedSample));
    EXPECT_TRUE(HasText(Repaint(), kValuePanelX, 563 / 2 - 10, std::to_string(c.expectedSample)));
  }
  // Cursor 2: the range between the cursors gives the extremes and their X marks.
  vetra::ui::ClickAlone(*control, {103, 300});
  vetra::ui::ClickAlone(*control, {503, 300}, 1);
  EXPECT_TRUE(control->Model().State().cursors.active2);
  const std::vector<DrawCall> calls = Repaint();
  EXPECT_TRUE(HasText(calls, 790, 2, "Max : 100"));
  EXPECT_TRUE(HasText(calls, 790, 563 - 16, "Min : 20"));
  vetra::ui::ClickAlone(*control, {503, 300}, 1);
  EXPECT_FALSE(control->Model().State().cursors.active2);
}

TEST_F(GraphTest, TriggerMarksAreDrawnAndTheTriggerButtonJumpsToThem)
{
  LoadBytes(Ramp(400, {50, 300}));
  const std::vector<DrawCall> calls = Repaint();
  EXPECT_TRUE(HasText(calls, 250 + 5, 563 - 20, "1"));  // the first mark at sample 50
  EXPECT_FALSE(std::any_of(calls.begin(), calls.end(), [](const DrawCall& c) { return c.op == "TextOut" && c.text == "2"; }));

  const int expected[] = {0, 222, 0};
  for (const int position : expected) {
    ClickAt(200, 80);
    EXPECT_EQ(Position(), position);
    EXPECT_EQ(control->PositionBar()->GetScrollPos(), position);
  }
  // The second press's mark is drawn in the jump colour.
  ClickAt(200, 80);
  EXPECT_TRUE(HasText(Repaint(), 5 * (300 - 222) + 5, 563 - 20, "2"));
}

}  // namespace
}  // namespace quarnel::testing

namespace quarnel::testing {
namespace {

// Recordings the writer would never make still show, play and repaint without harm.
TEST_F(GraphTest, DamagedRecordingsShowPlayAndRepaintWithoutHarm)
{
  const struct {
    const char* what;
    ScanBytes bytes;
  } cases[] = {
      {"no samples", OneItem({})},
      {"one sample", OneItem({7})},
      {"samples cut short", ScanBytes().DescriptorCount(1).Descriptor(0, PlainItem()).Items({0}).SampleCount(3000).Append16({1, 2, 3})},
      {"ids out of range, repeated", ScanBytes().DescriptorCount(3).Items({250, 0, 0, 99}).SampleCount(20)},
      {"triggers beyond the samples", Ramp(200, {5000, -3, 199})},
      {"negative sample count", ScanBytes().Items({0, 1}).SampleCount(-5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadBytes(c.bytes);
    Repaint();
    for (const int command : {206, 203, 201, 202, 205}) SetShort("RunScantool", command);
    vetra::ui::AdvanceClock(50);
    vetra::ui::Click(*control, {700, 300});
    vetra::ui::Click(*control, {100, 300}, 1);
    ClickAt(200, 80);  // trigger
    Repaint();
    ClickAt(120, 80);  // graph/text
    ClickAt(120, 80);
    Repaint();
    SetShort("RunScantool", 202);
  }
}

}  // namespace
}  // namespace quarnel::testing
