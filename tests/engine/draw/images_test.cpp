#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

#include "engine/draw/image_strip.h"
#include "engine/draw/images.h"
#include "engine/draw/plus.h"
#include "tests/engine/draw/plus_test_support.h"

namespace {

namespace images = qz::images;
using qz::ArgbColor;
using qz::ImageBytes;
using qz::PlusBitmap;

constexpr ArgbColor kRgbMask = 0x00FFFFFF;

ArgbColor Alpha(ArgbColor argb) {
    return argb >> 24;
}

struct Catalogue {
    const char* name;
    const ImageBytes* image;
    int width;
    int height;
};

const Catalogue kAll[] = {
    {"HelpButtonImage", &images::HelpButtonImage, 26, 18},
    {"MenuButtonImage", &images::MenuButtonImage, 26, 18},
    {"MinimizeButtonImage", &images::MinimizeButtonImage, 26, 18},
    {"MaximizeButtonImage", &images::MaximizeButtonImage, 26, 18},
    {"RestoreButtonImage", &images::RestoreButtonImage, 26, 18},
    {"CloseButtonImage", &images::CloseButtonImage, 38, 18},
    {"ArrowUpImage", &images::ArrowUpImage, 14, 14},
    {"ArrowDownImage", &images::ArrowDownImage, 14, 14},
    {"ArrowLeftImage", &images::ArrowLeftImage, 14, 14},
    {"ArrowRightImage", &images::ArrowRightImage, 14, 14},
    {"DropTriangleImage", &images::DropTriangleImage, 7, 5},
    {"CheckStripImage", &images::CheckStripImage, 131, 16},
};

std::string CaseName(const testing::TestParamInfo<Catalogue>& info) {
    return info.param.name;
}

// Calls f(x, y, pixel) for every pixel of the rectangle.
void ForEachPixel(const PlusBitmap& bitmap, int x0, int y0, int width, int height,
                  const std::function<void(int, int, ArgbColor)>& f) {
    for (int y = y0; y < y0 + height; ++y)
        for (int x = x0; x < x0 + width; ++x)
            f(x, y, bitmap.GetPixel(x, y));
}

class EmbeddedImageTest : public testing::TestWithParam<Catalogue> {
  protected:
    void SetUp() override { ASSERT_TRUE(bitmap_.LoadFromBytes(*GetParam().image)); }
    PlusBitmap bitmap_;
};

TEST_P(EmbeddedImageTest, IsAnRgbaPngOfItsCatalogueSize) {
    const ImageBytes& image = *GetParam().image;
    ASSERT_GT(image.Size(), 33u);
    EXPECT_EQ(1, image.raw[0]); // the counted buffer's leading int32 1
    const unsigned char* png = image.Data();
    EXPECT_EQ(0, std::string(reinterpret_cast<const char*>(png + 12), 4).compare("IHDR"));
    EXPECT_EQ(8, png[24]); // bits per channel
    EXPECT_EQ(6, png[25]); // colour type: RGBA
    EXPECT_EQ(UINT(GetParam().width), bitmap_.GetWidth());
    EXPECT_EQ(UINT(GetParam().height), bitmap_.GetHeight());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EmbeddedImageTest, testing::ValuesIn(kAll), CaseName);

class TitleImageTest : public EmbeddedImageTest {};

TEST_P(TitleImageTest, IsTranslucentOverItsWholeArea) {
    int transparent = 0;
    ForEachPixel(bitmap_, 0, 0, GetParam().width, GetParam().height,
                 [&](int, int, ArgbColor p) { transparent += Alpha(p) == 0; });
    EXPECT_EQ(0, transparent);
}

INSTANTIATE_TEST_SUITE_P(TitleBar, TitleImageTest, testing::ValuesIn(kAll, kAll + 6), CaseName);

// A picture drawn in one colour: every pixel that shows at all has that colour, and some are
// fully opaque.
void ExpectSingleColour(const PlusBitmap& bitmap, int x0, int width, ArgbColor rgb) {
    int opaque = 0, stray = 0;
    ForEachPixel(bitmap, x0, 0, width, bitmap.GetHeight(), [&](int, int, ArgbColor p) {
        if (Alpha(p) == 255) ++opaque;
        if (Alpha(p) != 0 && (p & kRgbMask) != rgb) ++stray;
    });
    EXPECT_GT(opaque, 0);
    EXPECT_EQ(0, stray);
}

struct Chevron {
    const char* name;
    const ImageBytes* image;
    int dx, dy; // where the tip points
};

class ChevronTest : public testing::TestWithParam<Chevron> {};

// The tip of a chevron lies on the centre line, ahead of the arms: the coverage of the two
// centre lines sits further in the pointing direction than the coverage of the whole picture.
TEST_P(ChevronTest, IsLightBlueAndPointsItsWay) {
    const Chevron& c = GetParam();
    PlusBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromBytes(*c.image));
    ExpectSingleColour(bitmap, 0, 14, 0x98C1D6);

    double all = 0, all_weight = 0, centre = 0, centre_weight = 0;
    ForEachPixel(bitmap, 0, 0, 14, 14, [&](int x, int y, ArgbColor p) {
        double along = c.dx * x + c.dy * y;
        int across = c.dx ? y : x;
        all += along * Alpha(p);
        all_weight += Alpha(p);
        if (across == 6 || across == 7) {
            centre += along * Alpha(p);
            centre_weight += Alpha(p);
        }
    });
    ASSERT_GT(centre_weight, 0);
    EXPECT_GT(centre / centre_weight, all / all_weight + 1.0);
}

INSTANTIATE_TEST_SUITE_P(Arrows, ChevronTest,
                         testing::Values(Chevron{"Up", &images::ArrowUpImage, 0, -1},
                                         Chevron{"Down", &images::ArrowDownImage, 0, 1},
                                         Chevron{"Left", &images::ArrowLeftImage, -1, 0},
                                         Chevron{"Right", &images::ArrowRightImage, 1, 0}),
                         [](const testing::TestParamInfo<Chevron>& info) {
                             return std::string(info.param.name);
                         });

TEST(DropTriangleImage, IsADarkGreyTrianglePointingDown) {
    PlusBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromBytes(images::DropTriangleImage));
    ExpectSingleColour(bitmap, 0, 7, 0x333333);
    auto row_cover = [&](int y) {
        int sum = 0;
        ForEachPixel(bitmap, 0, y, 7, 1, [&](int, int, ArgbColor p) { sum += Alpha(p); });
        return sum;
    };
    EXPECT_GT(row_cover(1), row_cover(3));
    EXPECT_EQ(255u, Alpha(bitmap.GetPixel(3, 1)));
}

constexpr int kCellWidth = 21;
constexpr ArgbColor kMagenta = 0xFFFF00FF;
constexpr ArgbColor kCheckGreen = 0x5D9702;

int CellLeft(int cell) {
    return (cell - 1) * (kCellWidth + 1);
}

class CheckStripTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(strip_.LoadFromBytes(images::CheckStripImage)); }
    PlusBitmap strip_;
};

TEST_F(CheckStripTest, SixCellsBetweenOpaqueMagentaColumns) {
    for (int x = 0; x < 131; ++x) {
        bool separator = x == 21 || x == 43 || x == 65 || x == 87 || x == 109;
        for (int y = 0; y < 16; ++y) {
            ArgbColor p = strip_.GetPixel(x, y);
            if (separator)
                ASSERT_EQ(kMagenta, p) << "x " << x << " y " << y;
            else
                ASSERT_NE(kMagenta, p) << "x " << x << " y " << y;
        }
    }
}

struct BoxCell {
    int cell;
    ArgbColor border; // ARGB
    ArgbColor fill;
};

class CheckStripBoxTest : public CheckStripTest, public testing::WithParamInterface<BoxCell> {};

// The box spans x 1..13 and y 2..14 of its cell; its outline is one pixel wide.
TEST_P(CheckStripBoxTest, BorderAndFillHaveTheCellColours) {
    const BoxCell& c = GetParam();
    int left = CellLeft(c.cell);
    EXPECT_EQ(c.border, strip_.GetPixel(left + 1, 8));  // left edge
    EXPECT_EQ(c.border, strip_.GetPixel(left + 13, 8)); // right edge
    EXPECT_EQ(c.border, strip_.GetPixel(left + 7, 2));  // top edge
    EXPECT_EQ(c.border, strip_.GetPixel(left + 7, 14)); // bottom edge
    EXPECT_EQ(c.fill, strip_.GetPixel(left + 7, 8));
    EXPECT_EQ(c.fill, strip_.GetPixel(left + 2, 3));
    EXPECT_EQ(0u, Alpha(strip_.GetPixel(left + 17, 8))); // beside the box: transparent
}

INSTANTIATE_TEST_SUITE_P(Boxes, CheckStripBoxTest,
                         testing::Values(BoxCell{2, 0xFF83929D, 0xFFE6EAED},
                                         BoxCell{5, 0xBF909090, 0xBFE9E9E9},
                                         BoxCell{6, 0xFF83929D, 0xFFD0D8DD}),
                         [](const testing::TestParamInfo<BoxCell>& info) {
                             return "Cell" + std::to_string(info.param.cell);
                         });

// Width and height of the box around a cell's visible pixels.
SIZE MarkExtent(const PlusBitmap& strip, int cell) {
    int x0 = kCellWidth, y0 = 16, x1 = -1, y1 = -1;
    ForEachPixel(strip, CellLeft(cell), 0, kCellWidth, 16, [&](int x, int y, ArgbColor p) {
        if (Alpha(p) < 128) return;
        x -= CellLeft(cell);
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    });
    return SIZE{x1 - x0 + 1, y1 - y0 + 1};
}

TEST_F(CheckStripTest, MarkCellsAreGreenChecksTheFirstLarger) {
    for (int cell : {1, 3, 4}) {
        SCOPED_TRACE("cell " + std::to_string(cell));
        ExpectSingleColour(strip_, CellLeft(cell), kCellWidth, kCheckGreen);
    }
    SIZE large = MarkExtent(strip_, 1), small = MarkExtent(strip_, 3);
    EXPECT_GT(large.cx, small.cx + 4);
    EXPECT_GT(large.cy, small.cy + 2);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < kCellWidth; ++x)
            ASSERT_EQ(strip_.GetPixel(CellLeft(3) + x, y), strip_.GetPixel(CellLeft(4) + x, y));
}

TEST(CheckStripCells, ImageStripCutsSixCellsOfTwentyOneBySixteen) {
    qz::ImageStrip strip;
    ASSERT_EQ(6, strip.LoadStrip(images::CheckStripImage));
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(21, strip.GetCellWidth(i)) << "cell " << i;
        EXPECT_EQ(16, strip.GetCellHeight(i)) << "cell " << i;
    }
    PlusBitmap hover_box;
    ASSERT_TRUE(hover_box.LoadFromBytes(strip.GetCell(2)));
    EXPECT_EQ(0xFF83929Du, hover_box.GetPixel(1, 8));
    EXPECT_EQ(0xFFE6EAEDu, hover_box.GetPixel(7, 8));
}

} // namespace
