#include <gtest/gtest.h>
#include <optional>
#include <vector>
#include "engine/draw/colors.h"
#include "tests/engine/draw/plus_test_support.h"

namespace {

using qz::ArgbColor;
using qz::PlusPath;
using qz::PointF;

struct ArgbCase {
    COLORREF rgb;
    std::optional<std::uint8_t> alpha;
    ArgbColor expected;
};

TEST(MakeArgb, SwapsRedAndBlueDropsTopByteAndDefaultsAlphaToOpaque) {
    const ArgbCase cases[] = {
        {0x00DDCA22, 160, 0xA022CADD},
        {0x00FFFFFF, std::nullopt, 0xFFFFFFFF},
        {0x12345678, 0x80, 0x80785634},
        {0x00112233, std::nullopt, 0xFF332211},
        {0x00112233, 0, 0x00332211}, // a given 0 is transparent, not "no alpha"
        {0xFF000000, std::nullopt, 0xFF000000},
        {0x000000FF, 1, 0x01FF0000},
    };
    for (const ArgbCase& c : cases) {
        EXPECT_EQ(qz::MakeArgb(c.rgb, c.alpha), c.expected) << std::hex << "rgb 0x" << c.rgb;
    }
    EXPECT_EQ(qz::MakeArgb(0x00332211), 0xFF112233u);
}

TEST(SplitArgb, IsTheInverseOfMakeArgb) {
    const COLORREF colours[] = {0x00000000, 0x00DDCA22, 0x12345678, 0xFFFFFFFF, 0x00010203};
    const int alphas[] = {0, 1, 60, 128, 254, 255};
    for (COLORREF rgb : colours) {
        for (int a : alphas) {
            std::uint8_t alpha = 0;
            EXPECT_EQ(qz::SplitArgb(qz::MakeArgb(rgb, static_cast<std::uint8_t>(a)), alpha),
                      rgb & 0x00FFFFFF);
            EXPECT_EQ(alpha, a);
        }
    }
    EXPECT_EQ(qz::SplitArgb(0x80785634), 0x00345678u);
}

TEST(ThemeColor, IsTheAccentColour) {
    EXPECT_EQ(qz::kDefaultThemeColor, 0x00DDCA22u);
}

void ExpectPoint(const PointF& p, float x, float y, const char* what) {
    EXPECT_NEAR(p.X, x, 0.01) << what;
    EXPECT_NEAR(p.Y, y, 0.01) << what;
}

// An arc of 90 degrees is one Bezier segment: its start and three more points.
constexpr std::size_t kArcPoints = 4;
constexpr BYTE kCloseFlag = 0x80;

struct PathFixture : testing::Test {
    void SetUp() override { ASSERT_TRUE(path.Create()); }
    PlusPath path;
};

using AddRoundRectTest = PathFixture;

TEST_F(AddRoundRectTest, AppendsFourClosedCornerArcsWithTheLargerBottomRightBox) {
    ASSERT_TRUE(qz::AddRoundRect(path, 10, 20, 100, 50, 20));
    std::vector<PointF> points = path.GetPoints();
    ASSERT_EQ(points.size(), 4 * kArcPoints);
    ExpectPoint(points[0], 100, 20, "top-right arc starts at its box's top");
    ExpectPoint(points[kArcPoints - 1], 110, 30, "top-right arc ends at its box's side");
    ExpectPoint(points[kArcPoints], 110, 59.5f, "bottom-right box is 21 wide, one pixel up");
    ExpectPoint(points[2 * kArcPoints - 1], 99.5f, 70, "bottom-right box ends one pixel left");
    ExpectPoint(points[2 * kArcPoints], 20, 70, "bottom-left arc");
    ExpectPoint(points[3 * kArcPoints], 10, 30, "top-left arc");
    ExpectPoint(points.back(), 20, 20, "top-left arc ends on the top edge");
    EXPECT_EQ(path.GetTypes().back() & kCloseFlag, kCloseFlag);
    qz::RectF bounds = path.GetBounds();
    EXPECT_NEAR(bounds.X, 10, 0.01);
    EXPECT_NEAR(bounds.Y, 20, 0.01);
    EXPECT_NEAR(bounds.Width, 100, 0.01);
    EXPECT_NEAR(bounds.Height, 50, 0.01);
}

TEST_F(AddRoundRectTest, ClampsTheCornerToOneThroughHundred) {
    const struct {
        int corner;
        float used;
    } cases[] = {{0, 1}, {-7, 1}, {1, 1}, {100, 100}, {250, 100}};
    for (const auto& c : cases) {
        ASSERT_TRUE(path.Reset());
        ASSERT_TRUE(qz::AddRoundRect(path, 0, 0, 300, 300, c.corner));
        std::vector<PointF> points = path.GetPoints();
        ASSERT_EQ(points.size(), 4 * kArcPoints) << c.corner;
        ExpectPoint(points[0], 300 - c.used / 2, 0, "top-right arc start");
        ExpectPoint(points[3 * kArcPoints], 0, c.used / 2, "top-left arc start");
    }
}

TEST_F(AddRoundRectTest, KeepsAllFourArcsWhenNarrowerThanTheCorner) {
    ASSERT_TRUE(qz::AddRoundRect(path, 0, 0, 10, 10, 40));
    std::vector<PointF> points = path.GetPoints();
    ASSERT_EQ(points.size(), 4 * kArcPoints);
    ExpectPoint(points[0], -10, 0, "top-right arc reaches left of the rectangle");
    ExpectPoint(points[3 * kArcPoints], 0, 20, "top-left arc reaches below it");
}

using AddRoundRectITest = PathFixture;

TEST_F(AddRoundRectITest, TruncatesArcBoxesAndAddsTheTopLine) {
    ASSERT_TRUE(qz::AddRoundRectI(path, 10.7f, 20.2f, 50, 30, 10));
    std::vector<PointF> points = path.GetPoints();
    ASSERT_EQ(points.size(), 4 * kArcPoints + 2);
    ExpectPoint(points[0], 55, 20, "top-right box at (50, 20)");
    ExpectPoint(points[kArcPoints], 60, 45, "bottom-right box at (50, 40), not enlarged");
    ExpectPoint(points[2 * kArcPoints], 15, 50, "bottom-left box at (10, 40)");
    ExpectPoint(points[3 * kArcPoints], 10, 25, "top-left box at (10, 20)");
    ExpectPoint(points[4 * kArcPoints], 20.7f, 20.2f, "line from x + corner");
    ExpectPoint(points.back(), 55.7f, 20.2f, "line to right - corner / 2");
    EXPECT_EQ(path.GetTypes().back() & kCloseFlag, kCloseFlag);
}

TEST_F(AddRoundRectITest, ClampsTheCornerLikeAddRoundRect) {
    ASSERT_TRUE(qz::AddRoundRectI(path, 0, 0, 300, 300, 0));
    ExpectPoint(path.GetPoints()[0], 299.5f, 0, "corner 1: box (299, 0, 1, 1)");
    ASSERT_TRUE(path.Reset());
    ASSERT_TRUE(qz::AddRoundRectI(path, 0, 0, 300, 300, 250));
    ExpectPoint(path.GetPoints()[0], 250, 0, "corner 100");
}

using TabShapeTopTest = PathFixture;

TEST_F(TabShapeTopTest, IsOpenAtTheBottom) {
    ASSERT_TRUE(qz::TabShapeTop(path, 5, 10, 60, 20, 6));
    std::vector<PointF> points = path.GetPoints();
    ASSERT_EQ(points.size(), 3 * 2 + 2 * kArcPoints);
    ExpectPoint(points.front(), 5, 30, "starts at the bottom-left corner");
    ExpectPoint(points[1], 5, 16, "left side up to the corner");
    ExpectPoint(points.back(), 65, 30, "ends at the bottom-right corner");
    EXPECT_EQ(path.GetTypes().back() & kCloseFlag, 0);
    qz::RectF bounds = path.GetBounds();
    EXPECT_NEAR(bounds.Y, 10, 0.01);
    EXPECT_NEAR(bounds.Width, 60, 0.01);
}

TEST(MakeRectF, LeavesOmittedSizesZero) {
    qz::RectF r = qz::MakeRectF(1.5f, 2.5f);
    EXPECT_EQ(r.X, 1.5f);
    EXPECT_EQ(r.Y, 2.5f);
    EXPECT_EQ(r.Width, 0.0f);
    EXPECT_EQ(r.Height, 0.0f);
    r = qz::MakeRectF(1, 2, 3, 4);
    EXPECT_EQ(r.Width, 3.0f);
    EXPECT_EQ(r.Height, 4.0f);
    PointF p = qz::MakePointF(7, 8);
    EXPECT_EQ(p.X, 7.0f);
    EXPECT_EQ(p.Y, 8.0f);
}

} // namespace
