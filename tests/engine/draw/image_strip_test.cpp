#include <gtest/gtest.h>
#include <set>
#include <vector>
#include "engine/draw/image_strip.h"
#include "tests/engine/draw/plus_test_support.h"

namespace {

using qz::ArgbColor;
using qz::ByteBuffer;
using qz::ImageStrip;
using qztest::MakePng;

constexpr ArgbColor kMagenta = 0xFFFF00FF;
constexpr int kHeight = 6;

// A strip whose columns in `separators` are magenta from top to bottom; the other columns
// take the colour of the cell they fall in (cell n has colour n + 1 in its low bytes).
ByteBuffer StripPng(int width, const std::set<int>& separators, ArgbColor separator = kMagenta) {
    return MakePng(width, kHeight, [&](int x, int) -> ArgbColor {
        if (separators.count(x)) return separator;
        ArgbColor cell = 0;
        for (int s : separators)
            if (s < x) ++cell;
        return 0xFF000000 | (cell + 1) * 0x10;
    });
}

// Every pixel of the cell's PNG is colour.
void ExpectCellColour(const ImageStrip& strip, int index, ArgbColor colour) {
    qz::PlusBitmap cell;
    ASSERT_TRUE(cell.LoadFromBytes(strip.GetCell(index))) << index;
    ASSERT_EQ(static_cast<int>(cell.GetWidth()), strip.GetCellWidth(index));
    ASSERT_EQ(static_cast<int>(cell.GetHeight()), strip.GetCellHeight(index));
    for (UINT y = 0; y < cell.GetHeight(); ++y)
        for (UINT x = 0; x < cell.GetWidth(); ++x)
            ASSERT_EQ(cell.GetPixel(static_cast<int>(x), static_cast<int>(y)), colour)
                << "cell " << index << " at " << x << "," << y;
}

TEST(ImageStripLoadStrip, CutsAtEverySeparatorColumnAndDropsTheSeparators) {
    ImageStrip strip;
    // Cells of 5, 7 and 4 columns.
    ASSERT_EQ(strip.LoadStrip(StripPng(18, {5, 13})), 3);
    EXPECT_EQ(strip.GetWidth(), 18);
    EXPECT_EQ(strip.GetHeight(), kHeight);
    const int widths[] = {5, 7, 4};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(strip.GetCellWidth(i), widths[i - 1]);
        EXPECT_EQ(strip.GetCellHeight(i), kHeight);
        EXPECT_TRUE(qztest::IsPng(strip.GetCell(i)));
        ExpectCellColour(strip, i, 0xFF000000 | i * 0x10);
    }
}

TEST(ImageStripLoadStrip, AStripWithoutSeparatorIsOneCell) {
    ImageStrip strip;
    ASSERT_EQ(strip.LoadStrip(StripPng(9, {})), 1);
    EXPECT_EQ(strip.GetCellWidth(1), 9);
    ExpectCellColour(strip, 1, 0xFF000010);
}

TEST(ImageStripLoadStrip, OnlyTheThirdRowAndAnOpaqueSeparatorCount) {
    const ByteBuffer pngs[] = {
        // Magenta in every row of column 4 but the third.
        MakePng(10, kHeight,
                [](int x, int y) { return x == 4 && y != 2 ? kMagenta : 0xFF000010u; }),
        // A translucent magenta column.
        MakePng(10, kHeight, [](int x, int) { return x == 4 ? 0x80FF00FFu : 0xFF000010u; }),
        // Column 0 is never looked at.
        StripPng(10, {0}),
    };
    for (const ByteBuffer& png : pngs) {
        ImageStrip strip;
        EXPECT_EQ(strip.LoadStrip(png), 1);
        EXPECT_EQ(strip.GetCellWidth(1), 10);
    }
}

TEST(ImageStripLoadStrip, TakesTheGivenSeparatorColour) {
    const COLORREF rgb = 0x00123456;
    ImageStrip strip;
    ASSERT_EQ(strip.LoadStrip(StripPng(12, {3, 8}, 0xFF563412), rgb), 3);
    EXPECT_EQ(strip.GetSeparator(), rgb);
    EXPECT_EQ(strip.GetCellWidth(2), 4);
    // The same strip is one cell for the default magenta.
    EXPECT_EQ(strip.LoadStrip(StripPng(12, {3, 8}, 0xFF563412)), 1);
}

TEST(ImageStripLoadStrip, MakesNoEmptyCellsBetweenAdjacentOrTrailingSeparators) {
    ImageStrip strip;
    ASSERT_EQ(strip.LoadStrip(StripPng(10, {3, 4, 9})), 2);
    EXPECT_EQ(strip.GetCellWidth(1), 3);
    EXPECT_EQ(strip.GetCellWidth(2), 4);
}

TEST(ImageStripLoadStrip, UnreadableBytesLeaveNoCells) {
    ImageStrip strip;
    ASSERT_EQ(strip.LoadStrip(StripPng(18, {5, 13})), 3);
    const ByteBuffer garbage(40, 0x33);
    EXPECT_EQ(strip.LoadStrip(garbage), 0);
    EXPECT_EQ(strip.GetCount(), 0);
    EXPECT_EQ(strip.GetWidth(), 0);
    EXPECT_EQ(strip.LoadStrip(nullptr, 0), 0);
}

TEST(ImageStripCells, IndexesOutside1ToCountGiveNothing) {
    ImageStrip strip;
    ASSERT_EQ(strip.LoadStrip(StripPng(18, {5, 13})), 3);
    for (int index : {0, -1, 4}) {
        EXPECT_TRUE(strip.GetCell(index).empty()) << index;
        EXPECT_EQ(strip.GetCellWidth(index), 0) << index;
        EXPECT_EQ(strip.GetCellHeight(index), 0) << index;
        EXPECT_FALSE(strip.RemoveCell(index)) << index;
    }
    EXPECT_EQ(strip.GetCount(), 3);
}

TEST(ImageStripCells, AddAndRemoveKeepTheOrder) {
    ImageStrip strip;
    ASSERT_EQ(strip.LoadStrip(StripPng(18, {5, 13})), 3);
    ASSERT_TRUE(strip.RemoveCell(2));
    EXPECT_EQ(strip.GetCount(), 2);
    EXPECT_EQ(strip.GetCellWidth(2), 4);
    ExpectCellColour(strip, 2, 0xFF000030);

    EXPECT_EQ(strip.AddCell(MakePng(3, 11, [](int, int) { return 0xFF0000FFu; })), 3);
    EXPECT_EQ(strip.GetCellWidth(3), 3);
    EXPECT_EQ(strip.GetCellHeight(3), 11);
    ExpectCellColour(strip, 3, 0xFF0000FF);
}

} // namespace
