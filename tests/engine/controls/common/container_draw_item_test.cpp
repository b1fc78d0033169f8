#include <gtest/gtest.h>
#include <windows.h>

#include "tests/engine/controls/common/container_fixture.h"

namespace {

using namespace qztest;
using qz::WindowSkin;

// The push button inside a group box is owner-drawn: its WM_DRAWITEM reaches the group box,
// whose procedure has the button painter draw it into the presentation DC at its place.
TEST_F(ContainerTest, PushButtonInsideAGroupBoxIsPaintedThroughTheContainer) {
    LoggedWindow window;
    WindowSkin& skin = Skin(window, false);
    constexpr int kX = 20, kY = 20;
    HWND group = AddChild(window.Handle(), "Button", "Group", BS_GROUPBOX, kX, kY, 200, 120);
    HWND button = AddChild(group, "Button", "Press", BS_PUSHBUTTON, 40, 40, 100, 30);
    qz::SkinContainer(group);
    ASSERT_EQ(BS_OWNERDRAW, GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK);
    const int cx = kX + 40 + 50, cy = kY + 40 + 3;
    ASSERT_EQ(PatternAt(cx, cy), PixelAt(skin.presentation_dc, cx, cy));

    SendMessageA(button, WM_PAINT, 0, 0);

    // The key's translucent white base lies over the skin.
    const COLORREF shown = PixelAt(skin.presentation_dc, cx, cy);
    const COLORREF under = PatternAt(cx, cy);
    EXPECT_GT(GetRValue(shown) + GetGValue(shown) + GetBValue(shown),
              GetRValue(under) + GetGValue(under) + GetBValue(under) + 100);
}

} // namespace
