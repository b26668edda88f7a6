// Where a modal dialog opens: a template that gives no place, on a dialog its initialisation
// leaves where it is, opens centred over its owner; a place the template or the initialisation
// gives is kept.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "platform/ui/dialog.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"

namespace {

using namespace win;
using vetra::ui::testing::MessageLog;
using vetra::ui::testing::Probe;

// Notes where it stands once it is up, then ends.
class PlacedDialog : public CDialog {
public:
  PlacedDialog(const DialogTemplate& t, CWnd* owner, std::optional<CPoint> moveTo, bool whileCreated)
      : CDialog(t, owner), m_moveTo(moveTo), m_whileCreated(whileCreated)
  {
  }
  int OnCreate(LPCREATESTRUCT cs) override
  {
    if (CDialog::OnCreate(cs) == -1) return -1;
    if (m_moveTo && m_whileCreated) SetWindowPos(nullptr, m_moveTo->x, m_moveTo->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return 0;
  }
  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    if (m_moveTo && !m_whileCreated) SetWindowPos(nullptr, m_moveTo->x, m_moveTo->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetTimer(1, 50);
    return TRUE;
  }
  void OnTimer(UINT_PTR) override
  {
    GetWindowRect(&placed);
    EndDialog(IDOK);
  }
  CRect placed;

private:
  std::optional<CPoint> m_moveTo;
  bool m_whileCreated;
};

TEST(DialogPlacement, ADialogWithoutAPlaceOpensCentredOverItsOwner)
{
  struct Case {
    const char* name;
    int x, y;                    // the template's place, dialog units
    DWORD extraStyle;
    std::optional<CPoint> moveTo;  // where its program moves it
    bool whileCreated;             // on creation, else in its initialisation
    CPoint expected;               // top-left on the screen
  };
  // The owner's window stands at (300, 200), 500 by 400; its client area 3 in and 22 down.
  const CRect ownerRect(300, 200, 800, 600);
  const Case cases[] = {
      {"no place", 0, 0, 0, std::nullopt, false, {0, 0}},
      {"no place, shown once it is made", 0, 0, WS_VISIBLE, std::nullopt, false, {0, 0}},
      {"centred by its style", 0, 0, DS_CENTER, std::nullopt, false, {0, 0}},
      {"a place of its own", 10, 20, 0, std::nullopt, false, {20, 40}},
      {"moved by its initialisation", 0, 0, 0, CPoint(5, 6), false, {5, 6}},
      {"moved while it is made", 0, 0, 0, CPoint(7, 8), true, {7, 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    vetra::ui::ResetForTests();
    MessageLog log;
    Probe owner("owner", log);
    ASSERT_TRUE(owner.CreateTop(ownerRect, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    DialogTemplate t;
    t.caption = "Placed";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | c.extraStyle;
    t.x = c.x;
    t.y = c.y;
    t.cx = 100;
    t.cy = 50;
    PlacedDialog dialog(t, &owner, c.moveTo, c.whileCreated);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    CPoint expected = c.expected;
    if (!c.moveTo && c.x == 0 && c.y == 0) {
      expected = CPoint(ownerRect.left + (ownerRect.Width() - dialog.placed.Width()) / 2,
                        ownerRect.top + (ownerRect.Height() - dialog.placed.Height()) / 2);
    } else if (!c.moveTo) {
      CPoint origin(0, 0);
      owner.ClientToScreen(&origin);
      expected.Offset(origin.x, origin.y);
    }
    EXPECT_EQ(std::make_pair(dialog.placed.left, dialog.placed.top), std::make_pair(expected.x, expected.y));
  }
  vetra::ui::ResetForTests();
}

}  // namespace
