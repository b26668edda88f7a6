#include "tools/skins/catalogue.h"

#include <gtest/gtest.h>

namespace vetra::skins {
namespace {

struct Box {
  int left, top, right, bottom;
};
Box BoxOf(const Entry& e) { return {e.x, e.y, e.x + e.width, e.y + e.height}; }
bool Overlap(const Box& a, const Box& b)
{
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
bool IsButton(const Entry& e) { return e.kind == Kind::Button || e.kind == Kind::ToggleButton; }

TEST(SkinCatalogue, EveryPictureLiesInsideItsScreen)
{
  for (const Entry& e : Catalogue()) {
    const ScreenSize size = SizeOf(e.screen);
    SCOPED_TRACE(std::string(e.folder) + "\\" + std::string(e.normal.empty() ? e.over : e.normal));
    EXPECT_GT(e.width, 0);
    EXPECT_GT(e.height, 0);
    EXPECT_GE(e.x, 0);
    EXPECT_GE(e.y, 0);
    EXPECT_LE(e.x + e.width, size.width);
    EXPECT_LE(e.y + e.height, size.height);
  }
}

// Buttons of one screen never cover each other; pictures that take turns at one place (graph or
// text, full or min-max range, ...) share their corner.
TEST(SkinCatalogue, ButtonsOfOneScreenDoNotOverlap)
{
  const auto entries = Catalogue();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    for (std::size_t j = i + 1; j < entries.size(); ++j) {
      const Entry& a = entries[i];
      const Entry& b = entries[j];
      if (a.screen != b.screen || !IsButton(a) || !IsButton(b)) continue;
      if (a.x == b.x && a.y == b.y) continue;
      EXPECT_FALSE(Overlap(BoxOf(a), BoxOf(b))) << a.normal << a.over << " and " << b.normal << b.over;
    }
  }
}

// Where the screens place pictures relative to each other, the sizes have to agree.
TEST(SkinCatalogue, PlacesTheScreensFixFitTheSizes)
{
  auto find = [](std::string_view folderEnd, std::string_view file) -> const Entry* {
    for (const Entry& e : Catalogue())
      if (e.folder.ends_with(folderEnd) && (e.normal == file || e.over == file)) return &e;
    return nullptr;
  };
  // The ignition menu row: each button starts where the one before ends, and the second one is
  // also the oscilloscope's units button at (99, 71).
  const Entry* config = find("ign", "menu_02.bmp");
  ASSERT_NE(config, nullptr);
  EXPECT_EQ(config->x, 99);
  const Entry* digital = find("ign", "menu_09.bmp");
  ASSERT_NE(digital, nullptr);
  EXPECT_LE(digital->x + digital->width, 809);
  const Entry* scopePrint = find("scope", "menu_01.bmp");
  ASSERT_NE(scopePrint, nullptr);
  EXPECT_LE(scopePrint->x + scopePrint->width, 99);
  // The chooser's close area lies inside its background.
  const Entry* chooser = find("SaveData", "interface.bmp");
  ASSERT_NE(chooser, nullptr);
  EXPECT_GE(chooser->width, 463);
  EXPECT_GE(chooser->height, 464);
}

TEST(SkinCatalogue, ExpandsEachFileOnceWithItsVariant)
{
  const auto pictures = AllPictures();
  int scopeOver = 0;
  for (const Picture& p : pictures) {
    if (p.windowsPath == "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o04.bmp") {
      ++scopeOver;
      EXPECT_EQ(p.variant, Variant::Over);
    }
    if (p.windowsPath == "C:\\Vetra\\Fenmark\\Img\\ign\\wave_buttond03.bmp") {
      EXPECT_EQ(p.variant, Variant::Selected);
    }
    if (p.windowsPath == "C:\\Vetra\\Fenmark\\Img\\Scope\\top_image.bmp") {
      EXPECT_EQ(p.variant, Variant::Single);
    }
  }
  EXPECT_EQ(scopeOver, 1);  // over and down name one file
}

}  // namespace
}  // namespace vetra::skins
