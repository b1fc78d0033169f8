#include "engine/controls/common/container.h"

#include <commctrl.h>

#include "engine/controls/common/group_box.h"
#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/window_table.h"
#include "engine/draw/colors.h"
#include "engine/draw/compositing.h"
#include "engine/draw/gdi_guards.h"
#include "engine/draw/plus.h"
#include "engine/draw/text.h"

namespace qz {

namespace {

constexpr int kContainerCorner = 5;

bool ClassIs(HWND window, const char* name) {
    char buffer[64] = {};
    return window && GetClassNameA(window, buffer, sizeof buffer) > 0 &&
           lstrcmpiA(buffer, name) == 0;
}

bool HasChildren(HWND window) {
    return FindWindowExA(window, nullptr, nullptr, nullptr) != nullptr;
}

LONG_PTR ExStyle(HWND window) {
    return GetWindowLongPtrA(window, GWL_EXSTYLE);
}

bool IsShown(HWND window) {
    return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

template <class F> void ForEachChild(HWND parent, F&& f) {
    for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(parent, child, nullptr, nullptr))
        f(child);
}

WNDPROC StoredProc(HWND window, const char* property) {
    return reinterpret_cast<WNDPROC>(GetPropValue(window, property));
}

LRESULT PassOn(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!previous) return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

// Installs procedure in front of the window's own and returns the one it replaced. The
// properties that name the replaced procedure are written before the switch, so that a message
// arriving meanwhile already finds its way on.
WNDPROC Subclass(HWND window, WNDPROC procedure, const char* procProperty) {
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    SetPropValue(window, procProperty, reinterpret_cast<INT_PTR>(previous));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    return previous;
}

// Message parameters that point at records are copied out rather than read in place.
template <class T> bool CopyFromMessage(LPARAM lParam, T& out) {
    SIZE_T read = 0;
    return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(lParam), &out,
                             sizeof out, &read) &&
           read == sizeof out;
}

ControlSkin* FindListedControl(HWND control) {
    ControlSkin* record = FindControlRecord(control, &WindowSkin::controls, Addressing::Kj);
    return record && record->window == control ? record : nullptr;
}

void StoreFont(HWND control, std::string& face, int& size, int& style) {
    FontSpec font = ControlFont(control);
    face = font.face.empty() ? kDefaultFace : font.face;
    size = font.size == 0 ? kDefaultFontSize : font.size;
    style = font.style;
}

int ListControl(WindowSkin& skin, int windowIndex, HWND control,
                std::optional<COLORREF> backColor) {
    ControlSkin record;
    record.window = control;
    StoreFont(control, record.font_face, record.font_size, record.font_style);
    record.back_color = backColor.value_or(GetSysColor(COLOR_BTNFACE));
    const int index = skin.controls.Add(std::move(record));
    SetPropValue(control, props::Kj_lbID, index);
    SetPropValue(control, props::Kj_FuID, windowIndex);
    skin.controls.At(index)->previous_proc = Subclass(control, &ControlProc, props::Kj_hProc);
    return index;
}

ContainerSkin NewContainer(HWND control, int painted, COLORREF tintColor, int tintAlpha,
                           int rounded) {
    RECT client{};
    GetClientRect(control, &client);
    ContainerSkin record;
    record.attached.Append();
    record.window = control;
    record.tint_color = tintColor;
    record.tint_alpha = static_cast<std::uint8_t>(tintAlpha & 0xFF);
    record.rounded = rounded;
    record.painted = painted;
    record.width = client.right;
    record.height = client.bottom;
    const bool tab = ClassIs(control, WC_TABCONTROLA);
    if (tab || IsGroupBox(control)) {
        record.painted = 1;
        record.kind = tab ? kTabContainer : kGroupBoxContainer;
        StoreFont(control, record.font_face, record.font_size, record.font_style);
    }
    return record;
}

// ---- control procedure ----------------------------------------------------------------------

// Classes whose system painting is laid over the skin with their own background keyed out.
bool IsSystemPainted(HWND control) {
    for (const char* name :
         {"SysMonthCal32", WC_TABCONTROLA, STATUSCLASSNAMEA, "Button", TRACKBAR_CLASSA})
        if (ClassIs(control, name)) return true;
    return false;
}

// The veil under a listed control: that of its scroll-bar overlay settings or of its own list
// settings, white at the engine's veil alpha when neither gives one.
ArgbColor VeilOf(HWND control) {
    const bool overlay = GetPropValue(control, props::Zqk_Szqk) == 1;
    auto colour =
        static_cast<COLORREF>(GetPropValue(control, overlay ? props::Zqk_bjs : props::Kj_bjys));
    auto alpha = GetPropValue(control, overlay ? props::Zqk_bjstmd : props::Kj_bjystmd);
    if (colour == 0 && alpha == 0) {
        colour = kWhite;
        alpha = Engine.veil_alpha;
    }
    return MakeArgb(colour, static_cast<std::uint8_t>(alpha));
}

void FillVeil(HDC dc, HWND control, int width, int height) {
    PlusGraphics graphics;
    graphics.FromHdc(dc);
    PlusSolidBrush brush;
    brush.Create(VeilOf(control));
    graphics.FillRectangle(brush, 0, 0, static_cast<float>(width), static_cast<float>(height));
}

// The system paints the control onto a copy of the skin under it; wherever it painted the
// control's own background colour, the skin shows through a veil instead.
LRESULT PaintKeyedOverVeil(HWND control, COLORREF backColor, WNDPROC previous) {
    RECT client{};
    GetClientRect(control, &client);
    ControlPaint system(control, client);
    if (!system) return PassOn(previous, control, WM_PAINT, 0, 0);
    PaintScope paint(control);
    const LRESULT result =
        PassOn(previous, control, WM_PAINT, reinterpret_cast<WPARAM>(system.Dc()), 0);
    ControlPaint veil(control, client);
    if (!veil) return result;
    const int w = veil.Width();
    const int h = veil.Height();
    FillVeil(veil.Dc(), control, w, h);
    TransparentBlt(veil.Dc(), 0, 0, w, h, system.Dc(), 0, 0, w, h, backColor);
    veil.CopyTo(paint.Get());
    veil.Present({true, false});
    return result;
}

void InvalidateVisibleChildren(HWND parent) {
    ForEachChild(parent, [](HWND child) {
        if (IsShown(child)) InvalidateRect(child, nullptr, TRUE);
    });
}

// Controls that paint themselves onto the screen: what the screen shows of them is laid over
// the skin with their background colour keyed out, and the invalid part goes back on the screen.
// The whole client area is composed, so that the copy handed to the presentation DC lines up
// with the control and holds all of it, whatever part was invalid; outside that part the screen
// already shows the composed look, which keys to itself.
LRESULT PaintOverSkin(HWND control, COLORREF backColor, WNDPROC previous) {
    RECT update{};
    GetUpdateRect(control, &update, FALSE);
    RECT client{};
    GetClientRect(control, &client);
    ControlPaint memory(control, client);
    if (!memory) return PassOn(previous, control, WM_PAINT, 0, 0);
    WindowDC window(control);
    const LRESULT result =
        PassOn(previous, control, WM_PAINT, reinterpret_cast<WPARAM>(memory.Dc()), 0);
    const int w = memory.Width();
    const int h = memory.Height();
    if (w > 0 && h > 0)
        TransparentBlt(memory.Dc(), 0, 0, w, h, window.Get(), 0, 0, w, h, backColor);
    BitBlt(window.Get(), update.left, update.top, update.right - update.left,
           update.bottom - update.top, memory.Dc(), update.left, update.top, SRCCOPY);
    InvalidateVisibleChildren(control);
    memory.Present({true, false});
    PaintScope validate(control);
    return result;
}

LRESULT OnControlPaint(HWND control, const ControlSkin* record, WNDPROC previous, WPARAM wParam,
                       LPARAM lParam) {
    // Toolbars paint themselves from their own cached image; until then the system does.
    if (!Engine.started || !record || ClassIs(control, TOOLBARCLASSNAMEA))
        return PassOn(previous, control, WM_PAINT, wParam, lParam);
    const COLORREF back = record->back_color;
    if (IsSystemPainted(control)) return PaintKeyedOverVeil(control, back, previous);
    return PaintOverSkin(control, back, previous);
}

void TrackLeave(HWND control, ControlSkin& record) {
    if (record.tracking) return;
    record.tracking = 1;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = control;
    TrackMouseEvent(&track);
}

// ---- container procedure --------------------------------------------------------------------

WindowSkin* WindowOf(HWND control) {
    return AddressOfControl(control).window;
}

// The container's last painted image, kept in the presentation DC, put back around its
// visible children.
void CopyFromPresentation(HWND container, HDC dc) {
    WindowSkin* skin = WindowOf(container);
    if (!skin || !skin->presentation_dc) return;
    RECT place = ClientRectInWindow(container);
    RECT client{};
    GetClientRect(container, &client);
    ExcludeChildClips(container, dc);
    BitBlt(dc, 0, 0, client.right, client.bottom, skin->presentation_dc, place.left, place.top,
           SRCCOPY);
}

void RefreshTransparentChildren(HWND parent) {
    ForEachChild(parent, [](HWND child) {
        if ((ExStyle(child) & WS_EX_TRANSPARENT) == 0) return;
        InvalidateRect(child, nullptr, TRUE);
        UpdateWindow(child);
    });
}

void DrawRoundedOutline(HDC dc, int width, int height) {
    PlusGraphics graphics;
    graphics.FromHdc(dc);
    const struct {
        ArgbColor colour;
        float inset;
        float shrink;
        int corner;
    } lines[] = {{MakeArgb(0x000000, 40), 0, 1, kContainerCorner},
                 {MakeArgb(kWhite, 100), 1, 3, 3}};
    for (const auto& line : lines) {
        PlusPen pen;
        pen.Create(line.colour, 1.0f);
        PlusPath path;
        path.Create();
        AddRoundRect(path, line.inset, line.inset, width - line.shrink, height - line.shrink,
                     line.corner);
        graphics.DrawPath(pen, path);
    }
}

void DrawContainerLook(HWND container, const ContainerSkin& record, HDC dc, int width, int height) {
    // Tab controls are drawn by their own skin.
    if (record.kind == kGroupBoxContainer)
        PaintGroupBox(container, record, dc, width, height);
    else if (record.kind == kOtherContainer && record.rounded)
        DrawRoundedOutline(dc, width, height);
}

LRESULT OnContainerPaint(HWND container, WNDPROC previous, WPARAM wParam, LPARAM lParam) {
    ContainerSkin* record = FindContainer(container);
    if (!Engine.started || !record || !record->painted)
        return PassOn(previous, container, WM_PAINT, wParam, lParam);
    const bool stale = record->repaint || record->moved;
    {
        PaintScope paint(container);
        if (stale)
            PaintContainer(container, paint.Get());
        else
            CopyFromPresentation(container, paint.Get());
    }
    if (!stale) RefreshTransparentChildren(container);
    return 0;
}

LRESULT OnContainerMove(HWND container, WNDPROC previous, WPARAM wParam, LPARAM lParam) {
    ContainerSkin* record = FindContainer(container);
    if (record && record->painted) {
        record->repaint = 1;
        if (WindowSkin* skin = WindowOf(container)) MarkWindowForRepaint(skin->window, false);
        InvalidateRect(container, nullptr, FALSE);
    }
    return PassOn(previous, container, WM_MOVE, wParam, lParam);
}

// The container is about to be erased while the window rests in front: its next paint is a
// full one. The background itself is left alone; the paint covers it.
LRESULT OnContainerErase(HWND container, WPARAM wParam) {
    ContainerSkin* record = FindContainer(container);
    if (record && record->painted && record->repaint != 1) {
        WindowSkin* skin = WindowOf(container);
        if (skin && !skin->moving && skin->active) record->repaint = 1;
    }
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    return 1;
}

LRESULT OnContainerShow(HWND container, WNDPROC previous, WPARAM wParam, LPARAM lParam) {
    if (wParam != TRUE) return PassOn(previous, container, WM_SHOWWINDOW, wParam, lParam);
    PassOn(previous, container, WM_SHOWWINDOW, wParam, lParam);
    ContainerSkin* record = FindContainer(container);
    if (record && record->painted) record->repaint = 1;
    return DefWindowProcA(container, WM_SHOWWINDOW, wParam, lParam);
}

} // namespace

// ---- registration ---------------------------------------------------------------------------

int WindowIndexOfControl(HWND control) {
    HWND root = GetAncestor(control, GA_ROOTOWNER);
    for (HWND window = control; window; window = GetParent(window)) {
        if (int index = IndexOfWindow(window)) return index;
        if (window == root) break;
    }
    return 0;
}

bool IsGroupBox(HWND control) {
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    return ClassIs(control, "Button") && (style | BS_RADIOBUTTON) == style;
}

HWND FindLayerHost(HWND control) {
    for (HWND parent = GetParent(control); parent; parent = GetParent(parent))
        if (GetPropValue(parent, props::Wxk_Zpf) == 1) return parent;
    return nullptr;
}

void SkinContainer(HWND control, std::optional<COLORREF> backColor,
                   std::optional<COLORREF> tintColor, std::optional<int> tintAlpha) {
    const int windowIndex = WindowIndexOfControl(control);
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin) return;
    // A second call must not subclass the control again: it would then pass its messages on to
    // itself.
    if (skin->controls.IndexOfWindow(control) == 0)
        ListControl(*skin, windowIndex, control, backColor);
    if (HasChildren(control) && skin->containers.IndexOfWindow(control) == 0)
        RegisterContainer(control, 0, tintColor.value_or(0), tintAlpha.value_or(0));
}

void RegisterContainer(HWND control, std::optional<int> painted, std::optional<COLORREF> tintColor,
                       std::optional<int> tintAlpha, std::optional<int> rounded) {
    const int windowIndex = WindowIndexOfControl(control);
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin || skin->containers.IndexOfWindow(control) != 0) return;
    const int index =
        skin->containers.Add(NewContainer(control, painted.value_or(1), tintColor.value_or(0),
                                          tintAlpha.value_or(255), rounded.value_or(0)));
    RunChildInstallers(windowIndex, control);
    // The installers may have registered containers of their own; the list only grew.
    ContainerSkin* record = skin->containers.At(index);
    record->repaint = 1;
    SetPropValue(control, props::Qz_lbID, index);
    SetPropValue(control, props::Qz_FuID, windowIndex);
    SetPropValue(control, props::Mb_zpf, reinterpret_cast<INT_PTR>(FindLayerHost(control)));
    record->previous_proc = Subclass(control, &ContainerProc, props::Qz_hProc);
}

void MarkWindowForRepaint(HWND topWindow, bool containersOnly) {
    WindowSkin* skin = SkinOfWindow(topWindow);
    if (!skin) return;
    skin->containers.ForEach([](ContainerSkin& container) {
        container.repaint = 1;
        container.moved = 1;
    });
    if (containersOnly) return;
    skin->controls.ForEach([](ControlSkin& control) { control.repaint = 1; });
}

void MarkContainerForRepaint(HWND container) {
    if (ContainerSkin* record = FindContainer(container)) record->repaint = 1;
}

void NoteChildMoving(HWND control) {
    HWND parent = GetParent(control);
    ContainerSkin* record = FindContainer(parent);
    if (record && GetPropValue(parent, props::Wxk_LBID) == 0) record->moved = 1;
}

void RelayNotification(const NMHDR& header) {
    switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDEDA: InvalidateRect(header.hwndFrom, nullptr, TRUE); break;
    case TCN_SELCHANGING: MarkContainerForRepaint(header.hwndFrom); break;
    case UDN_DELTAPOS: {
        HWND parent = GetParent(header.hwndFrom);
        if (ClassIs(parent, WC_TABCONTROLA)) MarkContainerForRepaint(parent);
        break;
    }
    default: break;
    }
}

// ---- painting and removal -------------------------------------------------------------------

void PaintContainer(HWND container, HDC target) {
    ContainerSkin* record = FindContainer(container);
    if (!record) return;
    RECT client{};
    GetClientRect(container, &client);
    std::optional<TintInset> inset;
    if (record->rounded) inset = TintInset{1, kContainerCorner};
    {
        ControlPaint paint(container, client, inset);
        if (!paint) return;
        DrawContainerLook(container, *record, paint.Dc(), paint.Width(), paint.Height());
        paint.Present();
        ExcludeChildClips(container, target);
        paint.CopyTo(target);
    }
    record->repaint = 0;
    record->moved = 0;
    record->width = client.right;
    record->height = client.bottom;
}

void RemoveContainer(HWND container) {
    WindowSkin* skin = WindowOf(container);
    const int index = skin ? skin->containers.IndexOfWindow(container) : 0;
    if (index == 0) return;
    // Only a procedure still in front may be taken out; one installed later keeps the chain.
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(container, GWLP_WNDPROC));
    if (current == &ContainerProc)
        SetWindowLongPtrA(container, GWLP_WNDPROC, GetPropValue(container, props::Qz_hProc));
    skin->containers.RemoveAt(index);
    for (int i = 1; i <= skin->containers.Count(); ++i)
        if (HWND window = skin->containers.At(i)->window) SetPropValue(window, props::Qz_lbID, i);
}

// ---- procedures -----------------------------------------------------------------------------

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = StoredProc(hwnd, props::Kj_hProc);
    ControlSkin* record = FindListedControl(hwnd);
    switch (message) {
    case WM_PAINT: return OnControlPaint(hwnd, record, previous, wParam, lParam);
    case WM_SIZE:
        if (record && ClassIs(hwnd, TOOLBARCLASSNAMEA)) record->repaint = 1;
        break;
    case WM_WINDOWPOSCHANGING: NoteChildMoving(hwnd); break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (ClassIs(hwnd, "RichEdit20A")) InvalidateRect(hwnd, nullptr, FALSE);
        break;
    case WM_MOUSEMOVE:
        if (record) {
            record->repaint = 1;
            TrackLeave(hwnd, *record);
        }
        break;
    case WM_LBUTTONDOWN:
        if (record) record->repaint = 1;
        break;
    case WM_MOUSELEAVE:
        if (record) {
            record->tracking = 0;
            record->repaint = 1;
        }
        break;
    default: break;
    }
    return PassOn(previous, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = StoredProc(hwnd, props::Qz_hProc);
    switch (message) {
    case WM_MOVE: return OnContainerMove(hwnd, previous, wParam, lParam);
    case WM_SIZE:
        if (ContainerSkin* record = FindContainer(hwnd)) record->repaint = 1;
        break;
    case WM_PAINT: return OnContainerPaint(hwnd, previous, wParam, lParam);
    case WM_ERASEBKGND: return OnContainerErase(hwnd, wParam);
    case WM_SHOWWINDOW: return OnContainerShow(hwnd, previous, wParam, lParam);
    case WM_DRAWITEM: {
        DRAWITEMSTRUCT item{};
        if (CopyFromMessage(lParam, item) && DispatchOwnerDraw(item)) return 1;
        break;
    }
    case WM_WINDOWPOSCHANGING: NoteChildMoving(hwnd); break;
    case WM_NOTIFY: {
        NMHDR header{};
        if (CopyFromMessage(lParam, header)) RelayNotification(header);
        break;
    }
    case WM_NCDESTROY: RemoveContainer(hwnd); break;
    default: break;
    }
    return PassOn(previous, hwnd, message, wParam, lParam);
}

} // namespace qz
