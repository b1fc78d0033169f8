#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "engine/core/engine.h"
#include "engine/core/frame_paint.h"
#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/window_table.h"
#include "engine/draw/colors.h"
#include "engine/draw/compositing.h"
#include "engine/draw/images.h"
#include "engine/draw/text.h"
#include "tests/support/win_helpers.h"

namespace {

using namespace qz;

// The utility's main window.
constexpr int kWidth = 391;
constexpr int kHeight = 152;
constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF PixelAt(HDC dc, int x, int y) {
    return GetPixel(dc, x, y) & 0xFFFFFF;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 3) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d < -tolerance || d > tolerance) return false;
    }
    return true;
}

// The pixels of a rectangle of a DC, row by row.
std::vector<COLORREF> Snapshot(HDC dc, int x, int y, int w, int h) {
    std::vector<COLORREF> pixels;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col)
            pixels.push_back(PixelAt(dc, col, row));
    return pixels;
}

ByteBuffer Copy(const ImageBytes& image) {
    return ByteBuffer(image.Data(), image.Data() + image.Size());
}

TitleButton MakeButton(int kind, int width, const ImageBytes& image, const ImageBytes* second) {
    TitleButton button;
    button.kind = kind;
    button.width = width;
    button.height = 18;
    button.image = Copy(image);
    if (second) button.second_image = Copy(*second);
    return button;
}

void StartEngineOnce() {
    static int started = (StartEngine(), 1);
    (void)started;
    Engine.frame_inset = 3;
}

// A window skinned with the utility's options, its record filled as the skinning call fills it:
// white body at full opacity, no body fill, no picture, minimise, maximise and close buttons.
class FramePaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartEngineOnce();
        WindowSkin skin = MakeWindowSkin(window_.Handle());
        skin.title_height = 25;
        skin.title_bar = 1;
        skin.caption_text = 1;
        skin.background_color = 0xFFFFFF;
        skin.background_alpha = 255;
        skin.image_placement = 3;
        skin.caption_font = {0xFFFFFF, 0x808080, kDefaultFace, 12, 1, 0};
        skin.title_buttons.Append(
            MakeButton(kMinimizeButton, 26, images::MinimizeButtonImage, nullptr));
        skin.title_buttons.Append(MakeButton(kMaximizeButton, 26, images::MaximizeButtonImage,
                                             &images::RestoreButtonImage));
        skin.title_buttons.Append(MakeButton(kCloseButton, 38, images::CloseButtonImage, nullptr));
        index_ = WindowTable.Append(std::move(skin));
        SetPropValue(window_.Handle(), props::Qz_lbID, index_);
        Layout();
    }
    void TearDown() override {
        ReleaseMemoryDC(Skin().background_dc);
        ReleaseMemoryDC(Skin().title_dc);
        ReleaseMemoryDC(Skin().strip_dc);
        ReleaseMemoryDC(Skin().presentation_dc);
        WindowTable.RemoveAt(index_);
    }

    // Where the title buttons sit at the right end of the client area.
    void Layout() {
        WindowSkin& skin = Skin();
        int sum = 0;
        skin.title_buttons.ForEach([&](TitleButton& b) { sum += b.width; });
        skin.button_strip = {0, 0, sum + skin.title_buttons.Count() - 1 + 3, 22};
        skin.button_strip.x = kWidth - skin.button_strip.width + 1;
        for (int i = 1; i <= skin.title_buttons.Count(); ++i) {
            TitleButton& b = *skin.title_buttons.At(i);
            b.rect = RectF(static_cast<float>(skin.button_strip.x + 2 + 27 * (i - 1)), 1.0f,
                           b.kind == kCloseButton ? 40.0f : 26.0f, 18.0f);
        }
    }

    WindowSkin& Skin() { return *WindowTable.At(index_); }
    HDC Background() { return Skin().background_dc; }

    // The image area of a title button.
    RECT ButtonArea(int i) {
        const TitleButton& b = *Skin().title_buttons.At(i);
        int x = static_cast<int>(b.rect.X - 1);
        return {x, Skin().button_strip.y + 1, x + b.width, Skin().button_strip.y + 1 + b.height};
    }
    std::vector<COLORREF> ButtonPixels(int i) {
        RECT r = ButtonArea(i);
        return Snapshot(Background(), r.left, r.top, r.right - r.left, r.bottom - r.top);
    }

    qztest::TestWindow window_{kWidth, kHeight, WS_POPUP, "Skinned caption"};
    int index_ = 0;
};

TEST_F(FramePaintTest, WholeRepaintComposesTheUtilitysLookIntoTheBackgroundDc) {
    PaintWindowSkin(index_, nullptr, false);
    HDC bg = Background();
    ASSERT_NE(bg, nullptr);
    EXPECT_EQ(PixelAt(bg, kWidth / 2, kHeight / 2), kWhite);
    // The dark outline (black at alpha 155 over white) along each edge away from the corners.
    const COLORREF dark = RGB(100, 100, 100);
    EXPECT_TRUE(Near(PixelAt(bg, kWidth / 2, 0), dark));
    EXPECT_TRUE(Near(PixelAt(bg, 0, kHeight / 2), dark));
    EXPECT_TRUE(Near(PixelAt(bg, kWidth - 1, kHeight / 2), dark));
    EXPECT_TRUE(Near(PixelAt(bg, kWidth / 2, kHeight - 1), dark));
    EXPECT_EQ(PixelAt(bg, kWidth / 2, 1), kWhite);

    // The icon at (9, 6), as DrawIconEx draws it on white.
    HDC reference = CreateMemoryDC(16, 16);
    RECT square{0, 0, 16, 16};
    FillRect(reference, &square, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(reference, 0, 0, Engine.small_icon, 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(Snapshot(bg, 9, 6, 16, 16), Snapshot(reference, 0, 0, 16, 16));
    ReleaseMemoryDC(reference);

    // The caption's first drawn column lies just right of x 27.
    int first = -1;
    for (int x = 25; x < 200 && first < 0; ++x)
        for (int y = 5; y < 25; ++y)
            if (PixelAt(bg, x, y) != kWhite) {
                first = x;
                break;
            }
    EXPECT_GE(first, 26);
    EXPECT_LE(first, 31);
}

TEST_F(FramePaintTest, LongCaptionKeepsToOneLineInsideTheTitleBar) {
    SetWindowTextA(window_.Handle(), std::string(30, 'W').append(" second line").c_str());
    PaintWindowSkin(index_, nullptr, false);
    HDC bg = Background();
    int drawn = 0;
    for (int x = 30; x < 300; ++x)
        drawn += PixelAt(bg, x, 14) != kWhite;
    EXPECT_GT(drawn, 0);
    for (int y = Skin().title_height; y < 46; ++y)
        for (int x = 9; x < 330; ++x)
            ASSERT_EQ(PixelAt(bg, x, y), kWhite) << x << "," << y;
}

TEST_F(FramePaintTest, WholeRepaintAsksTheWindowsOwnSkinnedControlsToRepaint) {
    HWND own = CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE, 20, 40, 60, 20,
                               window_.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND panel = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 100, 40, 100, 60,
                                 window_.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND nested = CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE, 5, 5, 40, 20, panel,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ButtonSkin first, second;
    first.window = own;
    second.window = nested;
    Skin().buttons.Add(std::move(first));
    Skin().buttons.Add(std::move(second));
    // Without the title bar the region is left alone, which would invalidate every child.
    Skin().title_bar = 0;
    ShowWindow(window_.Handle(), SW_SHOWNA);
    qztest::PumpPending();
    ValidateRect(own, nullptr);
    ValidateRect(nested, nullptr);
    PaintWindowSkin(index_, nullptr, true);
    EXPECT_TRUE(GetUpdateRect(own, nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(nested, nullptr, FALSE));
    ShowWindow(window_.Handle(), SW_HIDE);
}

TEST_F(FramePaintTest, TitleButtonsAreDrawnInTheirRectanglesOverTheBareTitleBar) {
    PaintWindowSkin(index_, nullptr, false);
    HDC bg = Background(), title = Skin().title_dc;
    ASSERT_NE(title, nullptr);
    BITMAP info{};
    GetObjectA(GetCurrentObject(title, OBJ_BITMAP), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, kWidth);
    EXPECT_EQ(info.bmHeight, 25);
    for (int i = 1; i <= Skin().title_buttons.Count(); ++i) {
        RECT r = ButtonArea(i);
        int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        EXPECT_NE(PixelAt(bg, x, y), PixelAt(title, x, y)) << "button " << i;
    }
    const int left = Skin().button_strip.x - 4;
    EXPECT_EQ(PixelAt(bg, left, 10), PixelAt(title, left, 10));
    EXPECT_EQ(PixelAt(title, ButtonArea(1).left + 5, 10), kWhite);
}

TEST_F(FramePaintTest, WholeRepaintLeavesThePresentationCopyAndTheRecordedSize) {
    Skin().repaint_all = 1;
    PaintWindowSkin(index_, nullptr, true);
    HDC pres = Skin().presentation_dc;
    ASSERT_NE(pres, nullptr);
    EXPECT_EQ(GetPropA(window_.Handle(), props::CK_Ggcj), pres);
    EXPECT_EQ(Snapshot(pres, 0, 0, kWidth, 30), Snapshot(Background(), 0, 0, kWidth, 30));
    EXPECT_EQ(Skin().repaint_all, 0);
    EXPECT_EQ(Skin().clamp_width, kWidth);
    EXPECT_EQ(Skin().clamp_height, kHeight);
}

TEST_F(FramePaintTest, WholeRepaintRoundsTheWindowRegionsCorners) {
    PaintWindowSkin(index_, nullptr, true);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window_.Handle(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, kWidth - 1, 0));
    EXPECT_FALSE(PtInRegion(region, 0, kHeight - 1));
    EXPECT_FALSE(PtInRegion(region, kWidth - 1, kHeight - 1));
    EXPECT_TRUE(PtInRegion(region, kWidth / 2, 0));
    EXPECT_TRUE(PtInRegion(region, 0, kHeight / 2));
    EXPECT_TRUE(PtInRegion(region, kWidth / 2, kHeight / 2));
    DeleteObject(region);
}

TEST_F(FramePaintTest, HoverLevelsAreDrawnOverARestoredBackgroundAndNeverAccumulate) {
    PaintWindowSkin(index_, nullptr, false);
    for (int i = 1; i <= Skin().title_buttons.Count(); ++i) {
        SCOPED_TRACE(i);
        PaintTitleButton(index_, i, TitleButtonLook::Normal, 0);
        std::vector<COLORREF> normal = ButtonPixels(i);
        PaintTitleButton(index_, i, TitleButtonLook::Normal, 120);
        std::vector<COLORREF> half = ButtonPixels(i);
        EXPECT_NE(half, normal);
        PaintTitleButton(index_, i, TitleButtonLook::Normal, kFullHoverLevel);
        PaintTitleButton(index_, i, TitleButtonLook::Normal, 120);
        EXPECT_EQ(ButtonPixels(i), half);
        PaintTitleButton(index_, i, TitleButtonLook::Normal, 120);
        EXPECT_EQ(ButtonPixels(i), half);
        PaintTitleButton(index_, i, TitleButtonLook::Pressed);
        EXPECT_NE(ButtonPixels(i), normal);
        PaintTitleButton(index_, i, TitleButtonLook::Normal, 0);
        EXPECT_EQ(ButtonPixels(i), normal);
    }
}

TEST_F(FramePaintTest, MaximiseButtonShowsTheRestorePictureWhileMaximised) {
    PaintWindowSkin(index_, nullptr, false);
    std::vector<COLORREF> maximise = ButtonPixels(2);
    Skin().maximized = 1;
    PaintWindowSkin(index_, nullptr, false);
    EXPECT_NE(ButtonPixels(2), maximise);
    Skin().maximized = 0;
    PaintTitleButton(index_, 2, TitleButtonLook::Normal);
    EXPECT_EQ(ButtonPixels(2), maximise);
}

TEST_F(FramePaintTest, CaptionRepaintRedrawsOnlyTheCaptionArea) {
    // The caption area reaches below the title bar into the body, which must stay intact.
    constexpr int kRows = 50;
    PaintWindowSkin(index_, nullptr, false);
    HDC bg = Background();
    std::vector<COLORREF> whole = Snapshot(bg, 0, 0, kWidth, kRows);
    // The same text again gives the whole repaint's pixels back.
    PaintCaption(index_, "Skinned caption");
    EXPECT_EQ(Snapshot(bg, 0, 0, kWidth, kRows), whole);

    PaintCaption(index_, "Another, much longer caption text");
    const int x0 = 9, right = x0 + kWidth - Skin().button_strip.width - 10 - 6;
    std::vector<COLORREF> after = Snapshot(bg, 0, 0, kWidth, kRows);
    int changedOutside = 0, changedInside = 0;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kWidth; ++x) {
            bool changed = after[y * kWidth + x] != whole[y * kWidth + x];
            bool inside = x >= x0 && x < right && y >= 4;
            (inside ? changedInside : changedOutside) += changed;
        }
    EXPECT_GT(changedInside, 0);
    EXPECT_EQ(changedOutside, 0);
    // The presentation copy follows.
    EXPECT_EQ(Snapshot(Skin().presentation_dc, 0, 0, kWidth, kRows), after);
}

// A 10 x 10 opaque red picture whose top-left pixel is blue, so that its place shows.
ByteBuffer MarkedPicture() {
    PlusBitmap bitmap;
    bitmap.CreateEmpty(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            bitmap.SetPixel(x, y, x == 0 && y == 0 ? 0xFF0000FF : 0xFFFF0000);
    return bitmap.SaveToBytes(kPngFormat);
}

struct PlacementCase {
    int placement;
    int x, y; // where the picture's top-left pixel lands
};

class PicturePlacementTest : public FramePaintTest,
                             public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PicturePlacementTest, PictureLandsWhereItsPlacementSays) {
    const PlacementCase& c = GetParam();
    Skin().title_bar = 0;
    Skin().background_color = kNoColor;
    Skin().background_image = MarkedPicture();
    Skin().image_base_color = RGB(0, 255, 0);
    Skin().image_placement = c.placement;
    PaintWindowSkin(index_, nullptr, false);
    HDC bg = Background();
    EXPECT_EQ(PixelAt(bg, c.x, c.y), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(bg, c.x + 5, c.y + 5), RGB(255, 0, 0));
    // Away from the picture the base colour shows.
    EXPECT_EQ(PixelAt(bg, c.x < kWidth / 2 ? kWidth - 20 : 20, kHeight / 2 + 20), RGB(0, 255, 0));
}

constexpr int kRight = kWidth - 10, kBottom = kHeight - 10;
INSTANTIATE_TEST_SUITE_P(
    Placements, PicturePlacementTest,
    ::testing::Values(PlacementCase{0, 0, 0}, PlacementCase{1, kRight, 0},
                      PlacementCase{2, kRight / 2, kBottom / 2}, PlacementCase{5, 0, kBottom},
                      PlacementCase{6, kRight, kBottom}, PlacementCase{7, kRight / 2, kBottom},
                      PlacementCase{8, kRight, kBottom / 2}, PlacementCase{9, kRight / 2, 0},
                      PlacementCase{10, 0, kBottom / 2}));

TEST_F(FramePaintTest, StretchedAndTiledPicturesCoverTheWholeClientArea) {
    Skin().title_bar = 0;
    Skin().background_color = kNoColor;
    Skin().background_image = MarkedPicture();
    Skin().image_base_color = RGB(0, 255, 0);
    Skin().image_placement = 3;
    PaintWindowSkin(index_, nullptr, false);
    EXPECT_TRUE(Near(PixelAt(Background(), kWidth - 45, kHeight - 45), RGB(255, 0, 0), 8))
        << std::hex << PixelAt(Background(), kWidth - 45, kHeight - 45);
    EXPECT_TRUE(Near(PixelAt(Background(), kWidth / 2, kHeight / 2), RGB(255, 0, 0), 8));
    Skin().image_placement = 4;
    PaintWindowSkin(index_, nullptr, false);
    EXPECT_EQ(PixelAt(Background(), 20, 30), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(Background(), 25, 35), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(Background(), 385, 145), RGB(255, 0, 0));
}

struct ColourFillCase {
    const char* name;
    int fillBody;
    COLORREF color;
    int alpha;
    COLORREF body;  // at the middle of the client area
    COLORREF title; // at the middle of the title bar's left part, over the black base
};

class ColourFillTest : public FramePaintTest,
                       public ::testing::WithParamInterface<ColourFillCase> {};

TEST_P(ColourFillTest, BackgroundColourFillsTheBodyOrTheWholeArea) {
    const ColourFillCase& c = GetParam();
    Skin().title_bar = 0;
    Skin().fill_body = c.fillBody;
    Skin().background_color = c.color;
    Skin().background_alpha = c.alpha;
    PaintWindowSkin(index_, nullptr, false);
    EXPECT_TRUE(Near(PixelAt(Background(), kWidth / 2, kHeight / 2), c.body, 4));
    EXPECT_TRUE(Near(PixelAt(Background(), 100, 12), c.title, 8))
        << std::hex << PixelAt(Background(), 100, 12);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColourFillTest,
    ::testing::Values(
        ColourFillCase{"WholeAreaOpaque", 0, RGB(0, 0, 200), 255, RGB(0, 0, 200), RGB(0, 0, 200)},
        ColourFillCase{"WholeAreaTranslucent", 0, RGB(0, 0, 200), 128, RGB(0, 0, 100),
                       RGB(0, 0, 100)},
        // The title bar gets a gradient of the colour from a fifth of its alpha to all of it.
        ColourFillCase{"BodyOpaque", 1, RGB(0, 0, 200), 255, RGB(0, 0, 200), RGB(0, 0, 120)},
        // Without a colour the title bar gets a white gloss fading out downwards.
        ColourFillCase{"BodyNoColour", 1, kNoColor, 255, RGB(0, 0, 0), RGB(72, 72, 72)}),
    [](const ::testing::TestParamInfo<ColourFillCase>& info) { return info.param.name; });

TEST_F(FramePaintTest, StatusPanelsAreDrawnInTheStripAndRepaintAlone) {
    WindowSkin& skin = Skin();
    skin.status_strip_height = 20;
    skin.status_strip = {3, kHeight - 3 - 20 - 1, kWidth - 6, 20};
    skin.strip_font = {0, 0xFFFFFF, kDefaultFace, 12};
    skin.status_panels.Append(StatusPanel{100, "Ready", {}});
    skin.status_panels.Append(StatusPanel{-1, "Second panel", {}});
    skin.panel_rects.Append(Box{3, skin.status_strip.y, 100, 20});
    skin.panel_rects.Append(Box{103, skin.status_strip.y, kWidth - 3 - 103, 20});
    PaintWindowSkin(index_, nullptr, false);
    ASSERT_NE(skin.strip_dc, nullptr);
    const Box first = *skin.panel_rects.At(1);
    auto dark = [&](const Box& box) {
        int n = 0;
        for (COLORREF p : Snapshot(Background(), box.x, box.y, box.width, box.height))
            n += (p & 0xFF) < 128;
        return n;
    };
    EXPECT_GT(dark(first), 10);
    std::vector<COLORREF> drawn = Snapshot(Background(), first.x, first.y, first.width, 20);
    skin.status_panels.At(1)->text = "";
    PaintStatusPanel(index_, 1);
    EXPECT_EQ(dark(first), 0);
    EXPECT_GT(dark(*skin.panel_rects.At(2)), 10);
    skin.status_panels.At(1)->text = "Ready";
    PaintStatusPanel(index_, 1);
    EXPECT_EQ(Snapshot(Background(), first.x, first.y, first.width, 20), drawn);
}

TEST_F(FramePaintTest, ThousandWholeRepaintsLeaveResourcesWhereTheyStarted) {
    auto repaint = [&] {
        Skin().repaint_all = 1;
        PaintWindowSkin(index_, nullptr, true);
        PaintTitleButton(index_, 3, TitleButtonLook::Normal, 120);
        qztest::PumpPending();
    };
    for (int i = 0; i < 20; ++i)
        repaint();
    const qztest::ResourceCounts before = qztest::CurrentResources();
    const int listed = MemoryDcRegistry.Count();
    for (int i = 0; i < 1000; ++i)
        repaint();
    const qztest::ResourceCounts after = qztest::CurrentResources();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(MemoryDcRegistry.Count(), listed);
    EXPECT_LT(after.private_bytes, before.private_bytes + 2 * 1024 * 1024);
}

} // namespace
