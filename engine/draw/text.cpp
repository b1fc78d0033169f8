#include "engine/draw/text.h"
#include <cmath>
#include "engine/draw/colors.h"
#include "engine/draw/gdi_guards.h"

namespace qz {

namespace {

constexpr Gdiplus::StringFormatFlags kLineLimit = Gdiplus::StringFormatFlagsLineLimit;
constexpr int kNoWrapLineLimit = Gdiplus::StringFormatFlagsNoWrap | kLineLimit;

int FontSizeOf(float size) {
    if (std::fabs(size) <= 1e-7f) return kDefaultFontSize;
    return static_cast<int>(size);
}

// The smoothing used to shrink and enlarge the halo.
void SetHaloQuality(PlusGraphics& graphics) {
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetCompositingQuality(Gdiplus::CompositingQualityGammaCorrected);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
}

// Draws picture scaled onto a new width x height bitmap (twice over when passes is 2).
bool ScaleInto(const PlusBitmap& picture, int width, int height, int passes, PlusBitmap& out) {
    if (!out.CreateEmpty(width, height)) return false;
    PlusGraphics graphics;
    if (!graphics.FromImage(out)) return false;
    SetHaloQuality(graphics);
    bool ok = true;
    for (int i = 0; i < passes; ++i)
        ok = graphics.DrawImageRectRect(picture, 0, 0, static_cast<float>(width),
                                        static_cast<float>(height)) &&
             ok;
    return ok;
}

// The blurred halo: the text drawn opaque in the glow colour, shrunk by scale, enlarged again.
bool MakeHalo(const std::string& text, const PlusFont& font, const PlusStringFormat& format,
              COLORREF glowColour, int width, int height, int scale, PlusBitmap& halo) {
    if (scale < 1 || width / scale < 1 || height / scale < 1) return false;
    PlusBitmap sharp;
    if (!sharp.CreateEmpty(width, height)) return false;
    {
        PlusGraphics graphics;
        if (!graphics.FromImage(sharp)) return false;
        graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
        PlusSolidBrush brush;
        brush.Create(MakeArgb(glowColour));
        RectF box(0, 0, static_cast<float>(width), static_cast<float>(height));
        graphics.DrawString(text, font, brush, box, format);
    }
    PlusBitmap small;
    // The second pass strengthens the shrunken halo.
    if (!ScaleInto(sharp, width / scale, height / scale, 2, small)) return false;
    sharp.Dispose();
    return ScaleInto(small, width, height, 1, halo);
}

// Draws the text in colour once in a rect-sized box at (x + dx, y + dy) for each offset.
bool DrawCopies(PlusGraphics& graphics, const std::string& text, const PlusFont& font,
                const PlusStringFormat& format, ArgbColor colour, float x, float y, float width,
                float height, std::initializer_list<PointF> offsets) {
    PlusSolidBrush brush;
    brush.Create(colour);
    bool ok = true;
    for (const PointF& d : offsets)
        ok = graphics.DrawString(text, font, brush, RectF(x + d.X, y + d.Y, width, height),
                                 format) &&
             ok;
    return ok;
}

} // namespace

FontSpec ControlFont(HWND window) {
    FontSpec result{kDefaultFace, kDefaultFontSize, 0};
    auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (handle == nullptr) return result;
    WindowDC dc(window);
    PlusFont font;
    font.FromHdc(dc.Get(), handle);
    result.size = FontSizeOf(font.GetSize());
    result.style = font.GetStyle();
    PlusFontFamily family;
    font.GetFamily(family);
    std::string name = family.GetName();
    family.Delete();
    if (!name.empty()) result.face = name;
    return result;
}

bool PrepareTextFormat(PlusStringFormat& format, int alignment, int lineAlignment, bool wrap,
                       bool ellipsis) {
    bool ok = format.Create(wrap ? kLineLimit : kNoWrapLineLimit);
    if (ellipsis) ok = format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter) && ok;
    ok = format.SetAlign(static_cast<Gdiplus::StringAlignment>(alignment)) && ok;
    return format.SetLineAlign(static_cast<Gdiplus::StringAlignment>(lineAlignment)) && ok;
}

bool DrawGlowText(PlusGraphics& graphics, const std::string& text, const RectF& rect,
                  COLORREF textColour, COLORREF glowColour, int scale, const std::string& face,
                  int style, float size, int alignment, int lineAlignment, bool wrap, bool ellipsis,
                  const PlusStringFormat* format) {
    PlusFont font;
    font.Create(face, size, style);
    PlusStringFormat prepared;
    if (format == nullptr) PrepareTextFormat(prepared, alignment, lineAlignment, wrap, ellipsis);
    const PlusStringFormat& used = format ? *format : prepared;
    const int width = static_cast<int>(rect.Width);
    const int height = static_cast<int>(rect.Height);
    {
        PlusBitmap halo;
        if (MakeHalo(text, font, used, glowColour, width, height, scale, halo))
            graphics.DrawImage(halo, rect.X, rect.Y);
    }
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    DrawCopies(graphics, text, font, used, MakeArgb(glowColour, 60), rect.X, rect.Y, w, h,
               {{0, 1}, {2, 1}, {1, 0}, {1, 2}});
    return DrawCopies(graphics, text, font, used, MakeArgb(textColour, 254), rect.X, rect.Y, w, h,
                      {{1, 1}});
}

bool DrawOutlinedText(PlusGraphics& graphics, const std::string& text, const RectF& rect,
                      COLORREF textColour, COLORREF outlineColour, int outlineWidth,
                      const std::string& face, int style, float size, int alignment,
                      int lineAlignment, bool wrap, bool ellipsis) {
    PlusFont font;
    font.Create(face, size, style);
    PlusStringFormat format;
    PrepareTextFormat(format, alignment, lineAlignment, wrap, ellipsis);
    const auto d = static_cast<float>(outlineWidth);
    DrawCopies(graphics, text, font, format, MakeArgb(outlineColour, 150), rect.X, rect.Y,
               rect.Width, rect.Height, {{d, 0}, {-d, 0}, {0, d}, {0, -d}});
    return DrawCopies(graphics, text, font, format, MakeArgb(textColour), rect.X, rect.Y,
                      rect.Width, rect.Height, {{0, 0}});
}

int MeasureTextWidth(const std::string& text, const std::string& face, float size, int style) {
    CompatibleDC dc;
    PlusGraphics graphics;
    graphics.FromHdc(dc.Get());
    PlusFont font;
    font.Create(face, size, style);
    RectF bounds;
    graphics.MeasureString(text, font, RectF(), PlusStringFormat(), bounds);
    return static_cast<int>(bounds.Width) + 1;
}

} // namespace qz
