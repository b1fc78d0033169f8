#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "engine/core/skin_window.h"
#include "engine/core/title_buttons.h"
#include "tests/engine/core/skinned_test_window.h"

namespace {

using qz::WindowSkin;
using qztest::LoggedWindow;
using qztest::RecordOf;
using qztest::Send;

constexpr DWORD kMinMax = WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

class TitleButtonTest : public testing::Test {
  protected:
    void SetUp() override {
        qztest::StartEngineForTests();
        qztest::ParkCursor();
        qz::Engine.first_size = 0; // as after the first window of the program was sized
    }
};

// The centre of a title button, where a pointer hits it.
POINT Centre(const WindowSkin& skin, int button) {
    const qz::RectF& r = skin.title_buttons.At(button)->rect;
    return {static_cast<LONG>(r.X + r.Width / 2), static_cast<LONG>(r.Y + r.Height / 2)};
}

void MoveTo(HWND h, POINT p) {
    Send(h, WM_MOUSEMOVE, p.x, p.y);
}
void Click(HWND h, POINT p) {
    MoveTo(h, p);
    Send(h, WM_LBUTTONDOWN, p.x, p.y);
    Send(h, WM_LBUTTONUP, p.x, p.y);
}
void Tick(HWND h) {
    SendMessageA(h, WM_TIMER, qz::TitleFadeTimerId(h), 0);
}

// The pixels of a title button's image area in the window's background DC.
std::vector<COLORREF> ButtonPixels(const WindowSkin& skin, int button) {
    const qz::RectF& r = skin.title_buttons.At(button)->rect;
    std::vector<COLORREF> pixels;
    for (int y = static_cast<int>(r.Y); y < static_cast<int>(r.Y + r.Height); ++y)
        for (int x = static_cast<int>(r.X); x < static_cast<int>(r.X) + 24; ++x)
            pixels.push_back(GetPixel(skin.background_dc, x, y));
    return pixels;
}

// How far a button's look is from its idle look, summed over its pixels.
long Distance(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    long sum = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        sum += std::abs(GetRValue(a[i]) - GetRValue(b[i])) +
               std::abs(GetGValue(a[i]) - GetGValue(b[i])) +
               std::abs(GetBValue(a[i]) - GetBValue(b[i]));
    return sum;
}

std::string ToolText(const WindowSkin& skin, int id, RECT* rect = nullptr) {
    char text[80] = {};
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = skin.window;
    info.uId = id;
    info.lpszText = text;
    SendMessageA(skin.tooltip.GetHandle(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info));
    if (rect) *rect = info.rect;
    return text;
}

bool TimerRunning(HWND h) {
    // Killing a timer that does not exist fails; one that did is started again.
    if (!KillTimer(h, qz::TitleFadeTimerId(h))) return false;
    SetTimer(h, qz::TitleFadeTimerId(h), qz::kTitleFadeMs, nullptr);
    return true;
}

TEST_F(TitleButtonTest, ButtonsSitAtTheRightEndWithTooltipsOverThem) {
    LoggedWindow window(300, 200, kMinMax);
    qz::SkinWindowEx(window.Handle(), {}, 1);
    WindowSkin& skin = *RecordOf(window.Handle());

    EXPECT_EQ(300 - 95 + 1, skin.button_strip.x);
    EXPECT_EQ(22, skin.button_strip.height);
    const float xs[] = {208, 235, 262}, widths[] = {26, 26, 40};
    const char* captions[] = {"最小化", "最大化", "关闭"};
    for (int i = 1; i <= 3; ++i) {
        const qz::RectF& r = skin.title_buttons.At(i)->rect;
        EXPECT_FLOAT_EQ(xs[i - 1], r.X) << i;
        EXPECT_FLOAT_EQ(1, r.Y) << i;
        EXPECT_FLOAT_EQ(widths[i - 1], r.Width) << i;
        EXPECT_FLOAT_EQ(18, r.Height) << i;
        RECT tool{};
        EXPECT_EQ(captions[i - 1], ToolText(skin, i, &tool)) << i;
        EXPECT_EQ(static_cast<LONG>(xs[i - 1]), tool.left) << i;
        EXPECT_EQ(static_cast<LONG>(xs[i - 1] + widths[i - 1]), tool.right) << i;
        EXPECT_EQ(19, tool.bottom) << i;
    }
    EXPECT_EQ(26, skin.title_buttons.At(1)->width);
    EXPECT_EQ(38, skin.title_buttons.At(3)->width);
}

TEST_F(TitleButtonTest, HitsAreStrictlyInsideAButtonAndInsideTheStripRows) {
    LoggedWindow window(300, 200, kMinMax);
    qz::SkinWindowEx(window.Handle());
    WindowSkin& skin = *RecordOf(window.Handle());

    EXPECT_EQ(1, qz::HitTitleButton(skin, 209, 2));
    EXPECT_EQ(0, qz::HitTitleButton(skin, 208, 10)); // on the left edge
    EXPECT_EQ(0, qz::HitTitleButton(skin, 209, 1));  // on the top edge
    EXPECT_EQ(0, qz::HitTitleButton(skin, 234, 10)); // at the right edge of the first
    EXPECT_EQ(2, qz::HitTitleButton(skin, 236, 18));
    EXPECT_EQ(3, qz::HitTitleButton(skin, 301, 10)); // the close button reaches past the edge
    EXPECT_EQ(0, qz::HitTitleButton(skin, 150, 10));
    EXPECT_EQ(2, qz::FindMaximiseButton(skin));
    EXPECT_TRUE(qz::InButtonStrip(skin, 204, 0));
    EXPECT_FALSE(qz::InButtonStrip(skin, 203, 10));
    EXPECT_FALSE(qz::InButtonStrip(skin, 250, 23));
}

// Fades are checked in the window's background DC over the whole button, so that slight
// differences of anti-aliasing between GDI+ builds do not matter: each step must move the
// button's look further from (or back towards) its idle look.
TEST_F(TitleButtonTest, HoverFadesInOverEightTicksAndOutAgainAfterThePointerLeaves) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    qztest::ShowAndSettle(h);
    WindowSkin& skin = *RecordOf(h);
    std::vector<COLORREF> idle = ButtonPixels(skin, 1);

    MoveTo(h, Centre(skin, 1));
    SendMessageA(h, WM_MOUSEHOVER, 0, 0);
    EXPECT_EQ(1, qz::Engine.hot_title_button);
    EXPECT_EQ(1, skin.hot_title_button);
    EXPECT_EQ(1, skin.fade_timer);
    long previous = 0;
    for (int step = 1; step <= 8; ++step) {
        Tick(h);
        EXPECT_EQ(1, skin.fade_in.button);
        EXPECT_EQ(step, skin.fade_in.step) << "level " << step * 30;
        long now = Distance(ButtonPixels(skin, 1), idle);
        EXPECT_GT(now, previous) << "level " << step * 30;
        previous = now;
    }
    Tick(h);
    EXPECT_EQ(8, skin.fade_in.step);
    EXPECT_TRUE(TimerRunning(h)) << "kept while the pointer hovers over the strip";

    MoveTo(h, {100, 100});
    EXPECT_EQ(0, skin.hot_title_button);
    EXPECT_EQ(0, skin.fade_timer);
    EXPECT_EQ(1, skin.fade_out.button);
    for (int step = 1; step <= 7; ++step) {
        Tick(h);
        EXPECT_EQ(step, skin.fade_out.step) << "level " << 240 - step * 30;
        long now = Distance(ButtonPixels(skin, 1), idle);
        EXPECT_LT(now, previous) << "level " << 240 - step * 30;
        previous = now;
    }
    Tick(h); // level 0: the fade is over, the timer stops and the fades are cleared
    EXPECT_EQ(0, Distance(ButtonPixels(skin, 1), idle));
    EXPECT_EQ(0, skin.fade_out.button);
    EXPECT_EQ(0, skin.fade_in.button);
    EXPECT_FALSE(TimerRunning(h));
}

TEST_F(TitleButtonTest, LeavingTheWindowFadesTheHotButtonOut) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    qztest::ShowAndSettle(h);
    WindowSkin& skin = *RecordOf(h);

    MoveTo(h, Centre(skin, 3));
    SendMessageA(h, WM_MOUSEHOVER, 0, 0);
    Tick(h);
    Tick(h);
    SendMessageA(h, WM_MOUSELEAVE, 0, 0);

    EXPECT_EQ(0, skin.hover_tracking);
    EXPECT_EQ(0, skin.hot_title_button);
    EXPECT_EQ(0, skin.fade_in.button) << "an unfinished fade-in stops";
    EXPECT_EQ(3, skin.fade_out.button);
    for (int i = 0; i < 8; ++i)
        Tick(h);
    EXPECT_EQ(0, skin.fade_out.button);
    EXPECT_FALSE(TimerRunning(h));
}

TEST_F(TitleButtonTest, FadeInterruptedByAnotherButtonFinishesAtLevelZero) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    qztest::ShowAndSettle(h);
    WindowSkin& skin = *RecordOf(h);
    std::vector<COLORREF> idle = ButtonPixels(skin, 1);

    MoveTo(h, Centre(skin, 1));
    SendMessageA(h, WM_MOUSEHOVER, 0, 0);
    for (int i = 0; i < 3; ++i)
        Tick(h);
    MoveTo(h, Centre(skin, 2));
    EXPECT_EQ(1, skin.fade_out.button);
    EXPECT_EQ(2, skin.fade_in.button);
    Tick(h);
    Tick(h);
    EXPECT_GT(Distance(ButtonPixels(skin, 1), idle), 0) << "button 1 is half way out";

    MoveTo(h, Centre(skin, 3));

    EXPECT_EQ(0, Distance(ButtonPixels(skin, 1), idle));
    EXPECT_EQ(2, skin.fade_out.button);
    EXPECT_EQ(0, skin.fade_out.step);
    EXPECT_EQ(3, skin.fade_in.button);
    EXPECT_EQ(0, skin.fade_in.step);
}

struct ClickCase {
    const char* name;
    int button;     // with help and menu buttons: 1 help, 2 menu, 3 minimise, 4 maximise, 5 close
    WPARAM command; // 0: nothing is asked of the system
};
void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class TitleButtonClickTest : public TitleButtonTest,
                             public testing::WithParamInterface<ClickCase> {};

TEST_P(TitleButtonClickTest, ClickAsksTheSystemForTheButtonsCommand) {
    const ClickCase& c = GetParam();
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h, {}, {}, {}, 1, 1);
    WindowSkin& skin = *RecordOf(h);

    Click(h, Centre(skin, c.button));
    qztest::PumpPending();

    for (WPARAM command : {SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
        EXPECT_EQ(command == c.command ? 1 : 0, window.CountCommand(command)) << command;
    EXPECT_EQ(0, window.Count(WM_NCLBUTTONDOWN)) << "a press on a button never moves";
    EXPECT_EQ(c.command == SC_MINIMIZE ? 1 : 0, skin.minimized);
}

INSTANTIATE_TEST_SUITE_P(TitleButtons, TitleButtonClickTest,
                         testing::Values(ClickCase{"Help", 1, 0}, ClickCase{"Menu", 2, 0},
                                         ClickCase{"Minimise", 3, SC_MINIMIZE},
                                         ClickCase{"Maximise", 4, SC_MAXIMIZE},
                                         ClickCase{"Close", 5, SC_CLOSE}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TitleButtonTest, PressingMovingOffAndReleasingDoesNothing) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    WindowSkin& skin = *RecordOf(h);
    POINT close = Centre(skin, 3);

    MoveTo(h, close);
    Send(h, WM_LBUTTONDOWN, close.x, close.y);
    EXPECT_EQ(3, qz::Engine.hot_title_button);
    MoveTo(h, {100, 100});
    Send(h, WM_LBUTTONUP, 100, 100);
    qztest::PumpPending();

    EXPECT_EQ(0, window.CountCommand(SC_CLOSE));
    EXPECT_EQ(0, qz::Engine.hot_title_button);
}

TEST_F(TitleButtonTest, WindowWithoutTitleBarNeitherPressesNorRunsItsButtons) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h, {}, 0);
    WindowSkin& skin = *RecordOf(h);
    ASSERT_EQ(2, skin.title_buttons.Count());

    Click(h, Centre(skin, 2));
    qztest::PumpPending();

    EXPECT_EQ(0, qz::Engine.hot_title_button);
    EXPECT_EQ(0, skin.maximized);
    EXPECT_EQ(0, window.CountCommand(SC_MAXIMIZE));
    EXPECT_EQ(0, skin.fade_timer);
}

bool Settled(HWND h, bool zoomed) {
    WindowSkin* skin = RecordOf(h);
    return IsZoomed(h) == zoomed && skin && !skin->repaint_all;
}

TEST_F(TitleButtonTest, MaximiseButtonTogglesItsCaptionAndPicture) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h, {}, 1);
    qztest::ShowAndSettle(h);
    WindowSkin& skin = *RecordOf(h);
    std::vector<COLORREF> maximise_picture = ButtonPixels(skin, 2);

    Click(h, Centre(skin, 2));
    EXPECT_EQ(1, skin.maximized);
    EXPECT_EQ("还原", skin.title_buttons.At(2)->tooltip_text);
    ASSERT_TRUE(qztest::PumpUntil([&] { return Settled(h, true); }));
    EXPECT_EQ("还原", ToolText(skin, 2));
    EXPECT_GT(Distance(ButtonPixels(skin, 2), maximise_picture), 0) << "the restore picture";

    MoveTo(h, {100, 100});
    Click(h, Centre(skin, 2));
    EXPECT_EQ(0, skin.maximized);
    EXPECT_EQ("最大化", skin.title_buttons.At(2)->tooltip_text);
    ASSERT_TRUE(qztest::PumpUntil([&] { return Settled(h, false); }));
    EXPECT_EQ("最大化", ToolText(skin, 2));
    EXPECT_EQ(1, window.CountCommand(SC_RESTORE));
    MoveTo(h, {100, 100});
    for (int i = 0; i < 8; ++i)
        Tick(h);
    EXPECT_EQ(0, Distance(ButtonPixels(skin, 2), maximise_picture));
}

struct DoubleClickCase {
    const char* name;
    int resizable;
    POINT point;
    int maximises;
};
void PrintTo(const DoubleClickCase& c, std::ostream* os) {
    *os << c.name;
}

class TitleDoubleClickTest : public TitleButtonTest,
                             public testing::WithParamInterface<DoubleClickCase> {};

TEST_P(TitleDoubleClickTest, DoubleClickInTheTitleBarMaximisesOnlyResizableWindows) {
    const DoubleClickCase& c = GetParam();
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h, {}, {}, c.resizable);
    WindowSkin& skin = *RecordOf(h);

    Send(h, WM_LBUTTONDBLCLK, c.point.x, c.point.y);
    qztest::PumpPending();

    EXPECT_EQ(c.maximises, skin.maximized);
    EXPECT_EQ(c.maximises, window.CountCommand(SC_MAXIMIZE));
    EXPECT_EQ(c.maximises ? "还原" : "最大化", skin.title_buttons.At(2)->tooltip_text);
}

INSTANTIATE_TEST_SUITE_P(
    TitleButtons, TitleDoubleClickTest,
    testing::Values(DoubleClickCase{"NotResizable", 0, {50, 10}, 0},
                    DoubleClickCase{"Resizable", 1, {50, 10}, 1},
                    DoubleClickCase{"ResizableAtTheTitleBarsLastRow", 1, {50, 25}, 1},
                    DoubleClickCase{"ResizableBelowTheTitleBar", 1, {50, 26}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TitleButtonTest, AThousandFadeTicksLeaveHandlesAndMemoryWhereTheyWere) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h, {}, 1);
    qztest::ShowAndSettle(h);
    WindowSkin& skin = *RecordOf(h);
    int ticks = 0;
    auto cycle = [&](int button) {
        MoveTo(h, Centre(skin, button));
        SendMessageA(h, WM_MOUSEHOVER, 0, 0);
        for (int i = 0; i < 9; ++i, ++ticks)
            Tick(h);
        MoveTo(h, {100, 100});
        for (int i = 0; i < 9; ++i, ++ticks)
            Tick(h);
    };
    cycle(1);
    qztest::ResourceCounts before = qztest::CurrentResources();

    for (int b = 0; ticks < 1000; b = (b + 1) % 3)
        cycle(b + 1);

    qztest::ResourceCounts after = qztest::CurrentResources();
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
    EXPECT_LT(static_cast<long long>(after.private_bytes) -
                  static_cast<long long>(before.private_bytes),
              256 * 1024);
}

} // namespace
