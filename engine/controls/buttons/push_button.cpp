#include "engine/controls/buttons/push_button.h"

#include <optional>
#include <string>
#include <vector>

#include "engine/controls/buttons/check_radio.h"
#include "engine/controls/common/container.h"
#include "engine/core/engine.h"
#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/window_table.h"
#include "engine/draw/colors.h"
#include "engine/draw/compositing.h"
#include "engine/draw/plus.h"
#include "engine/draw/text.h"

namespace qz {

List<FadeEntry> FadeList;

OwnedMemoryDC::~OwnedMemoryDC() {
    if (dc_) ReleaseMemoryDC(dc_);
}

namespace {

constexpr COLORREF kDisabledFace = 0x00C0C0C0;
constexpr COLORREF kGrey = 0x00808080;
constexpr int kKeyCorner = 5;
// DefWindowProc's WM_NCPAINT argument for the whole frame, as the buttons have always sent it.
constexpr WPARAM kWholeFrame = 0xFFFFFFFF;

LRESULT PassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropValue(control, props::Qz_hProc));
    if (!previous) return DefWindowProcA(control, message, wParam, lParam);
    return CallWindowProcA(previous, control, message, wParam, lParam);
}

// The record of a control that ButtonProc serves; nullptr before the engine has started and
// for a control whose indices lead elsewhere.
ButtonSkin* RecordOf(HWND control) {
    if (!Engine.started) return nullptr;
    ButtonSkin* record = FindControlRecord(control, &WindowSkin::buttons);
    return record && record->window == control ? record : nullptr;
}

std::string WindowText(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// The state bits a control's own condition adds to those a caller gives: a disabled control is
// painted disabled whoever asks for the paint.
UINT LiveState(HWND control, UINT state) {
    return IsWindowEnabled(control) ? state : state | kStateDisabled;
}

// BS_PUSHBUTTON, BS_DEFPUSHBUTTON and BS_USERBUTTON; owner-drawn buttons, check boxes, radio
// buttons and group boxes are left alone.
bool IsPushButtonStyle(LONG_PTR style) {
    if ((style & BS_OWNERDRAW) == BS_OWNERDRAW) return false;
    if (style & 0x2) return false;
    if ((style & 0x9) == 0x9) return false;
    return (style & 0x4) == 0;
}

bool IsCheckOrRadio(const ButtonSkin& record) {
    return record.kind == kRadioButton || record.kind == kCheckBox;
}

// Check boxes and radio buttons are drawn by the system whenever it handles one of their
// state messages; the engine's look is laid over that at once.
void RepaintCheckOrRadio(HWND control, UINT state) {
    const ButtonSkin* record = RecordOf(control);
    if (!record) return;
    if (record->kind == kRadioButton) PaintRadio(control, LiveState(control, state));
    if (record->kind == kCheckBox) PaintCheck(control, LiveState(control, state));
}

LRESULT PassOnAndRepaint(HWND control, UINT state, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = PassOn(control, message, wParam, lParam);
    RepaintCheckOrRadio(control, state);
    return result;
}

void PaintInPaintMessage(HWND control) {
    PaintScope paint(control);
    RepaintCheckOrRadio(control, 0);
}

void OnMouseMove(HWND control) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, control, 0};
    TrackMouseEvent(&track);
    ControlAddress where = AddressOfControl(control);
    where.window->hover_index = where.list_index;
    if (where.window->hover_index == where.window->hot_index &&
        where.window->hover_kind == kHoverPushButton)
        return;
    PaintButton(control, 0, true);
    where = AddressOfControl(control);
    if (!where.window) return;
    where.window->hot_index = where.window->hover_index;
    where.window->hover_kind = kHoverPushButton;
}

LRESULT OnButtonDown(HWND control, int kind, WPARAM wParam, LPARAM lParam) {
    LRESULT result = PassOn(control, WM_LBUTTONDOWN, wParam, lParam);
    if (kind == kRadioButton) RepaintCheckOrRadio(control, kStateSelected);
    if (kind == kCheckBox) {
        if (GetPropValue(control, props::Xzk_dhxg))
            AnimateCheckClick(control);
        else
            RepaintCheckOrRadio(control, 0);
    }
    return result;
}

void OnMouseLeave(HWND control, const ButtonSkin& record) {
    ControlAddress where = AddressOfControl(control);
    where.window->hot_index = 0;
    PaintButton(control, record.pressed ? kStateFocus : 0, false);
}

// A fade that outlives its control would blend onto a DC of a window that is gone.
void StopFadesOf(HWND control) {
    for (int i = FadeList.Count(); i >= 1; --i)
        if (FadeList.At(i)->window == control) FadeList.RemoveAt(i);
}

void FillSolid(PlusGraphics& graphics, const PlusPath& path, ArgbColor colour) {
    PlusSolidBrush brush;
    brush.Create(colour);
    graphics.FillPath(brush, path);
}

void FillGradient(PlusGraphics& graphics, const PlusPath& path, PointF from, PointF to,
                  ArgbColor fromColour, ArgbColor toColour) {
    PlusLinearGradientBrush brush;
    brush.Create(from, to, fromColour, toColour);
    graphics.FillPath(brush, path);
}

void Outline(PlusGraphics& graphics, const PlusPath& path, ArgbColor colour, float width = 1.0f) {
    PlusPen pen;
    pen.Create(colour, width);
    graphics.DrawPath(pen, path);
}

struct KeyShape {
    float left;
    float top;
    int width;
    int height;
};

void DrawDisabledKey(PlusGraphics& graphics, const PlusPath& key, const KeyShape& shape) {
    FillSolid(graphics, key, MakeArgb(kDisabledFace));
    FillGradient(graphics, key, MakePointF(shape.left, shape.top),
                 MakePointF(shape.left, shape.top + shape.height), MakeArgb(kWhite, 10),
                 MakeArgb(kWhite, 50));
    Outline(graphics, key, MakeArgb(kBlack, 80));
}

// The pen is centred on the outline and the clip keeps its inner half, so three widths make a
// glow that fades inwards.
void DrawFocusGlow(PlusGraphics& graphics, const PlusPath& key) {
    graphics.SetClipPath(key);
    for (float width = 1.0f; width <= 3.0f; width += 1.0f)
        Outline(graphics, key, MakeArgb(ThemeColor, 120), width);
    graphics.ResetClip();
    Outline(graphics, key, MakeArgb(kBlack, 80));
}

void DrawEnabledKey(PlusGraphics& graphics, const PlusPath& key, const KeyShape& shape,
                    UINT state) {
    PointF from = MakePointF(shape.left, shape.top);
    PointF to = MakePointF(shape.left, shape.top + shape.height - 1);
    FillGradient(graphics, key, from, to, MakeArgb(kWhite, 30), MakeArgb(kGrey, 60));
    if (state & kStateHot) {
        FillGradient(graphics, key, from, to, MakeArgb(ThemeColor, 60), MakeArgb(kWhite, 80));
        FillGradient(graphics, key, from, to, MakeArgb(kWhite, 100), MakeArgb(ThemeColor, 30));
        Outline(graphics, key, MakeArgb(kBlack, 150));
        Outline(graphics, key, MakeArgb(ThemeColor, 100));
    } else if (state & kStateFocus) {
        DrawFocusGlow(graphics, key);
    } else {
        Outline(graphics, key, MakeArgb(kBlack, 120));
    }
    if (state & kStateSelected) {
        PlusPath inset;
        inset.Create();
        AddRoundRect(inset, shape.left + 2, shape.top + 2, static_cast<float>(shape.width - 3),
                     static_cast<float>(shape.height - 3), kKeyCorner);
        FillGradient(graphics, inset, MakePointF(2, 2),
                     MakePointF(2, static_cast<float>(shape.height - 2)), MakeArgb(ThemeColor, 60),
                     MakeArgb(kWhite, 100));
    }
}

void DrawKeyCaption(PlusGraphics& graphics, HWND control, const ButtonSkin& record, UINT state,
                    const KeyShape& shape) {
    PlusFont font;
    font.Create(record.font_face, static_cast<float>(record.font_size), record.font_style);
    PlusStringFormat format;
    format.Create();
    format.SetAlign(Gdiplus::StringAlignmentCenter);
    format.SetLineAlign(Gdiplus::StringAlignmentCenter);
    format.SetHotkeyPrefix(Gdiplus::HotkeyPrefixShow);
    const char* colourProp = (state & kStateDisabled) ? props::Kj_Jzzts : props::Kj_Ztys;
    PlusSolidBrush brush;
    brush.Create(MakeArgb(static_cast<COLORREF>(GetPropValue(control, colourProp))));
    graphics.DrawString(
        record.text, font, brush,
        MakeRectF(0, 0, static_cast<float>(shape.width), static_cast<float>(shape.height)), format);
}

void DrawPushButton(HDC dc, HWND control, const ButtonSkin& record, UINT state, const RECT& rect) {
    PlusGraphics graphics;
    if (!graphics.FromHdc(dc)) return;
    KeyShape shape{static_cast<float>(rect.left), static_cast<float>(rect.top),
                   rect.right - rect.left, rect.bottom - rect.top};
    PlusPath key;
    key.Create();
    AddRoundRect(key, shape.left, shape.top, static_cast<float>(shape.width - 1),
                 static_cast<float>(shape.height - 1), kKeyCorner);
    FillSolid(graphics, key, MakeArgb(kWhite, 160));
    if (state & kStateDisabled)
        DrawDisabledKey(graphics, key, shape);
    else
        DrawEnabledKey(graphics, key, shape, state);
    DrawKeyCaption(graphics, control, record, state, shape);
}

// The fade blends its own copy of the finished image, so the paint's capture is released with
// the paint as every other one is.
void StartFade(HWND control, const ControlPaint& paint) {
    HDC source = CreateMemoryDC(paint.Width(), paint.Height());
    paint.CopyTo(source);
    FadeList.Append(FadeEntry{1, ThreadTimer(kFadeInterval, &FadeTick), control,
                              std::make_unique<WindowDC>(control), 0, 0, paint.Width(),
                              paint.Height(), OwnedMemoryDC(source), 0, 0});
}

} // namespace

void RefreshButtonFont(HWND control, ButtonSkin& record) {
    FontSpec font = ControlFont(control);
    record.font_face = font.face.empty() ? kDefaultFace : font.face;
    record.font_size = font.size ? font.size : kDefaultFontSize;
    record.font_style = font.style;
}

int TakeOverButton(int windowIndex, HWND child, int kind) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin || skin->buttons.IndexOfWindow(child)) return 0;
    // A control that already runs ButtonProc (skinned through another window) would pass its
    // messages on to itself.
    if (GetWindowLongPtrA(child, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ButtonProc)) return 0;
    ButtonSkin record;
    record.window = child;
    record.kind = kind;
    record.text = WindowText(child);
    int index = skin->buttons.Add(std::move(record));
    SetPropValue(child, props::Qz_lbID, index);
    SetPropValue(child, props::Qz_FuID, windowIndex);
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonProc)));
    SetPropValue(child, props::Qz_hProc, reinterpret_cast<INT_PTR>(previous));
    SetPropValue(child, props::Kj_Jzzts, kDisabledTextColor);
    ButtonSkin& stored = *skin->buttons.At(index);
    stored.previous_proc = previous;
    RefreshButtonFont(child, stored);
    return index;
}

void InstallPushButtons(int windowIndex, HWND parent) {
    if (!Engine.started || !WindowTable.At(windowIndex)) return;
    for (HWND child = FindWindowExA(parent, nullptr, "BUTTON", nullptr); child;
         child = FindWindowExA(parent, child, "BUTTON", nullptr)) {
        LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        if (!IsPushButtonStyle(style) || !TakeOverButton(windowIndex, child, kPushButton)) continue;
        // Owner-drawn, the button has its parent paint it through WM_DRAWITEM.
        SetWindowLongPtrA(child, GWL_STYLE, style | BS_OWNERDRAW);
    }
}

LRESULT CALLBACK ButtonProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    ButtonSkin* record = RecordOf(control);
    if (!record) return PassOn(control, message, wParam, lParam);
    switch (message) {
    case WM_MOVE: InvalidateRect(control, nullptr, TRUE); break;
    case WM_SETFOCUS: record->focused = 1; break;
    case WM_KILLFOCUS:
        record->focused = 0;
        return PassOnAndRepaint(control, 0, message, wParam, lParam);
    case WM_SETTEXT: record->text = lParam ? reinterpret_cast<const char*>(lParam) : ""; break;
    case WM_PAINT:
        if (!IsCheckOrRadio(*record)) break;
        PaintInPaintMessage(control);
        return 0;
    case WM_ERASEBKGND: SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
    case WM_WINDOWPOSCHANGING: NoteChildMoving(control); break;
    case WM_NCPAINT: return DefWindowProcA(control, WM_NCPAINT, kWholeFrame, lParam);
    case BM_SETCHECK: return PassOnAndRepaint(control, kStateSelected, message, wParam, lParam);
    case BM_SETSTATE:
        if (wParam == 0 && record->pressed) return 0;
        break;
    case WM_KEYDOWN:
        if (wParam != VK_SPACE) break;
        return PassOnAndRepaint(control, kStateSelected, message, wParam, lParam);
    case WM_MOUSEMOVE: OnMouseMove(control); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The second press of a quick double click is one more click, as on a system button;
        // the owner-draw style would make it a double-click notification instead.
        record->pressed = 1;
        return OnButtonDown(control, record->kind, wParam, lParam);
    case WM_LBUTTONUP:
        record->pressed = 0;
        AddressOfControl(control).window->hot_index = 0;
        break;
    case WM_MOUSELEAVE: OnMouseLeave(control, *record); return 0;
    case WM_NCDESTROY: StopFadesOf(control); break;
    default: break;
    }
    return PassOn(control, message, wParam, lParam);
}

void PaintButton(HWND control, UINT state, bool hover) {
    const ButtonSkin* record = RecordOf(control);
    if (!record) return;
    state = LiveState(control, state) | (hover ? kStateHot : 0);
    if (record->kind == kRadioButton) return PaintRadio(control, state);
    if (record->kind == kCheckBox) return PaintCheck(control, state);
    WindowDC dc(control);
    RECT rect{};
    GetClientRect(control, &rect);
    PaintPushButton(control, dc.Get(), state, rect);
}

void PaintPushButton(HWND control, HDC dc, UINT state, const RECT& rect) {
    const ButtonSkin* record = RecordOf(control);
    if (!record) return;
    ControlPaint paint(control, rect);
    if (!paint) return;
    DrawPushButton(paint.Dc(), control, *record, state, rect);
    paint.Present();
    StopAllFades();
    if (state & kStateHot) return StartFade(control, paint);
    // A DC the system has taken back in the meantime reports no size.
    std::optional<WindowDC> ownDc;
    if (!dc || GetDeviceCaps(dc, HORZRES) == 0) {
        ownDc.emplace(control);
        dc = ownDc->Get();
    }
    paint.CopyTo(dc);
}

void PaintPushButtonItem(const DRAWITEMSTRUCT& item) {
    const ButtonSkin* record = RecordOf(item.hwndItem);
    if (record && record->kind == kPushButton)
        PaintPushButton(item.hwndItem, item.hDC, item.itemState, item.rcItem);
}

void CALLBACK FadeTick(HWND, UINT, UINT_PTR id, DWORD) {
    for (int i = 1; i <= FadeList.Count(); ++i) {
        FadeEntry& fade = *FadeList.At(i);
        if (fade.timer.Id() != id) continue;
        fade.step += 1;
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(fade.step * kFadeAlphaPerStep), 0};
        GdiAlphaBlend(fade.target->Get(), fade.x, fade.y, fade.width, fade.height,
                      fade.source.Get(), fade.source_x, fade.source_y, fade.width, fade.height,
                      blend);
        if (fade.step >= kFadeLastStep) FadeList.RemoveAt(i);
        return;
    }
}

void StopAllFades() {
    FadeList.Clear();
}

} // namespace qz
