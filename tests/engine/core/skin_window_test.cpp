#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/core/properties.h"
#include "engine/core/skin_window.h"
#include "engine/core/window_proc.h"
#include "engine/draw/colors.h"
#include "engine/draw/plus.h"
#include "tests/engine/core/skinned_test_window.h"

namespace {

using qz::ByteBuffer;
using qz::StatusPanel;
using qz::WindowSkin;
using qztest::LoggedWindow;
using qztest::RecordOf;

constexpr DWORD kPlain = WS_POPUP;
constexpr DWORD kMinMax = WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

class SkinWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        qztest::StartEngineForTests();
        qztest::ParkCursor();
    }
};

std::vector<int> ButtonKinds(const WindowSkin& skin) {
    std::vector<int> kinds;
    skin.title_buttons.ForEach([&](const qz::TitleButton& b) { kinds.push_back(b.kind); });
    return kinds;
}

int ToolCount(const WindowSkin& skin) {
    HWND tip = skin.tooltip.GetHandle();
    return tip ? static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0)) : -1;
}

struct OptionCase {
    const char* name;
    DWORD style;
    std::function<void(HWND)> skin;
    int title_height;
    int title_bar;
    int resizable;
    std::vector<int> kinds; // title buttons left to right
    int strip_width;
    int tools; // -1: no tooltip window
    int status_height;
    int panels;
    int caption_text;
    int drag;
    qz::RgbColor background_color;
    int image_placement;
};
void PrintTo(const OptionCase& c, std::ostream* os) {
    *os << c.name;
}

const std::vector<StatusPanel> kTwoPanels = {{50, "left", {}}, {-1, "rest", {}}};

const OptionCase kOptionCases[] = {
    {"TheUtilitysCall",
     kMinMax,
     [](HWND h) { qz::SkinWindow(h, 20, 0, 0, 0, 1, {}, {}, {}, 0xFFFFFF, {}, 1); },
     25,
     1,
     0,
     {2, 1, 0},
     95,
     -1,
     0,
     0,
     1,
     1,
     0xFFFFFF,
     3},
    {"ShortFormDefaults",
     kPlain,
     [](HWND h) { qz::SkinWindow(h); },
     25,
     1,
     0,
     {0},
     41,
     -1,
     0,
     0,
     0,
     0,
     0xFFFFFF,
     3},
    {"LongFormDefaults",
     kMinMax,
     [](HWND h) { qz::SkinWindowEx(h); },
     25,
     1,
     1,
     {2, 1, 0},
     95,
     -1,
     0,
     0,
     1,
     1,
     qz::kNoColor,
     0},
    {"EveryButtonWithTooltips",
     kMinMax,
     [](HWND h) { qz::SkinWindowEx(h, 40, 1, 1, 1, 1); },
     40,
     1,
     1,
     {4, 3, 2, 1, 0},
     149,
     5,
     0,
     0,
     1,
     1,
     qz::kNoColor,
     0},
    {"TitleBarGivenAsZeroHasNoCloseButtonAndNoTooltip",
     kPlain,
     [](HWND h) { qz::SkinWindowEx(h, 30, 0); },
     30,
     0,
     1,
     {},
     2,
     -1,
     0,
     0,
     1,
     1,
     qz::kNoColor,
     0},
    {"NoCloseButtonAndNoBoxesLeavesAStripOfWidthTwo",
     kPlain,
     [](HWND h) { qz::SkinWindowEx(h, {}, 1, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, 1); },
     25,
     1,
     1,
     {},
     2,
     0,
     0,
     0,
     1,
     1,
     qz::kNoColor,
     0},
    {"TitleHeightBelowTheMinimumIsRaised",
     kPlain,
     [](HWND h) { qz::SkinWindowEx(h, 24); },
     25,
     1,
     1,
     {0},
     41,
     -1,
     0,
     0,
     1,
     1,
     qz::kNoColor,
     0},
    {"NegativeTitleHeightIsRaised",
     kPlain,
     [](HWND h) { qz::SkinWindowEx(h, -5); },
     25,
     1,
     1,
     {0},
     41,
     -1,
     0,
     0,
     1,
     1,
     qz::kNoColor,
     0},
    {"TitleHeightAboveTheMinimumIsKept",
     kPlain,
     [](HWND h) { qz::SkinWindowEx(h, 26); },
     26,
     1,
     1,
     {0},
     41,
     -1,
     0,
     0,
     1,
     1,
     qz::kNoColor,
     0},
    {"StatusStripWithPanels",
     kPlain,
     [](HWND h) { qz::SkinWindowEx(h, {}, {}, {}, {}, {}, {}, {}, 20, kTwoPanels); },
     25,
     1,
     1,
     {0},
     41,
     -1,
     20,
     2,
     1,
     1,
     qz::kNoColor,
     0},
    {"StatusHeightZeroLeavesTheStripOutEvenWithPanels",
     kPlain,
     [](HWND h) { qz::SkinWindowEx(h, {}, {}, {}, {}, {}, {}, {}, 0, kTwoPanels); },
     25,
     1,
     1,
     {0},
     41,
     -1,
     0,
     0,
     1,
     1,
     qz::kNoColor,
     0},
    {"ShortFormStripHasNoPanels",
     kPlain,
     [](HWND h) { qz::SkinWindow(h, {}, {}, {}, {}, {}, 18); },
     25,
     1,
     0,
     {0},
     41,
     -1,
     18,
     0,
     0,
     0,
     0xFFFFFF,
     3},
};

class OptionTest : public SkinWindowTest, public testing::WithParamInterface<OptionCase> {};

TEST_P(OptionTest, RecordHoldsTheOptionsWithTheirDefaults) {
    const OptionCase& c = GetParam();
    LoggedWindow window(300, 200, c.style);
    c.skin(window.Handle());

    WindowSkin* skin = RecordOf(window.Handle());
    ASSERT_NE(nullptr, skin);
    EXPECT_EQ(c.title_height, skin->title_height);
    EXPECT_EQ(c.title_bar, skin->title_bar);
    EXPECT_EQ(c.resizable, skin->resizable);
    EXPECT_EQ(c.kinds, ButtonKinds(*skin));
    EXPECT_EQ(c.strip_width, skin->button_strip.width);
    EXPECT_EQ(c.tools, ToolCount(*skin));
    EXPECT_EQ(c.status_height, skin->status_strip_height);
    EXPECT_EQ(c.panels, skin->status_panels.Count());
    EXPECT_EQ(c.caption_text, skin->caption_text);
    EXPECT_EQ(c.drag, skin->drag);
    EXPECT_EQ(c.background_color, skin->background_color);
    EXPECT_EQ(c.image_placement, skin->image_placement);
    EXPECT_EQ(255, skin->background_alpha);
    EXPECT_EQ(0, skin->fill_body);
    EXPECT_EQ(0, skin->no_icon);
    EXPECT_EQ(0, skin->has_button_images);
}

INSTANTIATE_TEST_SUITE_P(SkinWindow, OptionTest, testing::ValuesIn(kOptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SkinWindowTest, SubclassesLastAndStoresTheWindowIndex) {
    LoggedWindow window(300, 200, kMinMax | WS_CLIPCHILDREN);
    HWND h = window.Handle();
    qz::SkinWindow(h, 20, 0, 0, 0, 1, {}, {}, {}, 0xFFFFFF, {}, 1);

    int index = qz::IndexOfWindow(h);
    ASSERT_GE(index, 1);
    WindowSkin& skin = *qz::WindowTable.At(index);
    EXPECT_EQ(index, qz::GetPropValue(h, qz::props::Qz_lbID));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&qz::SkinnedWindowProc),
              GetWindowLongPtrA(h, GWLP_WNDPROC));
    EXPECT_EQ(LoggedWindow::OwnProc(), skin.previous_proc);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(LoggedWindow::OwnProc()),
              qz::GetPropValue(h, qz::props::Qz_hProc));
    LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_CLIPCHILDREN);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, skin.clamp_width);
    EXPECT_EQ(client.bottom, skin.clamp_height);
    EXPECT_EQ(1, skin.repaint_all);
    EXPECT_EQ(200, skin.min_track_width);
    EXPECT_EQ(150, skin.min_track_height);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), skin.max_track_width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), skin.max_track_height);
    EXPECT_EQ(3, qz::Engine.frame_inset);
    EXPECT_EQ(0xFFFFFFu, skin.caption_font.text_color);
    EXPECT_EQ(0x808080u, skin.caption_font.glow_color);
    EXPECT_EQ("宋体", skin.caption_font.face);
    EXPECT_EQ(12, skin.caption_font.size);
    EXPECT_EQ(1, skin.caption_font.bold);
}

TEST_F(SkinWindowTest, SecondCallForTheSameWindowChangesNothing) {
    LoggedWindow window(300, 200, kMinMax);
    HWND h = window.Handle();
    qz::SkinWindowEx(h, 30, 1);
    int count = qz::WindowTable.Count();
    WindowSkin& skin = *RecordOf(h);
    HWND tip = skin.tooltip.GetHandle();
    LONG_PTR procedure = GetWindowLongPtrA(h, GWLP_WNDPROC);
    INT_PTR previous = qz::GetPropValue(h, qz::props::Qz_hProc);

    qz::SkinWindowEx(h, 60, 0, 0, 1, 1, 0, 1, 20, kTwoPanels, {}, 4, 0x123456, 9, 1, 1, {}, 0);

    EXPECT_EQ(count, qz::WindowTable.Count());
    EXPECT_EQ(&skin, RecordOf(h));
    EXPECT_EQ(30, skin.title_height);
    EXPECT_EQ((std::vector<int>{2, 1, 0}), ButtonKinds(skin));
    EXPECT_EQ(tip, skin.tooltip.GetHandle());
    EXPECT_EQ(3, ToolCount(skin));
    EXPECT_EQ(0, skin.status_strip_height);
    EXPECT_EQ(qz::kNoColor, skin.background_color);
    EXPECT_EQ(procedure, GetWindowLongPtrA(h, GWLP_WNDPROC));
    EXPECT_EQ(previous, qz::GetPropValue(h, qz::props::Qz_hProc));
}

TEST_F(SkinWindowTest, NothingIsSkinnedWithoutAWindow) {
    int count = qz::WindowTable.Count();
    qz::SkinWindow(nullptr);
    EXPECT_EQ(count, qz::WindowTable.Count());
}

TEST_F(SkinWindowTest, StatusStripLiesAlongTheBottomInsideTheFrameAndFollowsTheSize) {
    LoggedWindow window(300, 200, kPlain);
    HWND h = window.Handle();
    qz::SkinWindowEx(h, {}, {}, {}, {}, {}, {}, {}, 20, kTwoPanels);
    WindowSkin& skin = *RecordOf(h);

    const qz::Box& strip = skin.status_strip;
    EXPECT_EQ(3, strip.x);
    EXPECT_EQ(200 - 3 - 20 - 1, strip.y);
    EXPECT_EQ(294, strip.width);
    EXPECT_EQ(20, strip.height);
    ASSERT_EQ(2, skin.panel_rects.Count());
    EXPECT_EQ(3, skin.panel_rects.At(1)->x);
    EXPECT_EQ(50, skin.panel_rects.At(1)->width);
    EXPECT_EQ(53, skin.panel_rects.At(2)->x);
    EXPECT_EQ(300 - 3 - 53, skin.panel_rects.At(2)->width);
    EXPECT_EQ("rest", skin.status_panels.At(2)->text);
    EXPECT_EQ(0u, skin.strip_font.text_color);
    EXPECT_EQ(0xFFFFFFu, skin.strip_font.glow_color);
    EXPECT_EQ("宋体", skin.strip_font.face);

    SetWindowPos(h, nullptr, 0, 0, 400, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    EXPECT_EQ(250 - 3 - 20 - 1, skin.status_strip.y);
    EXPECT_EQ(400 - 3 - 53, skin.panel_rects.At(2)->width);
}

TEST_F(SkinWindowTest, WithoutTitleBarTheStripReachesTheEdges) {
    LoggedWindow window(300, 200, kPlain);
    qz::SkinWindowEx(window.Handle(), {}, 0, {}, {}, {}, {}, {}, 10, kTwoPanels);
    WindowSkin& skin = *RecordOf(window.Handle());

    EXPECT_EQ(0, skin.status_strip.x);
    EXPECT_EQ(200 - 10 - 1, skin.status_strip.y);
    EXPECT_EQ(300, skin.status_strip.width);
    EXPECT_EQ(300 - 50, skin.panel_rects.At(2)->width);
}

// Pictures: the left nine tenths one colour, the right tenth another.
ByteBuffer TwoColourPng(int width, int height, qz::ArgbColor left, qz::ArgbColor right) {
    qz::PlusBitmap bitmap;
    bitmap.CreateEmpty(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, x < width * 9 / 10 ? left : right);
    return bitmap.SaveToBytes(qz::kPngFormat);
}

struct Decoded {
    explicit Decoded(const ByteBuffer& png) { bitmap.LoadFromBytes(png); }
    qz::RgbColor At(int x, int y) const { return qz::SplitArgb(bitmap.GetPixel(x, y)); }
    qz::PlusBitmap bitmap;
};

constexpr qz::ArgbColor kRed = 0xFFFF0000;
constexpr qz::ArgbColor kBlue = 0xFF0000FF;
constexpr qz::RgbColor kRgbRed = 0x0000FF;
constexpr qz::RgbColor kRgbBlue = 0xFF0000;

TEST_F(SkinWindowTest, EmptyPictureLeavesNoImageAndBaseColourZero) {
    LoggedWindow window;
    qz::SkinWindow(window.Handle(), {}, {}, {}, {}, {}, {}, ByteBuffer{}, 0);
    WindowSkin& skin = *RecordOf(window.Handle());
    EXPECT_TRUE(skin.background_image.empty());
    EXPECT_EQ(0u, skin.image_base_color);
}

TEST_F(SkinWindowTest, BaseColourIsTheAverageOfThePicturesRightTenth) {
    ByteBuffer png = TwoColourPng(100, 60, kRed, kBlue);
    ASSERT_FALSE(png.empty());
    EXPECT_EQ(kRgbBlue, qz::AverageEdgeColour(png, 2000));
    EXPECT_EQ(kRgbBlue, qz::AverageEdgeColour(TwoColourPng(5, 5, kBlue, kBlue), 2000))
        << "a picture narrower than ten pixels samples its last column";
    EXPECT_EQ(0u, qz::AverageEdgeColour(ByteBuffer{1, 2, 3}, 2000));
}

TEST_F(SkinWindowTest, PlacementsOtherThanTheEdgesKeepThePictureBytes) {
    ByteBuffer png = TwoColourPng(100, 60, kRed, kBlue);
    LoggedWindow window;
    qz::SkinWindow(window.Handle(), {}, {}, {}, {}, {}, {}, png, 3);
    WindowSkin& skin = *RecordOf(window.Handle());
    EXPECT_EQ(png, skin.background_image);
    EXPECT_EQ(kRgbBlue, skin.image_base_color);
}

// Pixels are read well inside the faded bands and well away from them; the gradients' exact
// steps differ slightly between GDI+ builds.
TEST_F(SkinWindowTest, RightPlacementFadesTheRightAndBottomEdgesIntoTheBaseColour) {
    ByteBuffer png = TwoColourPng(100, 60, kRed, kBlue);
    LoggedWindow window;
    qz::SkinWindow(window.Handle(), {}, {}, {}, {}, {}, {}, png, 0);
    WindowSkin& skin = *RecordOf(window.Handle());

    Decoded faded(skin.background_image);
    ASSERT_EQ(100u, faded.bitmap.GetWidth());
    EXPECT_EQ(kRgbRed, faded.At(20, 10));       // untouched
    EXPECT_GT(GetBValue(faded.At(85, 10)), 40); // right band, half way
    EXPECT_LT(GetRValue(faded.At(85, 10)), 235);
    EXPECT_GT(GetBValue(faded.At(20, 58)), 200); // bottom band, near the edge
    EXPECT_LT(GetRValue(faded.At(20, 58)), 60);
    EXPECT_EQ(kRgbRed, faded.At(5, 25)); // above the bottom band
}

TEST_F(SkinWindowTest, LeftPlacementFadesTheLeftAndBottomEdgesIntoTheBaseColour) {
    ByteBuffer png = TwoColourPng(100, 60, kRed, kBlue);
    LoggedWindow window;
    qz::SkinWindow(window.Handle(), {}, {}, {}, {}, {}, {}, png, 1);
    WindowSkin& skin = *RecordOf(window.Handle());

    Decoded faded(skin.background_image);
    EXPECT_GT(GetBValue(faded.At(2, 10)), 200);
    EXPECT_LT(GetRValue(faded.At(2, 10)), 60);
    EXPECT_EQ(kRgbRed, faded.At(50, 10));
    EXPECT_GT(GetBValue(faded.At(50, 58)), 200);
}

} // namespace
