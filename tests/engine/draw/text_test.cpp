#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "engine/draw/colors.h"
#include "engine/draw/text.h"
#include "tests/engine/draw/plus_test_support.h"
#include "tests/support/win_helpers.h"

namespace {

using qz::ArgbColor;
using qz::PlusBitmap;
using qz::PlusGraphics;
using qz::RectF;

constexpr int kWidth = 90;
constexpr int kHeight = 44;
constexpr float kSize = 18;
const char* const kCaption = "工口H";

// The pixels of a transparent canvas after draw(graphics) ran on it.
class Canvas {
  public:
    explicit Canvas(const std::function<void(PlusGraphics&)>& draw) {
        PlusBitmap bitmap;
        EXPECT_TRUE(bitmap.CreateEmpty(kWidth, kHeight));
        {
            PlusGraphics graphics;
            EXPECT_TRUE(graphics.FromImage(bitmap));
            graphics.Clear(0);
            graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
            draw(graphics);
        }
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                pixels_.push_back(bitmap.GetPixel(x, y));
    }
    // Transparent outside the canvas.
    ArgbColor At(int x, int y) const {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return 0;
        return pixels_[static_cast<std::size_t>(y * kWidth + x)];
    }
    int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }

  private:
    std::vector<ArgbColor> pixels_;
};

// The caption alone, opaque black, in the rectangle (x, y, w, h), as both looks lay it out.
Canvas PlainText(float x, float y, float w, float h) {
    return Canvas([=](PlusGraphics& g) {
        qz::PlusFont font;
        font.Create(qz::kDefaultFace, kSize);
        qz::PlusStringFormat format;
        qz::PrepareTextFormat(format, 0, 0, true, false);
        qz::PlusSolidBrush brush;
        brush.Create(0xFF000000);
        g.DrawString(kCaption, font, brush, RectF(x, y, w, h), format);
    });
}

// How the plain text covers a pixel and its four direct neighbours.
struct Neighbourhood {
    bool solid;       // the text covers the pixel fully
    bool empty;       // the text does not touch the pixel
    bool besideSolid; // empty, and a direct neighbour is fully covered
    bool isolated;    // empty, and so are the four direct neighbours
};

Neighbourhood Around(const Canvas& text, int x, int y) {
    const int a = text.Alpha(x, y);
    const int n[] = {text.Alpha(x - 1, y), text.Alpha(x + 1, y), text.Alpha(x, y - 1),
                     text.Alpha(x, y + 1)};
    bool nearSolid = false;
    bool nearAny = false;
    for (int v : n) {
        nearSolid = nearSolid || v == 255;
        nearAny = nearAny || v != 0;
    }
    return {a == 255, a == 0, a == 0 && nearSolid, a == 0 && !nearAny};
}

struct Tally {
    int solid = 0;
    int beside = 0;
    int farLit = 0;
};

// Checks every pixel of drawn against the plain text's neighbourhoods with the given rules.
Tally Compare(const Canvas& text, const Canvas& drawn,
              const std::function<void(const Neighbourhood&, ArgbColor, Tally&)>& rule) {
    Tally tally;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            rule(Around(text, x, y), drawn.At(x, y), tally);
        }
    return tally;
}

int Red(ArgbColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Blue(ArgbColor c) {
    return static_cast<int>(c & 0xFF);
}
int AlphaOf(ArgbColor c) {
    return static_cast<int>(c >> 24);
}

// Anti-aliased edges are compared only where coverage is all or nothing, which Wine's and
// Windows' rasterisers agree on; every rule below ignores partly covered pixels.
TEST(DrawOutlinedText, CopiesTheOutlineOnePixelAroundTheTextAwayFromAntiAliasedEdges) {
    const RectF rect(10, 8, 70, 30);
    Canvas text = PlainText(rect.X, rect.Y, rect.Width, rect.Height);
    Canvas drawn([&](PlusGraphics& g) {
        EXPECT_TRUE(qz::DrawOutlinedText(g, kCaption, rect, 0x000000, 0x0000FF, 1, qz::kDefaultFace,
                                         0, kSize));
    });
    Tally t = Compare(text, drawn, [](const Neighbourhood& n, ArgbColor c, Tally& tally) {
        if (n.solid) {
            ++tally.solid;
            EXPECT_EQ(c, 0xFF000000u) << "the text itself, opaque";
        } else if (n.besideSolid) {
            ++tally.beside;
            EXPECT_EQ(c & 0x00FFFFFF, 0x00FF0000u) << "only outline colour beside the text";
            EXPECT_GE(AlphaOf(c), 148) << "at least one outline copy of alpha 150";
        } else if (n.isolated) {
            EXPECT_EQ(c, 0u) << "nothing two pixels away";
        }
    });
    EXPECT_GT(t.solid, 30);
    EXPECT_GT(t.beside, 8);
}

TEST(DrawOutlinedText, AWiderOutlineReachesFurther) {
    const RectF rect(10, 8, 70, 30);
    Canvas text = PlainText(rect.X, rect.Y, rect.Width, rect.Height);
    Canvas drawn([&](PlusGraphics& g) {
        qz::DrawOutlinedText(g, kCaption, rect, 0x000000, 0x0000FF, 3, qz::kDefaultFace, 0, kSize);
    });
    int threeAway = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (text.Alpha(x, y) == 255 && text.Alpha(x + 1, y) == 0 && text.Alpha(x + 2, y) == 0 &&
                text.Alpha(x + 3, y) == 0 && Around(text, x + 3, y).isolated) {
                ++threeAway;
                EXPECT_EQ(drawn.At(x + 3, y) & 0x00FFFFFF, 0x00FF0000u);
                EXPECT_GE(AlphaOf(drawn.At(x + 3, y)), 148);
            }
        }
    }
    EXPECT_GT(threeAway, 5);
}

// Glow: text in blue one pixel right and down, outline copies and halo in red.
void DrawGlow(PlusGraphics& g, const RectF& rect, int scale) {
    EXPECT_TRUE(
        qz::DrawGlowText(g, kCaption, rect, 0xFF0000, 0x0000FF, scale, qz::kDefaultFace, 0, kSize));
}

void GlowRule(const Neighbourhood& n, ArgbColor c, Tally& tally) {
    if (n.solid) {
        ++tally.solid;
        EXPECT_GE(Blue(c), 250) << "the text at alpha 254 on top";
        EXPECT_LE(Red(c), 5);
        EXPECT_GE(AlphaOf(c), 254);
    } else if (n.besideSolid) {
        ++tally.beside;
        EXPECT_EQ(Blue(c), 0) << "only glow colour beside the text";
        EXPECT_GT(Red(c), 200);
        EXPECT_GE(AlphaOf(c), 58) << "at least one outline copy of alpha 60";
    } else if (n.isolated && c != 0) {
        ++tally.farLit;
        EXPECT_EQ(Blue(c), 0) << "the halo is in the glow colour";
    }
}

TEST(DrawGlowText, PutsTheTextOnePixelInOverOutlineCopiesAndAHaloAwayFromAntiAliasedEdges) {
    const RectF rect(8, 6, 72, 32);
    Canvas text = PlainText(rect.X + 1, rect.Y + 1, rect.Width, rect.Height);
    Canvas drawn([&](PlusGraphics& g) { DrawGlow(g, rect, 4); });
    Tally t = Compare(text, drawn, GlowRule);
    EXPECT_GT(t.solid, 30);
    EXPECT_GT(t.beside, 8);
    EXPECT_GT(t.farLit, 30) << "the halo lights pixels beyond the outline";
    // The halo lies inside the rectangle; the copies reach two pixels past its corner.
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (x < rect.X - 1 || y < rect.Y - 1 || x > rect.X + rect.Width + 2 ||
                y > rect.Y + rect.Height + 2) {
                EXPECT_EQ(drawn.At(x, y), 0u) << x << "," << y;
            }
        }
    }
}

TEST(DrawGlowText, ARectangleSmallerThanTheScaleGetsNoHaloButTheOutlineAndText) {
    const RectF rect(8, 6, 72, 32);
    Canvas text = PlainText(rect.X + 1, rect.Y + 1, rect.Width, rect.Height);
    for (int scale : {80, 0, -2}) {
        SCOPED_TRACE(scale);
        Canvas drawn([&](PlusGraphics& g) { DrawGlow(g, rect, scale); });
        Tally t = Compare(text, drawn, GlowRule);
        EXPECT_GT(t.solid, 30);
        EXPECT_GT(t.beside, 8);
        EXPECT_EQ(t.farLit, 0) << "no halo";
    }
}

TEST(ControlFont, AControlWithoutAFontGetsTheDefault) {
    qztest::TestWindow window(120, 60);
    HWND label = window.AddChild("STATIC", "text", 0, 0, 0, 100, 20);
    for (HWND w : {window.Handle(), label}) {
        qz::FontSpec got = qz::ControlFont(w);
        EXPECT_EQ(got.face, "宋体");
        EXPECT_EQ(got.size, 12);
        EXPECT_EQ(got.style, 0);
    }
}

TEST(ControlFont, ReadsSizeStyleAndFaceOfTheControlsFont) {
    qztest::TestWindow window(120, 60);
    HWND label = window.AddChild("STATIC", "text", 0, 0, 0, 100, 20);
    HFONT font =
        CreateFontA(-20, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    ASSERT_NE(font, nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    qz::FontSpec got = qz::ControlFont(label);
    EXPECT_EQ(got.size, 20);
    EXPECT_EQ(got.style, Gdiplus::FontStyleBold | Gdiplus::FontStyleItalic);
    EXPECT_FALSE(got.face.empty());
    DestroyWindow(label);
    DeleteObject(font);
}

TEST(MeasureTextWidth, IsTheTruncatedWidthPlusOne) {
    EXPECT_EQ(qz::MeasureTextWidth(""), 1);
    const int one = qz::MeasureTextWidth("国");
    EXPECT_GT(one, 6);
    EXPECT_LT(one, 40);
    EXPECT_GT(qz::MeasureTextWidth("国国国"), 2 * one);
    EXPECT_GT(qz::MeasureTextWidth("国", qz::kDefaultFace, 24), one);
}

void DrawEveryLook(HWND control) {
    PlusBitmap bitmap;
    EXPECT_TRUE(bitmap.CreateEmpty(kWidth, kHeight));
    PlusGraphics g;
    EXPECT_TRUE(g.FromImage(bitmap));
    EXPECT_TRUE(qz::DrawGlowText(g, kCaption, RectF(2, 2, 80, 30), 0, 0xFFFFFF));
    EXPECT_TRUE(qz::DrawOutlinedText(g, kCaption, RectF(2, 2, 80, 30), 0, 0xFFFFFF, 1,
                                     qz::kDefaultFace, 0, 13, 1, 1, false, true));
    EXPECT_GT(qz::MeasureTextWidth(kCaption), 1);
    EXPECT_GT(qz::ControlFont(control).size, 12);
}

TEST(TextLeaks, CaptionsFontsAndMeasuresKeepHandlesAndMemory) {
    qztest::TestWindow window(120, 60);
    HWND label = window.AddChild("STATIC", "text", 0, 0, 0, 100, 20);
    HFONT font = CreateFontA(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0,
                             0, "宋体");
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (int i = 0; i < 20; ++i)
        DrawEveryLook(label);
    const qztest::ResourceCounts before = qztest::CurrentResources();
    for (int i = 0; i < 300; ++i)
        DrawEveryLook(label);
    const qztest::ResourceCounts after = qztest::CurrentResources();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_LT(after.private_bytes, before.private_bytes + 256 * 1024);
    DestroyWindow(label);
    DeleteObject(font);
}

} // namespace
