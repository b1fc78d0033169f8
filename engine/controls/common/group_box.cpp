#include "engine/controls/common/group_box.h"

#include <string>

#include "engine/controls/common/container.h"
#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/draw/colors.h"
#include "engine/draw/compositing.h"
#include "engine/draw/plus.h"
#include "engine/draw/text.h"

namespace qz {

namespace {

constexpr int kCaptionMargin = 10;
constexpr int kFrameTop = 5;
// The caption box reaches this far above the frame line; those rows lie outside the frame.
constexpr int kCaptionRowsAboveFrame = 4;

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    int length = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

void DrawOutline(PlusGraphics& graphics, ArgbColor colour, float x, float y, float width,
                 float height, int corner) {
    PlusPen pen;
    pen.Create(colour, 1.0f);
    PlusPath path;
    path.Create();
    AddRoundRect(path, x, y, width, height, corner);
    graphics.DrawPath(pen, path);
}

void DrawFrame(HDC dc, int width, int height) {
    PlusGraphics graphics;
    graphics.FromHdc(dc);
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    DrawOutline(graphics, MakeArgb(0x000000, 40), 0, kFrameTop, w - 1, h - 6, 5);
    DrawOutline(graphics, MakeArgb(0xFFFFFF, 90), 1, kFrameTop + 1, w - 3, h - 8, 3);
}

void FillTint(PlusGraphics& graphics, const RectF& area, COLORREF colour, std::uint8_t alpha) {
    PlusSolidBrush brush;
    brush.Create(MakeArgb(colour, alpha));
    graphics.FillRectangle(brush, area.X, area.Y, area.Width, area.Height);
}

// The rows of the caption box above the frame belong to the area around the group box: they
// take the tint of the container the group box lies in, when that one is tinted.
void TintAboveFrame(PlusGraphics& graphics, HWND groupBox, const RECT& caption,
                    const RectF& inner) {
    HWND parent = GetParent(groupBox);
    const ContainerSkin* outer = FindContainer(parent);
    if (!outer || outer->tint_color == 0 || GetPropValue(parent, props::Wxk_Zpf) != 0) return;
    if (AddressOfControl(parent).window != AddressOfControl(groupBox).window) return;
    graphics.SetClipRect(0, 0, static_cast<float>(caption.right),
                         static_cast<float>(caption.bottom));
    graphics.SetClipRect(inner.X, inner.Y, inner.Width, inner.Height, Gdiplus::CombineModeXor);
    FillTint(graphics,
             RectF(static_cast<float>(caption.left), static_cast<float>(caption.top),
                   static_cast<float>(caption.right - caption.left),
                   static_cast<float>(caption.bottom - caption.top)),
             outer->tint_color, outer->tint_alpha);
    graphics.ResetClip();
}

// The caption box's part inside the frame takes the group box's own tint.
void TintInsideFrame(PlusGraphics& graphics, const ContainerSkin& record, const RectF& inner) {
    graphics.SetClipRect(inner.X, inner.Y, inner.Width, inner.Height);
    FillTint(graphics, inner, record.tint_color, record.tint_alpha);
    graphics.ResetClip();
}

void DrawCaption(PlusGraphics& graphics, HWND groupBox, const ContainerSkin& record,
                 const std::string& text, const RectF& layout) {
    PlusFont font;
    font.Create(record.font_face, static_cast<float>(record.font_size), record.font_style);
    PlusStringFormat format;
    format.Create(0, 0);
    format.SetAlign(Gdiplus::StringAlignmentCenter);
    PlusSolidBrush brush;
    brush.Create(MakeArgb(static_cast<COLORREF>(GetPropValue(groupBox, props::Kj_Ztys)), 255));
    graphics.DrawString(text, font, brush, layout, format);
}

} // namespace

float GroupCaptionX(LONG_PTR style, int width, int textWidth) {
    const bool left = (style & BS_LEFT) != 0;
    const bool right = (style & BS_RIGHT) != 0;
    if (left && right) return static_cast<float>(width - textWidth) / 2.0f;
    if (!left) return static_cast<float>(width - textWidth - kCaptionMargin);
    return static_cast<float>(kCaptionMargin);
}

void PaintGroupBox(HWND groupBox, const ContainerSkin& record, HDC dc, int width, int height) {
    DrawFrame(dc, width, height);

    const std::string text = WindowText(groupBox);
    const int textWidth = MeasureTextWidth(text, record.font_face,
                                           static_cast<float>(record.font_size), record.font_style);
    const float x = GroupCaptionX(GetWindowLongPtrA(groupBox, GWL_STYLE), width, textWidth);
    const RectF layout(x, 1.0f, static_cast<float>(textWidth),
                       static_cast<float>(record.font_size + 3));
    const RECT caption{static_cast<LONG>(x), 1, static_cast<LONG>(x + textWidth),
                       record.font_size + 4};

    // The frame lines must not run through the caption.
    CopyBackgroundUnder(groupBox, caption, dc, caption.left, caption.top);

    PlusGraphics graphics;
    graphics.FromHdc(dc);
    if (record.tint_color != 0) {
        const RectF inner(
            static_cast<float>(caption.left),
            static_cast<float>(caption.top + kCaptionRowsAboveFrame),
            static_cast<float>(caption.right - caption.left),
            static_cast<float>(caption.bottom - caption.top - kCaptionRowsAboveFrame));
        TintAboveFrame(graphics, groupBox, caption, inner);
        TintInsideFrame(graphics, record, inner);
    }
    DrawCaption(graphics, groupBox, record, text, layout);
}

} // namespace qz
