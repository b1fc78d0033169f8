#include "engine/controls/buttons/check_radio.h"

#include "engine/controls/buttons/push_button.h"
#include "engine/core/engine.h"
#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/window_table.h"
#include "engine/draw/colors.h"
#include "engine/draw/compositing.h"
#include "engine/draw/plus.h"

namespace qz {

namespace {

constexpr int kNoWrap = 0x1000; // StringFormatFlagsNoWrap
constexpr float kShrunkScale = 0.6f;
constexpr float kRadioSize = 12.0f;

ClickFrameObserver g_frameObserver = nullptr;

// BS_AUTORADIOBUTTON only: a plain BS_RADIOBUTTON keeps the system's look.
bool IsRadioStyle(LONG_PTR style) {
    return (style & 0x9) == 0x9 && !(style & 0x2) && !(style & 0x4);
}

// BS_CHECKBOX and BS_AUTOCHECKBOX; the three-state kinds are left to the system.
bool IsCheckStyle(LONG_PTR style) {
    return (style & 0x2) && !(style & 0x4);
}

int FamilyKind(LONG_PTR style) {
    if ((style & BS_OWNERDRAW) == BS_OWNERDRAW) return 0;
    if (IsRadioStyle(style)) return kRadioButton;
    if (IsCheckStyle(style)) return kCheckBox;
    return 0;
}

bool IsChecked(HWND control) {
    return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

struct ClientBox {
    float x;
    float y;
    float width;
    float height;
};

ClientBox ClientBoxOf(const RECT& client) {
    return {static_cast<float>(client.left), static_cast<float>(client.top),
            static_cast<float>(client.right - client.left),
            static_cast<float>(client.bottom - client.top)};
}

// Everything a check box or radio button draws stays within its client area and one pixel
// beyond.
void ClipToClient(PlusGraphics& graphics, const ClientBox& box) {
    graphics.SetClipRect(box.x, box.y, box.width + 1, box.height + 1);
}

void DrawCaption(PlusGraphics& graphics, const ButtonSkin& record, COLORREF colour,
                 const RectF& layout) {
    PlusFont font;
    font.Create(record.font_face, static_cast<float>(record.font_size), record.font_style,
                Gdiplus::UnitPixel);
    PlusStringFormat format;
    format.Create(kNoWrap);
    format.SetAlign(Gdiplus::StringAlignmentNear);
    format.SetLineAlign(Gdiplus::StringAlignmentCenter);
    PlusSolidBrush brush;
    brush.Create(MakeArgb(colour, 254));
    graphics.DrawString(record.text, font, brush, layout, format);
}

COLORREF TextColour(HWND control) {
    return static_cast<COLORREF>(GetPropValue(control, props::Kj_Ztys));
}

// The common frame of both painters: the record's font read anew, the window's skin under the
// client area, the look drawn by draw(graphics, client box), the image presented and put on the
// control.
template <class Draw> void PaintFamilyControl(HWND control, Draw&& draw) {
    ButtonSkin* record = FindControlRecord(control, &WindowSkin::buttons);
    if (!Engine.started || !record || record->window != control) return;
    RefreshButtonFont(control, *record);
    RECT client{};
    GetClientRect(control, &client);
    ClientBox box = ClientBoxOf(client);
    PaintControl(control, client, ControlSurface::Client, [&](HDC dc, int, int) {
        PlusGraphics graphics;
        if (!graphics.FromHdc(dc)) return;
        ClipToClient(graphics, box);
        draw(graphics, *record, box);
    });
}

void DrawCell(PlusGraphics& graphics, int cell, float x, float y, float scale = 1.0f) {
    PlusImage image;
    if (!image.LoadFromBytes(CheckStrip.GetCell(cell))) return;
    graphics.DrawImageRectRect(image, x, y, CheckStrip.GetCellWidth(cell) * scale,
                               CheckStrip.GetCellHeight(cell) * scale);
}

int BoxCell(UINT state, bool animating) {
    if (animating) return kCellBox;
    if (state & kStateDisabled) return kCellDisabledBox;
    return (state & kStateHot) ? kCellHotBox : kCellBox;
}

// The mark drawn over the box: the settled mark of a checked box, or the mark of an animation
// frame (none for frame 0 and 2).
void DrawMark(PlusGraphics& graphics, const ClientBox& box, bool animating, int frame) {
    float top = box.y + (box.height - CheckStrip.GetCellHeight(kCellMark)) / 2;
    if (!animating) return DrawCell(graphics, kCellMark, box.x, top);
    if (frame == 1) DrawCell(graphics, kCellLargeMark, box.x, top);
    if (frame == 3) DrawCell(graphics, kCellMark, box.x, top);
    if (frame != 4) return;
    float width = CheckStrip.GetCellWidth(kCellShrunkMark) * kShrunkScale;
    float height = CheckStrip.GetCellHeight(kCellShrunkMark) * kShrunkScale;
    DrawCell(graphics, kCellShrunkMark,
             box.x + (CheckStrip.GetCellWidth(kCellShrunkMark) - width) / 2,
             box.y + (box.height - height) / 2, kShrunkScale);
}

void FillRadial(PlusGraphics& graphics, const RectF& r, ArgbColor centre, ArgbColor surround,
                float focus) {
    PlusPath path;
    path.Create();
    path.AddEllipse(r.X, r.Y, r.Width, r.Height);
    PlusPathGradientBrush brush;
    brush.FromPath(path);
    brush.SetCenterColor(centre);
    brush.SetSurroundColors(&surround, 1);
    if (focus > 0) brush.SetFocusScales(focus, focus);
    graphics.FillPath(brush, path);
}

void FillLinear(PlusGraphics& graphics, const RectF& r, PointF from, PointF to, ArgbColor a,
                ArgbColor b) {
    PlusLinearGradientBrush brush;
    brush.Create(from, to, a, b);
    graphics.FillEllipse(brush, r.X, r.Y, r.Width, r.Height);
}

void FillCircle(PlusGraphics& graphics, const RectF& r, ArgbColor colour) {
    PlusSolidBrush brush;
    brush.Create(colour);
    graphics.FillEllipse(brush, r.X, r.Y, r.Width, r.Height);
}

void OutlineCircle(PlusGraphics& graphics, const RectF& r, ArgbColor colour) {
    PlusPen pen;
    pen.Create(colour, 1.0f);
    graphics.DrawEllipse(pen, r.X, r.Y, r.Width, r.Height);
}

RectF BodyCircle(const ClientBox& box, float top) {
    return MakeRectF(box.x + 2, top, kRadioSize, kRadioSize);
}

// The halo is laid in the ring between the body and a larger circle around it.
void DrawRadioHalo(PlusGraphics& graphics, const ClientBox& box, float top) {
    RectF body = BodyCircle(box, top);
    RectF halo = MakeRectF(box.x - 1, top - 3, 18, 18);
    PlusPath bodyPath;
    bodyPath.Create();
    bodyPath.AddEllipse(body.X, body.Y, body.Width, body.Height);
    PlusPath haloPath;
    haloPath.Create();
    haloPath.AddEllipse(halo.X, halo.Y, halo.Width, halo.Height);
    graphics.SetClipPath(bodyPath, Gdiplus::CombineModeIntersect);
    graphics.SetClipPath(haloPath, Gdiplus::CombineModeXor);
    FillRadial(graphics, halo, MakeArgb(kWhite, 254), MakeArgb(kWhite, 0), 0.4f);
    FillRadial(graphics, halo, MakeArgb(ThemeColor), MakeArgb(kWhite, 0), 0.3f);
    FillLinear(graphics, body, MakePointF(box.x + 3, top + 1), MakePointF(box.x + 11, top + 12),
               MakeArgb(ThemeColor, 100), MakeArgb(kBlack, 0));
    ClipToClient(graphics, box);
}

void DrawRadioDot(PlusGraphics& graphics, float x, float top, bool disabled) {
    RectF dot = MakeRectF(x + 5, top + 3, 6, 6);
    OutlineCircle(graphics, dot, MakeArgb(kBlack, 150));
    OutlineCircle(graphics, dot, MakeArgb(ThemeColor, 150));
    COLORREF surround = disabled ? kDisabledTextColor : ThemeColor;
    FillRadial(graphics, dot, MakeArgb(kWhite, 80), MakeArgb(surround, 254), 0);
}

void DrawRadio(PlusGraphics& graphics, HWND control, const ButtonSkin& record, const ClientBox& box,
               UINT state, bool checked) {
    bool disabled = (state & kStateDisabled) != 0;
    bool hover = (state & kStateHot) && !disabled;
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    float top = box.y + (box.height - kRadioSize) / 2;
    RectF body = BodyCircle(box, top);
    FillCircle(graphics, body, MakeArgb(kWhite, 254));
    FillLinear(graphics, body, MakePointF(box.x + 3, top + 1), MakePointF(box.x + 10, top + 11),
               MakeArgb(kBlack, 100), MakeArgb(kBlack, 0));
    if (hover) DrawRadioHalo(graphics, box, top);
    OutlineCircle(graphics, body, MakeArgb(kBlack, 200));
    OutlineCircle(graphics, MakeRectF(box.x + 3, box.y + (box.height - 11) / 2 + 1, 9, 9),
                  MakeArgb(kWhite, 254));
    if (checked) DrawRadioDot(graphics, box.x, top, disabled);
    DrawCaption(graphics, record, disabled ? kDisabledTextColor : TextColour(control),
                MakeRectF(box.x + 15, box.y + 2, box.width, box.height));
}

struct AnimationFrame {
    int frame;
    DWORD pause_ms;
};

// A checked box loses its mark from large to none; an unchecked one runs the marks the other
// way, though only a checked box shows them.
constexpr AnimationFrame kShrinkingMarks[] = {{1, 50}, {3, 45}, {4, 30}, {0, 0}};
constexpr AnimationFrame kGrowingMarks[] = {{4, 50}, {3, 45}, {1, 40}, {3, 0}};

} // namespace

void InstallCheckAndRadio(int windowIndex, HWND parent) {
    if (!Engine.started || !WindowTable.At(windowIndex)) return;
    for (HWND child = FindWindowExA(parent, nullptr, "BUTTON", nullptr); child;
         child = FindWindowExA(parent, child, "BUTTON", nullptr)) {
        int kind = FamilyKind(GetWindowLongPtrA(child, GWL_STYLE));
        if (!kind) continue;
        bool checked = IsChecked(child);
        int index = TakeOverButton(windowIndex, child, kind);
        if (!index) continue;
        ButtonSkin& record = *WindowTable.At(windowIndex)->buttons.At(index);
        record.checked = checked ? 1 : 0;
        record.parent = parent;
        if (kind == kCheckBox) SetPropValue(child, props::Xzk_dhxg, 1);
    }
}

void PaintCheck(HWND control, UINT state, bool animating, int frame) {
    bool checked = IsChecked(control);
    PaintFamilyControl(
        control, [&](PlusGraphics& graphics, const ButtonSkin& record, const ClientBox& box) {
            float top = box.y + (box.height - CheckStrip.GetCellHeight(kCellBox)) / 2;
            DrawCell(graphics, BoxCell(state, animating), box.x, top);
            if (checked) DrawMark(graphics, box, animating, frame);
            DrawCaption(graphics, record, TextColour(control),
                        MakeRectF(box.x + CheckStrip.GetCellWidth(kCellBox) - 4, box.y + 2,
                                  box.width, box.height + 1));
        });
}

void PaintRadio(HWND control, UINT state) {
    bool checked = IsChecked(control);
    PaintFamilyControl(control,
                       [&](PlusGraphics& graphics, const ButtonSkin& record, const ClientBox& box) {
                           DrawRadio(graphics, control, record, box, state, checked);
                       });
}

void AnimateCheckClick(HWND control) {
    bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) != 0;
    for (const AnimationFrame& step : checked ? kShrinkingMarks : kGrowingMarks) {
        PaintCheck(control, 0, true, step.frame);
        if (g_frameObserver) g_frameObserver(control, step.frame);
        if (step.pause_ms) Sleep(step.pause_ms);
    }
}

void ObserveClickFrames(ClickFrameObserver observer) {
    g_frameObserver = observer;
}

} // namespace qz
