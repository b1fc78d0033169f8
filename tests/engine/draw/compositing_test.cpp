#include <gtest/gtest.h>
#include <windows.h>
#include "engine/draw/plus.h"
#include <commctrl.h>

#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/window_table.h"
#include "engine/draw/colors.h"
#include "engine/draw/compositing.h"
#include "tests/support/win_helpers.h"

namespace {

using namespace qz;

constexpr int kWidth = 200;
constexpr int kHeight = 150;

// A pattern in which every pixel differs from its neighbours, so that an offset copy shows.
COLORREF PatternAt(int x, int y) {
    return RGB((x * 7) & 0xFF, (y * 5) & 0xFF, (x + y) & 0xFF);
}

COLORREF PixelAt(HDC dc, int x, int y) {
    return GetPixel(dc, x, y) & 0xFFFFFF;
}

// Each channel within tolerance.
bool Near(COLORREF a, COLORREF b, int tolerance = 2) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d < -tolerance || d > tolerance) return false;
    }
    return true;
}

// What a tint colour at alpha makes of a background pixel.
COLORREF Blend(COLORREF under, COLORREF tint, int alpha) {
    auto mix = [&](int shift) {
        int u = (under >> shift) & 0xFF, t = (tint >> shift) & 0xFF;
        return ((t * alpha + u * (255 - alpha)) / 255) << shift;
    };
    return static_cast<COLORREF>(mix(0) | mix(8) | mix(16));
}

// GDI+ and the tab control class, started once for the whole test program.
class GdiplusSession {
  public:
    GdiplusSession() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }

  private:
    ULONG_PTR token_ = 0;
};

void StartGdiplusOnce() {
    static GdiplusSession session;
}

// A popup window (window and client rectangles coincide) with a record in the window table,
// whose background DC holds the pattern.
class CompositingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartGdiplusOnce();
        CreateEngineGlobals();
        index_ = WindowTable.Append(MakeWindowSkin(window_.Handle()));
        SetPropValue(window_.Handle(), props::Qz_lbID, index_);
        Skin().clamp_width = kWidth;
        Skin().clamp_height = kHeight;
        Skin().background_dc = CreateMemoryDC(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                SetPixel(Skin().background_dc, x, y, PatternAt(x, y));
    }
    void TearDown() override {
        ReleaseMemoryDC(Skin().background_dc);
        ReleaseMemoryDC(Skin().presentation_dc);
        CreateEngineGlobals();
    }

    WindowSkin& Skin() { return *WindowTable.At(index_); }

    // A child of parent that addresses window index_ like a skinned control.
    HWND AddControl(HWND parent, int x, int y, int w, int h, const char* cls = "Static") {
        HWND control = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
        SetPropValue(control, props::Qz_FuID, index_);
        return control;
    }

    // Registers parent's child window as a container of window index_.
    ContainerSkin& Register(HWND container, COLORREF tint, std::uint8_t alpha, int painted,
                            int kind) {
        ContainerSkin record;
        record.window = container;
        record.tint_color = tint;
        record.tint_alpha = alpha;
        record.painted = painted;
        record.kind = kind;
        RECT client{};
        GetClientRect(container, &client);
        record.width = client.right;
        record.height = client.bottom;
        int slot = Skin().containers.Add(std::move(record));
        SetPropValue(container, props::Qz_FuID, index_);
        SetPropValue(container, props::Qz_lbID, slot);
        return *Skin().containers.At(slot);
    }

    void ExpectShowsPattern(HDC dc, int width, int height, int originX, int originY) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(PixelAt(dc, x, y), PatternAt(originX + x, originY + y))
                    << "at " << x << "," << y;
    }

    qztest::TestWindow window_{kWidth, kHeight, WS_POPUP};
    int index_ = 0;
};

TEST_F(CompositingTest, ControlOnTheWindowShowsExactlyTheBackgroundUnderIt) {
    HWND control = AddControl(window_.Handle(), 30, 40, 50, 20);
    HDC dc = CaptureBackground(control, {0, 0, 50, 20});
    ASSERT_NE(dc, nullptr);
    ExpectShowsPattern(dc, 50, 20, 30, 40);
    EXPECT_TRUE(ReleaseMemoryDC(dc));
}

TEST_F(CompositingTest, CaptureOfAPartStartsAtThatPartOfTheControl) {
    HWND control = AddControl(window_.Handle(), 30, 40, 50, 20);
    HDC dc = CaptureBackground(control, {10, 5, 30, 15});
    ASSERT_NE(dc, nullptr);
    ExpectShowsPattern(dc, 20, 10, 40, 45);
    ReleaseMemoryDC(dc);
}

TEST_F(CompositingTest, ControlOfAnUnskinnedWindowGivesNoDcAndLeavesNothingListed) {
    qztest::TestWindow plain(100, 100, WS_POPUP);
    HWND control = plain.AddChild("Static", "", 0, 0, 0, 20, 20);
    const int listed = MemoryDcRegistry.Count();
    EXPECT_EQ(CaptureBackground(control, {0, 0, 20, 20}), nullptr);
    EXPECT_EQ(MemoryDcRegistry.Count(), listed);
}

TEST_F(CompositingTest, ReleasingAMemoryDcTwiceActsOnlyOnce) {
    const int listed = MemoryDcRegistry.Count();
    HDC dc = CreateMemoryDC(10, 10);
    EXPECT_EQ(MemoryDcRegistry.Count(), listed + 1);
    EXPECT_TRUE(ReleaseMemoryDC(dc));
    EXPECT_EQ(MemoryDcRegistry.Count(), listed);
    EXPECT_FALSE(ReleaseMemoryDC(dc));
    EXPECT_FALSE(ReleaseMemoryDC(nullptr));
    EXPECT_EQ(MemoryDcRegistry.Count(), listed);
}

TEST_F(CompositingTest, RegisteringAListedDcReplacesItsEntry) {
    HDC dc = CreateMemoryDC(10, 10);
    const int listed = MemoryDcRegistry.Count();
    HBITMAP other = CreateCompatibleBitmap(dc, 4, 4);
    HGDIOBJ first = SelectObject(dc, other);
    RegisterMemoryDC(dc, other, first);
    EXPECT_EQ(MemoryDcRegistry.Count(), listed);
    // The release deletes the new bitmap and puts the first one back, so the first one is
    // then free to be deleted.
    EXPECT_TRUE(ReleaseMemoryDC(dc));
    EXPECT_EQ(GetObjectType(other), 0u);
    EXPECT_TRUE(DeleteObject(first));
}

TEST_F(CompositingTest, ImageDcHoldsThePictureAtItsOwnSize) {
    // A 3 x 2 opaque red PNG made on the spot through GDI+.
    PlusBitmap red;
    red.CreateEmpty(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            red.SetPixel(x, y, 0xFFFF0000);
    ByteBuffer png = red.SaveToBytes(kPngFormat);
    ASSERT_FALSE(png.empty());
    HDC dc = CreateImageDC(png);
    ASSERT_NE(dc, nullptr);
    BITMAP info{};
    GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(PixelAt(dc, 2, 1), RGB(255, 0, 0));
    EXPECT_TRUE(ReleaseMemoryDC(dc));
}

TEST_F(CompositingTest, PresentPutsTheImageAtTheControlsPlaceLeavingOutItsChildren) {
    Skin().presentation_dc = CreateMemoryDC(kWidth, kHeight);
    HDC pres = Skin().presentation_dc;
    RECT all{0, 0, kWidth, kHeight};
    FillRect(pres, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HWND control = AddControl(window_.Handle(), 30, 40, 50, 20);
    AddControl(control, 0, 0, 10, 10); // a visible child keeps its own pixels
    HDC image = CreateMemoryDC(50, 20);
    RECT inner{0, 0, 50, 20};
    FillRect(image, &inner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    PresentToWindow(control, image);
    EXPECT_EQ(PixelAt(pres, 45, 50), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(pres, 79, 59), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(pres, 35, 45), RGB(255, 255, 255)); // under the child
    EXPECT_EQ(PixelAt(pres, 81, 50), RGB(255, 255, 255)); // beside the control
    // The clip is reset afterwards.
    FillRect(pres, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(PixelAt(pres, 35, 45), RGB(0, 0, 0));
    ReleaseMemoryDC(image);
}

TEST_F(CompositingTest, PresentWithoutAValidWindowIndexDoesNothing) {
    Skin().presentation_dc = CreateMemoryDC(kWidth, kHeight);
    HDC pres = Skin().presentation_dc;
    RECT all{0, 0, kWidth, kHeight};
    FillRect(pres, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HWND control = AddControl(window_.Handle(), 30, 40, 50, 20);
    SetPropValue(control, props::Qz_FuID, index_ + 1);
    HDC image = CreateMemoryDC(50, 20);
    PresentToWindow(control, image);
    PresentToWindow(control, image, {/*byContainerIndex=*/true, false}); // no Kj_FuID at all
    // A list index in Qz_lbID is no window index.
    RemovePropA(control, props::Qz_FuID);
    SetPropValue(control, props::Qz_lbID, index_);
    PresentToWindow(control, image);
    EXPECT_EQ(PixelAt(pres, 45, 50), RGB(255, 255, 255));
    ReleaseMemoryDC(image);
}

TEST_F(CompositingTest, SkinnedWindowPresentsItselfThroughItsOwnIndex) {
    Skin().presentation_dc = CreateMemoryDC(kWidth, kHeight);
    HDC pres = Skin().presentation_dc;
    RECT all{0, 0, kWidth, kHeight};
    FillRect(pres, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HDC image = CreateMemoryDC(kWidth, kHeight);
    PresentToWindow(window_.Handle(), image);
    EXPECT_EQ(PixelAt(pres, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(pres, kWidth - 1, kHeight - 1), RGB(0, 0, 0));
    ReleaseMemoryDC(image);
}

TEST_F(CompositingTest, PaintControlRunsTheWholePipelineAndReleasesItsDc) {
    Skin().presentation_dc = CreateMemoryDC(kWidth, kHeight);
    HWND control = AddControl(window_.Handle(), 30, 40, 50, 20);
    HDC target = CreateMemoryDC(50, 20);
    const int listed = MemoryDcRegistry.Count();
    int drawnWidth = 0;
    bool painted = PaintControl(control, {0, 0, 50, 20}, target, [&](HDC dc, int w, int h) {
        drawnWidth = w;
        EXPECT_EQ(MemoryDcRegistry.Count(), listed + 1);
        SetPixel(dc, w - 1, h - 1, RGB(1, 2, 3));
    });
    EXPECT_TRUE(painted);
    EXPECT_EQ(drawnWidth, 50);
    EXPECT_EQ(MemoryDcRegistry.Count(), listed);
    EXPECT_EQ(PixelAt(target, 0, 0), PatternAt(30, 40));
    EXPECT_EQ(PixelAt(target, 49, 19), RGB(1, 2, 3));
    EXPECT_EQ(PixelAt(Skin().presentation_dc, 79, 59), RGB(1, 2, 3));
    ReleaseMemoryDC(target);
}

TEST_F(CompositingTest, ClientRectInWindowSkipsTheBorderButNotTheScrollBar) {
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 30, 40, 100, 60,
                                window_.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    POINT client{};
    ClientToScreen(edit, &client);
    RECT top{};
    GetWindowRect(window_.Handle(), &top);
    RECT r = ClientRectInWindow(edit);
    EXPECT_EQ(r.left, client.x - top.left);
    EXPECT_EQ(r.top, client.y - top.top);
    RECT c{};
    GetClientRect(edit, &c);
    EXPECT_EQ(r.right - r.left, c.right);
    EXPECT_EQ(r.bottom - r.top, c.bottom);
    RECT outer = ControlRectInWindow(edit);
    EXPECT_EQ(outer.left, 30);
    EXPECT_EQ(outer.top, 40);
    EXPECT_EQ(outer.right, 130);
    EXPECT_EQ(outer.bottom, 100);
}

TEST_F(CompositingTest, TabDisplayRectLeavesOutTheTabsOnEachSide) {
    struct Case {
        DWORD style;
        bool tabsAbove, tabsBelow, tabsLeft, tabsRight;
    } cases[] = {
        {0, true, false, false, false},
        {TCS_BOTTOM, false, true, false, false},
        {TCS_VERTICAL | TCS_MULTILINE, false, false, true, false},
        {TCS_VERTICAL | TCS_BOTTOM | TCS_MULTILINE, false, false, false, true},
    };
    for (const Case& c : cases) {
        HWND tab =
            CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | c.style, 10, 10, 150,
                            100, window_.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("tab");
        SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        RECT tabRect{}, client{};
        SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tabRect));
        GetClientRect(tab, &client);
        RECT r = TabDisplayRect(tab);
        SCOPED_TRACE(c.style);
        EXPECT_EQ(r.top > tabRect.top, c.tabsAbove);
        EXPECT_EQ(r.bottom < tabRect.bottom, c.tabsBelow);
        EXPECT_EQ(r.left > tabRect.left, c.tabsLeft);
        EXPECT_EQ(r.right < tabRect.right, c.tabsRight);
        DestroyWindow(tab);
    }
}

// Paints a memory DC white, excludes the window's children, paints it black: what stays white
// was excluded.
class ExcludeChildClipsTest : public CompositingTest {
  protected:
    HDC ClippedAndPainted(int viewportX = 0, int viewportY = 0) {
        dc_ = CreateMemoryDC(kWidth, kHeight);
        RECT all{0, 0, kWidth, kHeight};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetViewportOrgEx(dc_, viewportX, viewportY, nullptr);
        ExcludeChildClips(window_.Handle(), dc_);
        RECT wide{-100, -100, kWidth, kHeight};
        FillRect(dc_, &wide, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetViewportOrgEx(dc_, 0, 0, nullptr);
        return dc_;
    }
    bool Excluded(int x, int y) { return PixelAt(dc_, x, y) == RGB(255, 255, 255); }
    void TearDown() override {
        ReleaseMemoryDC(dc_);
        CompositingTest::TearDown();
    }
    HDC dc_ = nullptr;
};

TEST_F(ExcludeChildClipsTest, VisibleChildrenAreLeftOutTransparentAndHiddenOnesNot) {
    AddControl(window_.Handle(), 10, 10, 20, 20);
    HWND transparent =
        CreateWindowExA(WS_EX_TRANSPARENT, "Static", "", WS_CHILD | WS_VISIBLE, 50, 10, 20, 20,
                        window_.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND hidden = AddControl(window_.Handle(), 90, 10, 20, 20);
    ShowWindow(hidden, SW_HIDE);
    ASSERT_NE(transparent, nullptr);
    ClippedAndPainted();
    EXPECT_TRUE(Excluded(15, 15));
    EXPECT_TRUE(Excluded(29, 29));
    EXPECT_FALSE(Excluded(30, 15));
    EXPECT_FALSE(Excluded(55, 15));
    EXPECT_FALSE(Excluded(95, 15));
}

TEST_F(ExcludeChildClipsTest, ChildPartlyLeftOfAndAboveTheWindowIsClippedFromZero) {
    // With the DC's origin moved in by 20 pixels, a rectangle that started at -10, -5 would
    // show as excluded from device pixel 10, 15 on.
    AddControl(window_.Handle(), -10, -5, 30, 20);
    ClippedAndPainted(20, 20);
    EXPECT_TRUE(Excluded(25, 25));
    EXPECT_TRUE(Excluded(39, 34));
    EXPECT_FALSE(Excluded(15, 25));
    EXPECT_FALSE(Excluded(25, 17));
}

struct EnclosingTintCase {
    const char* name;
    COLORREF tint;
    int painted;
    bool tinted;
};

class EnclosingTintTest : public CompositingTest,
                          public ::testing::WithParamInterface<EnclosingTintCase> {};

TEST_P(EnclosingTintTest, ControlInsideAGroupBoxTakesItsTintOnlyWhenTheGroupBoxIsPainted) {
    const EnclosingTintCase& c = GetParam();
    HWND groupBox = AddControl(window_.Handle(), 20, 20, 150, 100, "Button");
    SetWindowLongPtrA(groupBox, GWL_STYLE, GetWindowLongPtrA(groupBox, GWL_STYLE) | BS_GROUPBOX);
    Register(groupBox, c.tint, 60, c.painted, kGroupBoxContainer);
    HWND control = AddControl(groupBox, 10, 20, 40, 20);
    HDC dc = CaptureBackground(control, {0, 0, 40, 20});
    ASSERT_NE(dc, nullptr);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            COLORREF under = PatternAt(30 + x, 40 + y);
            COLORREF expected = c.tinted ? Blend(under, c.tint, 60) : under;
            ASSERT_TRUE(Near(PixelAt(dc, x, y), expected))
                << std::hex << PixelAt(dc, x, y) << " at " << std::dec << x << "," << y;
        }
    ReleaseMemoryDC(dc);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnclosingTintTest,
    ::testing::Values(EnclosingTintCase{"PaintedWithTint", 0x00FF0000, 1, true},
                      EnclosingTintCase{"NotPainted", 0x00FF0000, 0, false},
                      EnclosingTintCase{"TintColourZeroIsNoTint", 0, 1, false}),
    [](const ::testing::TestParamInfo<EnclosingTintCase>& info) { return info.param.name; });

TEST_F(CompositingTest, GroupBoxTintsItsRoundedFrameAreaAndShowsItsParentsTintAbove) {
    HWND panel = AddControl(window_.Handle(), 10, 10, 180, 130);
    Register(panel, 0x0000FF00, 100, 1, kOtherContainer);
    HWND groupBox = AddControl(panel, 10, 10, 150, 100, "Button");
    Register(groupBox, 0x00FF0000, 60, 1, kGroupBoxContainer);
    HDC dc = CaptureBackground(groupBox, {0, 0, 150, 100});
    ASSERT_NE(dc, nullptr);
    auto under = [](int x, int y) { return PatternAt(20 + x, 20 + y); };
    // Points away from the anti-aliased outline of the rounded area.
    EXPECT_TRUE(Near(PixelAt(dc, 75, 50), Blend(under(75, 50), 0x00FF0000, 60)));
    EXPECT_TRUE(Near(PixelAt(dc, 75, 8), Blend(under(75, 8), 0x00FF0000, 60)));
    EXPECT_TRUE(Near(PixelAt(dc, 75, 2), Blend(under(75, 2), 0x0000FF00, 100)));
    EXPECT_TRUE(Near(PixelAt(dc, 75, 97), Blend(under(75, 97), 0x00FF0000, 60)));
    EXPECT_TRUE(Near(PixelAt(dc, 0, 5), Blend(under(0, 5), 0x0000FF00, 100)));
    ReleaseMemoryDC(dc);
}

TEST_F(CompositingTest, GroupBoxOnTheWindowLeavesTheBackgroundAroundItsFrameUntinted) {
    HWND groupBox = AddControl(window_.Handle(), 20, 20, 150, 100, "Button");
    Register(groupBox, 0x00FF0000, 60, 1, kGroupBoxContainer);
    HDC dc = CaptureBackground(groupBox, {0, 0, 150, 100});
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(Near(PixelAt(dc, 75, 50), Blend(PatternAt(95, 70), 0x00FF0000, 60)));
    EXPECT_EQ(PixelAt(dc, 75, 2), PatternAt(95, 22));
    EXPECT_TRUE(Near(PixelAt(dc, 75, 97), Blend(PatternAt(95, 117), 0x00FF0000, 60)));
    EXPECT_EQ(PixelAt(dc, 0, 5), PatternAt(20, 25));
    ReleaseMemoryDC(dc);
}

TEST_F(CompositingTest, InsetAndCornerTintOnlyTheInsetArea) {
    HWND panel = AddControl(window_.Handle(), 20, 20, 100, 60);
    Register(panel, 0x000000FF, 120, 1, kOtherContainer);
    HDC dc = CaptureBackground(panel, {0, 0, 100, 60}, TintInset{1, 5});
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(Near(PixelAt(dc, 50, 30), Blend(PatternAt(70, 50), 0x000000FF, 120)));
    EXPECT_EQ(PixelAt(dc, 50, 0), PatternAt(70, 20));
    EXPECT_EQ(PixelAt(dc, 0, 0), PatternAt(20, 20));
    ReleaseMemoryDC(dc);
}

TEST_F(ExcludeChildClipsTest, ChildBeyondTheRecordedClientSizeIsClippedToIt) {
    Skin().clamp_width = 100;
    Skin().clamp_height = 80;
    AddControl(window_.Handle(), 90, 70, 40, 30);
    ClippedAndPainted();
    EXPECT_TRUE(Excluded(95, 75));
    EXPECT_FALSE(Excluded(105, 75));
    EXPECT_FALSE(Excluded(95, 85));
}

TEST_F(CompositingTest, ThousandControlPaintsLeaveResourcesWhereTheyStarted) {
    Skin().presentation_dc = CreateMemoryDC(kWidth, kHeight);
    HWND control = AddControl(window_.Handle(), 30, 40, 50, 20);
    HDC target = CreateMemoryDC(50, 20);
    auto paint = [&] {
        PaintControl(control, {0, 0, 50, 20}, target, [](HDC dc, int w, int h) {
            PlusGraphics graphics;
            graphics.FromHdc(dc);
            PlusSolidBrush brush;
            brush.Create(MakeArgb(0x00FF00, 128));
            graphics.FillRectangle(brush, 0, 0, static_cast<float>(w), static_cast<float>(h));
        });
    };
    for (int i = 0; i < 20; ++i)
        paint();
    const qztest::ResourceCounts before = qztest::CurrentResources();
    const int listed = MemoryDcRegistry.Count();
    for (int i = 0; i < 1000; ++i)
        paint();
    const qztest::ResourceCounts after = qztest::CurrentResources();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(MemoryDcRegistry.Count(), listed);
    EXPECT_LT(after.private_bytes, before.private_bytes + 1024 * 1024);
    ReleaseMemoryDC(target);
}

} // namespace
