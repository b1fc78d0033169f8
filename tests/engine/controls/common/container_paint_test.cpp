#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "tests/engine/controls/common/container_fixture.h"

namespace {

using namespace qztest;
using qz::ContainerSkin;
using qz::WindowSkin;

// White laid over c at alpha 160, channel by channel.
COLORREF Veiled(COLORREF c) {
    auto blend = [](int v) { return v + (255 - v) * 160 / 255; };
    return RGB(blend(GetRValue(c)), blend(GetGValue(c)), blend(GetBValue(c)));
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The system draws the group box onto the skin under it; what it draws in the button-face
// colour (the band behind its caption) shows the skin under a white veil, the rest of the skin
// is untouched, and nothing is left in the button-face colour.
TEST_F(ContainerTest, GroupBoxWithoutChildrenShowsTheSystemPaintingKeyedOverAVeil) {
    LoggedWindow window;
    WindowSkin& skin = Skin(window, false);
    constexpr int kX = 20, kY = 30, kW = 200, kH = 120;
    HWND group = AddChild(window.Handle(), "Button", "Group caption", BS_GROUPBOX, kX, kY, kW, kH);
    qz::SkinContainer(group);

    SendMessageA(group, WM_PAINT, 0, 0);

    int veiled = 0, untouched = 0;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const COLORREF shown = PixelAt(skin.presentation_dc, kX + x, kY + y);
            const COLORREF under = PatternAt(kX + x, kY + y);
            ASSERT_NE(face, shown) << "at " << x << "," << y;
            if (shown == under) ++untouched;
            if (shown != under && Near(shown, Veiled(under), 2)) {
                ++veiled;
                ASSERT_LT(y, 24) << "a veiled pixel away from the caption band at " << x;
            }
        }
    EXPECT_GT(veiled, 100);
    EXPECT_GT(untouched, kW * (kH - 40));
    // Well inside the frame the system draws nothing: the skin shows as it is.
    for (int y = 30; y < kH - 10; y += 7)
        for (int x = 10; x < kW - 10; x += 11)
            EXPECT_EQ(PatternAt(kX + x, kY + y), PixelAt(skin.presentation_dc, kX + x, kY + y));
}

// The columns in which the caption's red text shows in a row band of the presentation DC.
struct Extent {
    int first = -1;
    int last = -1;
};

Extent RedColumns(HDC dc, int left, int top, int width, int rows) {
    Extent e;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < rows; ++y) {
            COLORREF c = PixelAt(dc, left + x, top + y);
            if (GetRValue(c) > GetGValue(c) + 60) {
                if (e.first < 0) e.first = x;
                e.last = x;
                break;
            }
        }
    return e;
}

struct PlacementCase {
    const char* name;
    DWORD align;
};

const PlacementCase kPlacements[] = {
    {"none", 0}, {"BS_LEFT", BS_LEFT}, {"BS_RIGHT", BS_RIGHT}, {"BS_CENTER", BS_CENTER}};

// Text edges are anti-aliased and the glyphs have side bearings: the edges are allowed three
// pixels of slack.
TEST_F(ContainerTest, GroupBoxCaptionSitsByItsAlignmentStyleAwayFromAntiAliasedEdges) {
    constexpr int kX = 20, kY = 20, kW = 240, kH = 120;
    const COLORREF ground = RGB(0x40, 0x90, 0x40);
    for (const PlacementCase& c : kPlacements) {
        LoggedWindow window;
        WindowSkin& skin = Skin(window, false, &ground);
        HWND group =
            AddChild(window.Handle(), "Button", "Caption", BS_GROUPBOX | c.align, kX, kY, kW, kH);
        AddChild(group, "Static", "", 0, 20, 30, 40, 20);
        HFONT font =
            CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
        SendMessageA(group, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        qz::SetPropValue(group, qz::props::Kj_Ztys, RGB(255, 0, 0));
        qz::SkinContainer(group);

        SendMessageA(group, WM_PAINT, 0, 0);

        Extent text = RedColumns(skin.presentation_dc, kX, kY, kW, 18);
        ASSERT_GE(text.first, 0) << c.name;
        const int middle = (text.first + text.last) / 2;
        switch (c.align) {
        case BS_LEFT: EXPECT_NEAR(12, text.first, 3) << c.name; break;
        case BS_CENTER: EXPECT_NEAR(kW / 2, middle, 3) << c.name; break;
        default: EXPECT_NEAR(kW - 12, text.last, 3) << c.name; break;
        }
        EXPECT_EQ(0, qz::FindContainer(group)->repaint);
        DestroyWindow(group);
        DeleteObject(font);
    }
}

// The frame of a group box with children runs along y = 5; behind the caption it is covered
// with the skin, elsewhere it shows.
TEST_F(ContainerTest, GroupBoxFrameLineStopsBehindTheCaption) {
    constexpr int kX = 20, kY = 20, kW = 240, kH = 120;
    const COLORREF ground = RGB(0x40, 0x90, 0x40);
    LoggedWindow window;
    WindowSkin& skin = Skin(window, false, &ground);
    HWND group = AddChild(window.Handle(), "Button", "", BS_GROUPBOX | BS_LEFT, kX, kY, kW, kH);
    AddChild(group, "Static", "", 0, 20, 30, 40, 20);
    qz::SkinContainer(group);

    SendMessageA(group, WM_PAINT, 0, 0);

    // An empty caption is one pixel wide, at x = 10.
    EXPECT_EQ(ground, PixelAt(skin.presentation_dc, kX + 10, kY + 5));
    EXPECT_NE(ground, PixelAt(skin.presentation_dc, kX + 40, kY + 5));
    EXPECT_NE(ground, PixelAt(skin.presentation_dc, kX + 40, kY + kH - 2));
}

TEST_F(ContainerTest, CleanContainerPaintIsOneCopyFromThePresentationDc) {
    LoggedWindow window;
    WindowSkin& skin = Skin(window, true);
    constexpr int kX = 40, kY = 40, kW = 120, kH = 80;
    HWND panel = AddChild(window.Handle(), "Static", "", 0, kX, kY, kW, kH);
    qz::RegisterContainer(panel);
    ContainerSkin& record = *qz::FindContainer(panel);
    InvalidateRect(panel, nullptr, FALSE);
    UpdateWindow(panel);
    ASSERT_EQ(0, record.repaint);
    ASSERT_EQ(0, record.moved);

    // A marker in the presentation DC only: the clean paint shows it, not the skin.
    const COLORREF marker = RGB(1, 2, 3);
    HBRUSH brush = CreateSolidBrush(marker);
    RECT place{kX, kY, kX + kW, kY + kH};
    FillRect(skin.presentation_dc, &place, brush);
    DeleteObject(brush);
    InvalidateRect(panel, nullptr, FALSE);
    UpdateWindow(panel);

    HDC screen = GetDC(panel);
    EXPECT_EQ(marker, PixelAt(screen, 0, 0));
    EXPECT_EQ(marker, PixelAt(screen, kW / 2, kH / 2));
    EXPECT_EQ(marker, PixelAt(screen, kW - 1, kH - 1));
    ReleaseDC(panel, screen);
    EXPECT_EQ(0, record.repaint);

    // Marked for repaint, it paints the skin anew.
    qz::MarkWindowForRepaint(window.Handle(), true);
    InvalidateRect(panel, nullptr, FALSE);
    UpdateWindow(panel);
    screen = GetDC(panel);
    EXPECT_EQ(PatternAt(kX + kW / 2, kY + kH / 2), PixelAt(screen, kW / 2, kH / 2));
    ReleaseDC(panel, screen);
    EXPECT_EQ(0, record.moved);
}

TEST_F(ContainerTest, ManyContainerPaintsKeepResourcesSteady) {
    LoggedWindow window;
    Skin(window, false);
    HWND group = AddChild(window.Handle(), "Button", "Group", BS_GROUPBOX, 10, 10, 200, 120);
    AddChild(group, "Static", "", 0, 20, 30, 40, 20);
    HWND plain = AddChild(window.Handle(), "Button", "Plain", BS_GROUPBOX, 10, 140, 200, 50);
    HWND panel = AddChild(window.Handle(), "Static", "", 0, 220, 10, 70, 70);
    qz::SkinContainer(group, std::nullopt, RGB(255, 0, 0), 60);
    qz::SkinContainer(plain);
    qz::RegisterContainer(panel, 1, RGB(0, 0, 255), 80, 1);
    auto paintAll = [&] {
        qz::MarkWindowForRepaint(window.Handle(), false);
        for (HWND h : {group, plain, panel})
            SendMessageA(h, WM_PAINT, 0, 0);
    };
    paintAll();

    const int memoryDcs = qz::MemoryDcRegistry.Count();
    const ResourceCounts before = CurrentResources();
    for (int i = 0; i < 200; ++i)
        paintAll();
    const ResourceCounts after = CurrentResources();

    EXPECT_LE(after.gdi, before.gdi + 2);
    EXPECT_LE(after.user, before.user + 2);
    EXPECT_EQ(memoryDcs, qz::MemoryDcRegistry.Count());
}

constexpr COLORREF kPanelInk = RGB(0, 0, 0);

// A panel that paints itself on the screen as many application windows do: its background in
// the button-face colour and a black square at (10, 10) - (30, 30).
LRESULT CALLBACK SelfPaintedPanel(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client{}, square{10, 10, 30, 30};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HBRUSH ink = CreateSolidBrush(kPanelInk);
    FillRect(dc, &square, ink);
    DeleteObject(ink);
    EndPaint(hwnd, &ps);
    return 0;
}

const char* SelfPaintedPanelClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &SelfPaintedPanel;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QzSelfPaintedPanel";
        RegisterClassA(&wc);
        return "QzSelfPaintedPanel";
    }();
    return name;
}

// What a self-painting control put on the screen shows over the skin, its background keyed
// out; the presentation DC holds the whole control even after only a part of it was repainted.
TEST_F(ContainerTest, SelfPaintedControlShowsOverTheSkinWithItsBackgroundKeyedOut) {
    LoggedWindow window;
    WindowSkin& skin = Skin(window, true);
    constexpr int kX = 40, kY = 50;
    HWND panel = AddChild(window.Handle(), SelfPaintedPanelClass(), "", 0, kX, kY, 100, 60);
    qz::SkinContainer(panel);
    UpdateWindow(panel);

    for (RECT part : {RECT{0, 0, 100, 60}, RECT{50, 0, 100, 60}}) {
        InvalidateRect(panel, &part, TRUE);
        UpdateWindow(panel);
        HDC screen = GetDC(panel);
        EXPECT_EQ(PatternAt(kX + 60, kY + 5), PixelAt(screen, 60, 5));
        EXPECT_EQ(kPanelInk, PixelAt(screen, 20, 20));
        ReleaseDC(panel, screen);
        EXPECT_EQ(PatternAt(kX + 5, kY + 5), PixelAt(skin.presentation_dc, kX + 5, kY + 5));
        EXPECT_EQ(PatternAt(kX + 90, kY + 50), PixelAt(skin.presentation_dc, kX + 90, kY + 50));
        EXPECT_EQ(kPanelInk, PixelAt(skin.presentation_dc, kX + 20, kY + 20));
    }
}

} // namespace
