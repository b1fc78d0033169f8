// The leak tests rely on these counts seeing real handles, also under Wine.
#include "tests/support/win_helpers.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(ResourceCounts, SeeGdiAndUserObjectsComeAndGo) {
    const qztest::ResourceCounts before = qztest::CurrentResources();
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 10; ++i)
        brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    HMENU menu = CreateMenu();
    const qztest::ResourceCounts during = qztest::CurrentResources();
    for (HBRUSH b : brushes)
        DeleteObject(b);
    DestroyMenu(menu);
    const qztest::ResourceCounts after = qztest::CurrentResources();
    EXPECT_EQ(before.gdi + 10, during.gdi);
    EXPECT_EQ(before.user + 1, during.user);
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}

} // namespace
