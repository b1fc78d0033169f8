#include "tests/engine/controls/buttons/button_fixture.h"

namespace qztest {
namespace {

struct ControlCase {
    const char* name;
    DWORD style;
};
void PrintTo(const ControlCase& c, std::ostream* os) {
    *os << c.name;
}

class ButtonResourceTest : public ButtonTest, public testing::WithParamInterface<ControlCase> {};

void HoverLeavePress(HWND control) {
    SendAt(control, WM_MOUSEMOVE);
    SendMessageA(control, WM_MOUSELEAVE, 0, 0);
    SendAt(control, WM_LBUTTONDOWN);
    SendAt(control, WM_LBUTTONUP);
}

TEST_P(ButtonResourceTest, ThousandHoverLeavePressCyclesLeaveNoHandlesOrDcsBehind) {
    HWND control = Add(GetParam().name, GetParam().style, 10, 10);
    Skin();
    // The check box's press animation sleeps 165 ms; the cycles run its press without it, and
    // a few animated presses run on top.
    bool box = GetParam().style == BS_AUTOCHECKBOX;
    if (box) RemovePropA(control, qz::props::Xzk_dhxg);
    HoverLeavePress(control);
    int registry = qz::MemoryDcRegistry.Count();
    ResourceCounts before = CurrentResources();

    for (int cycle = 0; cycle < 1000; ++cycle)
        HoverLeavePress(control);
    if (box) SetPropA(control, qz::props::Xzk_dhxg, reinterpret_cast<HANDLE>(1));
    for (int press = 0; press < 3; ++press)
        HoverLeavePress(control);

    ResourceCounts after = CurrentResources();
    EXPECT_EQ(qz::FadeList.Count(), 0);
    EXPECT_EQ(qz::MemoryDcRegistry.Count(), registry);
    EXPECT_LE(after.gdi, before.gdi + 2);
    EXPECT_LE(after.user, before.user + 2);
}

INSTANTIATE_TEST_SUITE_P(PushCheckRadio, ButtonResourceTest,
                         testing::Values(ControlCase{"PushButton", BS_PUSHBUTTON},
                                         ControlCase{"CheckBox", BS_AUTOCHECKBOX},
                                         ControlCase{"RadioButton", BS_AUTORADIOBUTTON}),
                         [](const testing::TestParamInfo<ControlCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace qztest
