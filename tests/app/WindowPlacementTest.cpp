#include "app/IniFile.h"
#include "app/WindowPlacement.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vn574::app {
namespace {

TEST(WindowPlacementTest, SavedPlacementReadsBackAndDamagedValuesAreNotRestored) {
    test::TempDir dir;
    const std::string ini = dir.file("mysetup.ini");
    WindowPlacement placement;
    placement.normal = ScreenRect{-20, 35, 1024, 700};
    placement.maximized = true;
    placement.columnWidths = {{2, 150}, {16, 90}};
    ASSERT_TRUE(placement.save(ini));
    EXPECT_EQ(WindowPlacement::load(ini), placement);

    IniFile::writeString(ini, "window", "Width", "wide");
    IniFile::writeString(ini, "window", "Column2", "0");
    IniFile::writeString(ini, "window", "Maximized", "yes");
    const WindowPlacement damaged = WindowPlacement::load(ini);
    EXPECT_FALSE(damaged.normal);
    EXPECT_FALSE(damaged.maximized);
    EXPECT_EQ(damaged.columnWidths, (std::map<int, int>{{16, 90}}));
    EXPECT_EQ(WindowPlacement::load(dir.file("none.ini")), WindowPlacement{});
}

TEST(WindowPlacementTest, ReachableOnlyWhenTheTopEdgeLiesOnAScreen) {
    const std::vector<ScreenRect> screens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    EXPECT_TRUE(reachableOnScreens({100, 100, 800, 600}, screens));
    EXPECT_TRUE(reachableOnScreens({2000, 500, 800, 600}, screens));  // second monitor
    EXPECT_TRUE(reachableOnScreens({-700, 10, 800, 600}, screens));   // 100 px still showing
    EXPECT_FALSE(reachableOnScreens({-750, 10, 800, 600}, screens));  // too little to grab
    EXPECT_FALSE(reachableOnScreens({3300, 100, 800, 600}, screens)); // monitor unplugged
    EXPECT_FALSE(reachableOnScreens({100, 1070, 800, 600}, screens)); // title bar below
    EXPECT_FALSE(reachableOnScreens({100, 100, 800, 600}, {}));
}

} // namespace
} // namespace vn574::app
