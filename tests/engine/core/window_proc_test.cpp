#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/core/properties.h"
#include "engine/core/skin_window.h"
#include "engine/core/title_buttons.h"
#include "engine/core/window_proc.h"
#include "engine/draw/compositing.h"
#include "tests/engine/core/skinned_test_window.h"

namespace {

using qz::WindowSkin;
using qztest::LoggedWindow;
using qztest::RecordOf;
using qztest::Send;

constexpr DWORD kMinMax = WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr COLORREF kMarker = RGB(1, 2, 3);

class WindowProcTest : public testing::Test {
  protected:
    void SetUp() override {
        qztest::StartEngineForTests();
        qztest::ParkCursor();
        qz::Engine.first_size = 0; // as after the first window of the program was sized
    }
};

HCURSOR Cursor(LPCSTR id) {
    return LoadCursorA(nullptr, id);
}

enum class Press { Nothing, Move, Size };

struct ZoneCase {
    int x, y;
    LPCSTR cursor; // nullptr: the cursor is left alone
    Press press;
    int zone; // WMSZ_ value of a size
};
void PrintTo(const ZoneCase& c, std::ostream* os) {
    *os << "(" << c.x << ", " << c.y << ")";
}

// A resizable 300 x 200 window with a title bar and three title buttons (strip from x 206).
const ZoneCase kZoneCases[] = {
    {1, 100, IDC_SIZEWE, Press::Size, WMSZ_LEFT},
    {3, 100, IDC_SIZEWE, Press::Size, WMSZ_LEFT},
    {4, 100, nullptr, Press::Move, 0},
    {297, 100, IDC_SIZEWE, Press::Size, WMSZ_RIGHT},
    {100, 0, IDC_SIZENS, Press::Size, WMSZ_TOP},
    {11, 2, IDC_SIZENS, Press::Size, WMSZ_TOP},
    {100, 197, IDC_SIZENS, Press::Size, WMSZ_BOTTOM},
    {100, 196, nullptr, Press::Move, 0},
    {10, 2, IDC_SIZENWSE, Press::Size, WMSZ_TOPLEFT},
    {5, 5, IDC_SIZENWSE, Press::Size, WMSZ_TOPLEFT},
    {295, 2, IDC_SIZENESW, Press::Size, WMSZ_TOPRIGHT},
    {2, 195, IDC_SIZENESW, Press::Size, WMSZ_BOTTOMLEFT},
    {290, 190, IDC_SIZENWSE, Press::Size, WMSZ_BOTTOMRIGHT},
    {295, 8, IDC_SIZENESW, Press::Nothing, 0}, // in the button strip: the buttons take it
    {150, 100, nullptr, Press::Move, 0},
    {150, 10, nullptr, Press::Move, 0},
};

class SizingZoneTest : public WindowProcTest, public testing::WithParamInterface<ZoneCase> {};

TEST_P(SizingZoneTest, PointerShowsTheZonesCursorAndAPressSizesOrMoves) {
    const ZoneCase& c = GetParam();
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    WindowSkin& skin = *RecordOf(h);
    skin.repaint_all = 0;

    SetCursor(Cursor(IDC_ARROW));
    Send(h, WM_MOUSEMOVE, c.x, c.y);
    EXPECT_EQ(Cursor(c.cursor ? c.cursor : IDC_ARROW), GetCursor());

    window.ClearLog();
    Send(h, WM_LBUTTONDOWN, c.x, c.y);
    EXPECT_EQ(c.press == Press::Size ? 1 : 0, window.CountExact(WM_SYSCOMMAND, SC_SIZE + c.zone));
    EXPECT_EQ(0, window.CountCommand(SC_SIZE) - (c.press == Press::Size ? 1 : 0));
    EXPECT_EQ(c.press == Press::Move ? 1 : 0, window.CountExact(WM_NCLBUTTONDOWN, HTCAPTION));
    EXPECT_EQ(c.press == Press::Size ? 1 : 0, skin.repaint_all);
}

INSTANTIATE_TEST_SUITE_P(WindowProc, SizingZoneTest, testing::ValuesIn(kZoneCases),
                         [](const auto& info) {
                             return "At" + std::to_string(info.param.x) + "x" +
                                    std::to_string(info.param.y);
                         });

TEST_F(WindowProcTest, WindowThatCannotBeResizedShowsNoSizingCursorAndMovesFromItsEdges) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindow(h, 20, 0, 0, 0, 1, {}, {}, {}, 0xFFFFFF, {}, 1);

    SetCursor(Cursor(IDC_ARROW));
    Send(h, WM_MOUSEMOVE, 1, 100);
    EXPECT_EQ(Cursor(IDC_ARROW), GetCursor());
    Send(h, WM_LBUTTONDOWN, 1, 100);
    EXPECT_EQ(0, window.CountCommand(SC_SIZE));
    EXPECT_EQ(1, window.CountExact(WM_NCLBUTTONDOWN, HTCAPTION));
}

struct MoveCase {
    const char* name;
    int drag;
    POINT point;
    int moves;
};
void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << c.name;
}

// Children: a visible static control at (50, 50, 60, 30), a hidden one at (150, 120, 40, 40);
// a status strip of height 20 along the bottom.
const MoveCase kMoveCases[] = {
    {"BareClientArea", 1, {120, 100}, 1},       {"BelowTheTitleBarNearTheBottom", 1, {250, 160}, 1},
    {"OnAChildControl", 1, {60, 60}, 0},        {"OnAHiddenChildControl", 1, {160, 130}, 1},
    {"InTheButtonStrip", 1, {250, 10}, 0},      {"OnTheStatusStrip", 1, {100, 190}, 0},
    {"WithoutTheDragOption", 0, {120, 100}, 0},
};

class MoveTest : public WindowProcTest, public testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, PressOnTheBareClientAreaStartsTheSystemMove) {
    const MoveCase& c = GetParam();
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    window.AddChild("STATIC", WS_VISIBLE, 50, 50, 60, 30);
    window.AddChild("STATIC", 0, 150, 120, 40, 40);
    qz::SkinWindowEx(h, {}, {}, 0, {}, {}, {}, {}, 20, {}, {}, {}, {}, {}, {}, {}, {}, c.drag);
    window.ClearLog();

    Send(h, WM_LBUTTONDOWN, c.point.x, c.point.y);

    EXPECT_EQ(c.moves, window.CountExact(WM_NCLBUTTONDOWN, HTCAPTION));
    EXPECT_EQ(0, window.CountCommand(SC_SIZE));
}

INSTANTIATE_TEST_SUITE_P(WindowProc, MoveTest, testing::ValuesIn(kMoveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowProcTest, FirstSizeOfAnyWindowDoesNotAskForAWholeRepaint) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    WindowSkin& skin = *RecordOf(h);
    qz::Engine.first_size = 1;

    SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(0, skin.repaint_all);
    EXPECT_EQ(0, qz::Engine.first_size);
    SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(1, skin.repaint_all);
}

TEST_F(WindowProcTest, WhilePaintWithoutWholeRepaintOnlyCopiesTheSkinBack) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    qztest::ShowAndSettle(h);
    WindowSkin& skin = *RecordOf(h);
    ASSERT_NE(nullptr, skin.background_dc);
    ASSERT_EQ(0, skin.repaint_all);
    SetPixel(skin.background_dc, 150, 100, kMarker);

    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);

    EXPECT_EQ(kMarker, GetPixel(skin.background_dc, 150, 100)) << "the skin was not redrawn";
    skin.repaint_all = 1;
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
    EXPECT_EQ(0, skin.repaint_all);
    EXPECT_NE(kMarker, GetPixel(skin.background_dc, 150, 100)) << "the skin was redrawn";
}

TEST_F(WindowProcTest, PaintWhileMinimisedGoesToTheDefaultProcedureAndDrawsNoSkin) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    qztest::ShowAndSettle(h);
    WindowSkin& skin = *RecordOf(h);
    ASSERT_NE(nullptr, skin.background_dc);
    SendMessageA(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_EQ(1, skin.minimized);
    ASSERT_EQ(1, skin.repaint_all);
    SetPixel(skin.background_dc, 150, 100, kMarker);
    window.ClearLog();

    SendMessageA(h, WM_PAINT, 0, 0);

    EXPECT_EQ(0, skin.repaint_all);
    EXPECT_EQ(kMarker, GetPixel(skin.background_dc, 150, 100));
    EXPECT_EQ(0, window.Count(WM_PAINT)) << "not passed to the window's own procedure";
}

TEST_F(WindowProcTest, NewWindowTextRepaintsOnlyTheCaption) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    qztest::ShowAndSettle(h);
    WindowSkin& skin = *RecordOf(h);
    ASSERT_NE(nullptr, skin.background_dc);
    const POINT caption{40, 12}, body{150, 150}, button{215, 10};
    for (POINT p : {caption, body, button})
        SetPixel(skin.background_dc, p.x, p.y, kMarker);

    SetWindowTextA(h, "新的标题");

    EXPECT_NE(kMarker, GetPixel(skin.background_dc, caption.x, caption.y));
    EXPECT_EQ(kMarker, GetPixel(skin.background_dc, body.x, body.y));
    EXPECT_EQ(kMarker, GetPixel(skin.background_dc, button.x, button.y));
    char text[32] = {};
    GetWindowTextA(h, text, sizeof text);
    EXPECT_STREQ("新的标题", text);
}

TEST_F(WindowProcTest, EraseIsAnsweredWithoutTheOwnProcedure) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    WindowSkin& skin = *RecordOf(h);
    window.ClearLog();
    qz::WindowDC dc(h);
    auto erase = [&] {
        return SendMessageA(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    };

    EXPECT_EQ(1, erase());
    EXPECT_EQ(TRANSPARENT, GetBkMode(dc.Get()));
    EXPECT_EQ(0, skin.erased) << "nothing to put on the screen before the first paint";
    SendMessageA(h, WM_SHOWWINDOW, TRUE, 0);
    skin.painted = 0;
    skin.repaint_all = 1;
    EXPECT_EQ(1, erase());
    EXPECT_EQ(1, skin.erased) << "the presentation image went to the screen";
    SendMessageA(h, WM_PAINT, 0, 0);
    EXPECT_EQ(0, skin.erased);
    EXPECT_EQ(0, window.Count(WM_ERASEBKGND));
}

TEST_F(WindowProcTest, OnlyTheFirstShowPaintsAtOnce) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    WindowSkin& skin = *RecordOf(h);

    SendMessageA(h, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_EQ(1, skin.painted);
    EXPECT_EQ(0, skin.repaint_all);
    EXPECT_NE(nullptr, skin.background_dc);
    SendMessageA(h, WM_SHOWWINDOW, FALSE, 0);
    EXPECT_EQ(1, skin.hidden);
    EXPECT_EQ(0, skin.painted);
    skin.repaint_all = 1;
    SendMessageA(h, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_EQ(0, skin.painted) << "a later show waits for its WM_PAINT";
    EXPECT_EQ(1, skin.repaint_all);
    EXPECT_EQ(1, skin.hidden);
}

TEST_F(WindowProcTest, MaximisedWindowTracksBetweenItsMinimumAndTheWorkArea) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    WindowSkin& skin = *RecordOf(h);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);

    MINMAXINFO info{};
    SendMessageA(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(0, info.ptMinTrackSize.x) << "only a maximised window is limited";
    skin.maximized = 1;
    SendMessageA(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(200, info.ptMinTrackSize.x);
    EXPECT_EQ(150, info.ptMinTrackSize.y);
    EXPECT_EQ(work.right - work.left, info.ptMaxTrackSize.x);
    EXPECT_EQ(work.bottom - work.top, info.ptMaxTrackSize.y);
}

TEST_F(WindowProcTest, ActivationFollowsTheWindowAndTheApplication) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h);
    WindowSkin& skin = *RecordOf(h);

    SendMessageA(h, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(1, skin.active);
    SendMessageA(h, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0); // inactive and minimised
    EXPECT_EQ(0, skin.active);
    SendMessageA(h, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(1, skin.active);
    SendMessageA(h, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(0, skin.active);
}

struct DrawItemCase {
    const char* name;
    UINT type;
    bool fu_id;    // the control carries its window index
    bool lb_id;    // and its list index
    bool in_range; // the window index names a skinned window
    bool handled;
};
void PrintTo(const DrawItemCase& c, std::ostream* os) {
    *os << c.name;
}

const DrawItemCase kDrawItemCases[] = {
    {"SkinnedButton", ODT_BUTTON, true, true, true, true},
    {"SkinnedOtherKind", ODT_STATIC, true, true, true, true},
    {"ListBoxItem", ODT_LISTBOX, true, true, true, false},
    {"UnskinnedButton", ODT_BUTTON, false, false, true, false},
    {"WithoutListIndex", ODT_BUTTON, true, false, true, false},
    {"WindowIndexBeyondTheTable", ODT_BUTTON, true, true, false, false},
};

class DrawItemTest : public WindowProcTest, public testing::WithParamInterface<DrawItemCase> {};

TEST_P(DrawItemTest, OwnerDrawOfSkinnedControlsIsAnsweredByTheSkin) {
    const DrawItemCase& c = GetParam();
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    HWND button = window.AddChild("STATIC", WS_VISIBLE | SS_OWNERDRAW, 10, 40, 80, 24);
    qz::SkinWindowEx(h);
    INT_PTR index = qz::IndexOfWindow(h);
    if (c.fu_id) qz::SetPropValue(button, qz::props::Qz_FuID, c.in_range ? index : 99);
    if (c.lb_id) qz::SetPropValue(button, qz::props::Qz_lbID, 1);
    DRAWITEMSTRUCT item{};
    item.CtlType = c.type;
    item.hwndItem = button;
    item.hDC = GetDC(button);
    GetClientRect(button, &item.rcItem);
    window.ClearLog();

    LRESULT result = SendMessageA(h, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    ReleaseDC(button, item.hDC);

    EXPECT_EQ(c.handled ? 0 : 1, window.Count(WM_DRAWITEM)) << "reached the own procedure";
    if (c.handled) {
        EXPECT_EQ(1, result);
    }
}

INSTANTIATE_TEST_SUITE_P(WindowProc, DrawItemTest, testing::ValuesIn(kDrawItemCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Gives a window four registered memory DCs of its own, as its first whole repaint would.
void GiveMemoryDcs(WindowSkin& skin) {
    for (HDC* dc : {&skin.background_dc, &skin.title_dc, &skin.strip_dc, &skin.presentation_dc}) {
        qz::ReleaseMemoryDC(*dc);
        *dc = qz::CreateMemoryDC(8, 8);
    }
}

bool Registered(HDC dc) {
    bool found = false;
    qz::MemoryDcRegistry.ForEach([&](const qz::MemoryDcEntry& e) { found |= e.dc == dc; });
    return found;
}

TEST_F(WindowProcTest, TearingDownTheFirstOfThreeWindowsRenumbersTheOthers) {
    auto a = std::make_unique<LoggedWindow>();
    LoggedWindow b, c;
    HWND control = c.AddChild("STATIC", WS_VISIBLE, 10, 40, 50, 20);
    for (HWND h : {a->Handle(), b.Handle(), c.Handle()})
        qz::SkinWindowEx(h, {}, 1);
    int count = qz::WindowTable.Count();
    int first = qz::IndexOfWindow(a->Handle());
    ASSERT_EQ(first + 1, qz::IndexOfWindow(b.Handle()));
    ASSERT_EQ(first + 2, qz::IndexOfWindow(c.Handle()));
    RecordOf(c.Handle())->buttons.Add(qz::ButtonSkin{control});
    qz::SetPropValue(control, qz::props::Qz_FuID, first + 2);
    WindowSkin& doomed = *RecordOf(a->Handle());
    GiveMemoryDcs(doomed);
    std::vector<HDC> dcs = {doomed.background_dc, doomed.title_dc, doomed.strip_dc,
                            doomed.presentation_dc};
    HWND tip = doomed.tooltip.GetHandle();
    HMENU menu = CreatePopupMenu();
    SetPropA(a->Handle(), qz::props::Ck_cdjb, menu);
    HWND gone = a->Handle();

    DestroyWindow(gone);

    EXPECT_EQ(count - 1, qz::WindowTable.Count());
    EXPECT_EQ(0, qz::IndexOfWindow(gone));
    EXPECT_EQ(first, qz::GetPropValue(b.Handle(), qz::props::Qz_lbID));
    EXPECT_EQ(first + 1, qz::GetPropValue(c.Handle(), qz::props::Qz_lbID));
    EXPECT_EQ(first + 1, qz::GetPropValue(control, qz::props::Qz_FuID));
    for (HDC dc : dcs)
        EXPECT_FALSE(Registered(dc));
    EXPECT_FALSE(IsWindow(tip)) << "the tooltip window goes with its owner";
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_EQ(1, a->Count(WM_NCDESTROY)) << "the window's own procedure still sees its end";
    SendMessageA(c.Handle(), WM_SIZING, 0, 0);
    EXPECT_EQ(1, RecordOf(c.Handle())->sizing) << "the renumbered window keeps working";
}

TEST_F(WindowProcTest, SkinningShowingAndDestroyingWindowsLeavesNoHandlesBehind) {
    // The window is painted as its first show would paint it, without mapping it: unmapping a
    // shown window costs the X server seconds.
    auto cycle = [] {
        LoggedWindow window(300, 200, kMinMax);
        HWND h = window.Handle();
        qz::SkinWindowEx(h, {}, 1, {}, 1, 1, {}, {}, 20);
        SendMessageA(h, WM_SHOWWINDOW, TRUE, 0);
        SetWindowTextA(h, "标题");
        SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
        SendMessageA(h, WM_PAINT, 0, 0);
    };
    cycle();
    qztest::ResourceCounts before = qztest::CurrentResources();
    for (int i = 0; i < 5; ++i)
        cycle();
    qztest::PumpPending();
    qztest::ResourceCounts after = qztest::CurrentResources();
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}

} // namespace
