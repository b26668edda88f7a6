#include "controls/oscilloscope/tests/control/control_fixture.h"
#include "platform/gdi/draw_log.h"

namespace tessial::testing {
namespace {

constexpr win::UINT kToggleOverlay = 1483;

OscChannel FlatAt(int type, int level, int polarity)
{
  OscChannel channel = Channel(type);
  channel.level = level;
  channel.polarity = polarity;
  return channel;
}

TEST_F(ControlTest, OverlayDrawsEveryChannelCentredInItsColourOverTheGraphs)
{
  // A unipolar channel a quarter of full scale up: centred in the overlay, unlike its graph.
  Load(Options({FlatAt(1, 3072, 1), FlatAt(2, 2048, 0)}));
  vetra::gdi::ScopedDrawLog log;
  control->SendMessage(win::WM_COMMAND, kToggleOverlay, 0);
  vetra::ui::Pump();
  CScopeAuxWnd& overlay = *control->Overlay();
  ASSERT_TRUE(overlay.IsWindowVisible());
  EXPECT_FALSE(control->ZoomButton(0)->IsWindowVisible());
  const int h = control->Layout().graphHeight;

  const struct {
    int x, y;
    win::COLORREF colour;
    const char* what;
  } pixels[] = {
      {20, 30, win::RGB(20, 30, 100), "background"},
      {250, 30, win::RGB(180, 180, 180), "cursor A"},
      {300, h / 4, win::RGB(255, 255, 80), "first channel, a quarter from the top"},
      {300, h / 2, win::RGB(114, 237, 0), "second channel on the middle line"},
      {53, 30, win::RGB(43, 58, 124), "vertical grid line"},
  };
  for (const auto& p : pixels) EXPECT_EQ(PixelOf(overlay, p.x, p.y), p.colour) << p.what;

  std::vector<std::string> labels;
  for (const auto& call : log.Calls()) {
    if (call.dc == "overlay" && call.op == "TextOut") labels.push_back(call.text);
  }
  ASSERT_GE(labels.size(), 11u);
  EXPECT_EQ(labels.front(), "-80%");
  EXPECT_EQ(labels[8], "80%");
  EXPECT_EQ(labels[9], "A");

  // Clicks in the overlay place the cursors.
  vetra::ui::Click(overlay, {376, 40});
  vetra::ui::Click(overlay, {100, 40}, 1);
  EXPECT_EQ(control->Model().State().playback.cursorA, 350);
  EXPECT_EQ(control->Model().State().playback.cursorB, 93);

  control->SendMessage(win::WM_COMMAND, kToggleOverlay, 0);
  vetra::ui::Pump();
  EXPECT_FALSE(overlay.IsWindowVisible());
  EXPECT_TRUE(control->ZoomButton(0)->IsWindowVisible());
}

}  // namespace
}  // namespace tessial::testing
