#include "engine/core/window_proc.h"

#include <commctrl.h>

#include "engine/controls/common/container.h"
#include "engine/core/engine.h"
#include "engine/core/frame_paint.h"
#include "engine/core/installers.h"
#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/skin_window.h"
#include "engine/core/title_buttons.h"
#include "engine/draw/compositing.h"
#include "engine/draw/gdi_guards.h"

namespace qz {

namespace {

constexpr int kCornerZone = 10;
constexpr int kStripMargin = 5; // presses this close to the edge are not status-strip clicks
constexpr int kStripTopSlack = 2;

int X(LPARAM lParam) {
    return static_cast<short>(LOWORD(lParam));
}
int Y(LPARAM lParam) {
    return static_cast<short>(HIWORD(lParam));
}

SIZE ClientSize(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return {client.right - client.left, client.bottom - client.top};
}

bool ClassIs(HWND hwnd, const char* name) {
    char cls[64] = {};
    return hwnd && GetClassNameA(hwnd, cls, sizeof cls) > 0 && lstrcmpiA(cls, name) == 0;
}

template <class F> void ForEachChild(HWND parent, F&& f) {
    for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(parent, child, nullptr, nullptr))
        f(child);
}

bool IsTransparent(HWND hwnd) {
    return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
}

// Message parameters that point at records are copied out rather than read in place.
template <class T> bool CopyFromMessage(LPARAM lParam, T& out) {
    SIZE_T read = 0;
    return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(lParam), &out,
                             sizeof out, &read) &&
           read == sizeof out;
}

// The window's index as its Qz_lbID names it; 0 unless that record is this window's.
int WindowIndexOf(HWND hwnd) {
    WindowSkin* skin = SkinOfWindow(hwnd);
    return skin && skin->window == hwnd ? IndexOfWindow(hwnd) : 0;
}

LRESULT PassOn(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropValue(hwnd, props::Qz_hProc));
    if (!previous) return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

LPCSTR ZoneCursor(int zone) {
    switch (zone) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT: return IDC_SIZEWE;
    case WMSZ_TOP:
    case WMSZ_BOTTOM: return IDC_SIZENS;
    case WMSZ_TOPLEFT:
    case WMSZ_BOTTOMRIGHT: return IDC_SIZENWSE;
    default: return IDC_SIZENESW;
    }
}

void ShowZoneCursor(int zone) {
    SetCursor(LoadCursorA(nullptr, ZoneCursor(zone)));
}

bool InStripForPress(const WindowSkin& skin, int x, int y) {
    const Box& strip = skin.button_strip;
    return x >= strip.x && x <= strip.x + strip.width && y <= strip.height && y > kStripTopSlack;
}

bool OnStatusStrip(const WindowSkin& skin, SIZE size, int x, int y) {
    return x >= kStripMargin && x <= size.cx - kStripMargin && y <= size.cy - kStripMargin &&
           y >= size.cy - skin.status_strip_height;
}

// A skinned control other than an edit paints itself into the presentation image.
bool InPresentation(HWND child) {
    return GetPropValue(child, props::Qz_FuID) != 0 && !ClassIs(child, "Edit") &&
           GetPropA(child, props::Zqk_LbID) == nullptr;
}

RECT RectInClient(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void RepaintTransparentChildren(HWND hwnd) {
    ForEachChild(hwnd, [](HWND child) {
        if (!IsTransparent(child)) return;
        InvalidateRect(child, nullptr, TRUE);
        UpdateWindow(child);
    });
}

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// A maximised window covers the work area. Only a window that is elsewhere is moved, since the
// move itself comes back here.
void FitToWorkArea(HWND hwnd) {
    RECT work = WorkArea();
    RECT now{};
    GetWindowRect(hwnd, &now);
    if (EqualRect(&now, &work)) return;
    SetWindowPos(hwnd, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                 SWP_NOOWNERZORDER);
}

void ReleaseWindowDCs(WindowSkin& skin) {
    for (HDC* dc : {&skin.background_dc, &skin.title_dc, &skin.strip_dc, &skin.presentation_dc}) {
        ReleaseMemoryDC(*dc);
        *dc = nullptr;
    }
}

void OnSize(HWND hwnd, WindowSkin& skin) {
    if (!skin.minimized) MarkWindowForRepaint(hwnd, false);
    skin.hot_title_button = 0;
    if (Engine.first_size) {
        skin.repaint_all = 0;
        Engine.first_size = 0;
        return;
    }
    skin.repaint_all = 1;
    // A window that shrinks exposes nothing, so no paint would come to redraw its skin.
    InvalidateRect(hwnd, nullptr, FALSE);
}

void OnSetText(int index, const WindowSkin& skin, LPARAM lParam) {
    // Before the first whole paint there is no caption to redraw.
    if (skin.caption_text && skin.title_bar && skin.background_dc)
        PaintCaption(index, reinterpret_cast<const char*>(lParam));
}

void PaintWhole(HWND hwnd, int index, WindowSkin& skin) {
    {
        PaintScope paint(hwnd);
        PaintWindowSkin(index, nullptr, true);
        if (skin.restored) {
            skin.restored = 0;
            RefreshListViews(skin);
        }
    }
    skin.erased = 0;
    skin.painted = 0;
}

LRESULT OnPaint(HWND hwnd, int index, WindowSkin& skin, WPARAM wParam, LPARAM lParam) {
    if (skin.minimized) {
        skin.repaint_all = 0;
        { PaintScope paint(hwnd); }
        return DefWindowProcA(hwnd, WM_PAINT, wParam, lParam);
    }
    if (skin.repaint_all) {
        PaintWhole(hwnd, index, skin);
        return 0;
    }
    {
        PaintScope paint(hwnd);
        CopySkinToWindow(skin);
        skin.repaint_all = 0;
    }
    RepaintTransparentChildren(hwnd);
    return 0;
}

LRESULT OnEraseBackground(WindowSkin& skin, HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    if (skin.repaint_all && !skin.sizing && skin.presentation_dc && !skin.painted && !skin.erased) {
        RestorePresentation(skin);
        skin.erased = 1;
    }
    return 1;
}

void OnShowWindow(HWND hwnd, int index, WindowSkin& skin, WPARAM wParam) {
    if (!wParam || skin.hidden) {
        skin.hidden = 1;
        skin.painted = 0;
        return;
    }
    {
        PaintScope paint(hwnd);
        PaintWindowSkin(index, nullptr, true);
    }
    skin.painted = 1;
    skin.repaint_all = 0;
}

void OnGetMinMaxInfo(const WindowSkin& skin, LPARAM lParam) {
    if (!skin.maximized) return;
    RECT work = WorkArea();
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = {skin.min_track_width, skin.min_track_height};
    info->ptMaxTrackSize = {work.right - work.left, work.bottom - work.top};
}

bool OnDrawItem(LPARAM lParam) {
    DRAWITEMSTRUCT item{};
    return CopyFromMessage(lParam, item) && DispatchOwnerDraw(item);
}

void OnWindowPosChanged(HWND hwnd) {
    WindowSkin* skin = WindowTable.At(WindowIndexOf(hwnd));
    if (skin && skin->maximize_button && skin->maximized) FitToWorkArea(hwnd);
    // Moving the window ran messages of its own; the index is read again.
    int index = WindowIndexOf(hwnd);
    LayoutTitleButtons(index);
    RelayoutStatusStrip(index);
}

void OnNotify(LPARAM lParam) {
    NMHDR header{};
    if (Engine.started && CopyFromMessage(lParam, header)) RelayNotification(header);
}

LRESULT OnNcDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    KillTimer(hwnd, TitleFadeTimerId(hwnd));
    TearDownWindow(hwnd);
    auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (own == &SkinnedWindowProc) return DefWindowProcA(hwnd, WM_NCDESTROY, wParam, lParam);
    return CallWindowProcA(own, hwnd, WM_NCDESTROY, wParam, lParam);
}

void OnSysCommand(WindowSkin& skin, WPARAM wParam) {
    switch (wParam & 0xFFF0) {
    case SC_MAXIMIZE:
        skin.maximized = 1;
        skin.repaint_all = 1;
        break;
    case SC_RESTORE:
        skin.repaint_all = 1;
        skin.minimized = 0;
        break;
    case SC_MINIMIZE:
        skin.repaint_all = 1;
        skin.minimized = 1;
        break;
    default: break;
    }
}

void StartHoverTracking(HWND hwnd) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = hwnd;
    track.dwHoverTime = 1;
    TrackMouseEvent(&track);
}

void OnMouseMove(HWND hwnd, int index, const WindowSkin& skin, LPARAM lParam) {
    if (!skin.hover_tracking) StartHoverTracking(hwnd);
    if (!skin.title_bar) return;
    TrackTitleButtons(index, X(lParam), Y(lParam));
    if (!skin.maximized) SetResizeCursor(skin, X(lParam), Y(lParam));
}

void OnLButtonDown(HWND hwnd, WindowSkin& skin, LPARAM lParam) {
    skin.fade_in.button = 0;
    if (!skin.maximized && !skin.minimized) BeginMoveOrSize(skin, X(lParam), Y(lParam));
    // A move or size loop runs messages until the button is released; the index is read again.
    PressTitleButton(WindowIndexOf(hwnd), X(lParam), Y(lParam));
}

void OnLButtonUp(WindowSkin& skin) {
    int hot = Engine.hot_title_button;
    if (hot >= 1 && hot <= skin.title_buttons.Count() && skin.title_bar) RunTitleButton(skin, hot);
}

void OnLButtonDblClk(WindowSkin& skin, LPARAM lParam) {
    int x = X(lParam), y = Y(lParam);
    if (HitStatusPanel(skin, x, y) != 0 || y > skin.title_height || !skin.resizable) return;
    int button = FindMaximiseButton(skin);
    if (button > 0) RunTitleButton(skin, button);
}

void OnMouseLeave(int index, WindowSkin& skin) {
    skin.hover_tracking = 0;
    LeaveTitleButtons(index);
}

} // namespace

LRESULT CALLBACK SkinnedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    int index = WindowIndexOf(hwnd);
    if (index == 0) return PassOn(hwnd, message, wParam, lParam);
    WindowSkin& skin = *WindowTable.At(index);
    switch (message) {
    case WM_SIZE: OnSize(hwnd, skin); break;
    case WM_ACTIVATE: skin.active = LOWORD(wParam) != WA_INACTIVE; break;
    case WM_SETTEXT: OnSetText(index, skin, lParam); break;
    case WM_PAINT: return OnPaint(hwnd, index, skin, wParam, lParam);
    case WM_QUIT: StopGdiplus(Engine.gdiplus_token, true); break;
    case WM_QUERYOPEN:
        skin.minimized = 0;
        skin.restored = 1;
        break;
    case WM_ERASEBKGND: return OnEraseBackground(skin, reinterpret_cast<HDC>(wParam));
    case WM_SHOWWINDOW: OnShowWindow(hwnd, index, skin, wParam); break;
    case WM_ACTIVATEAPP: skin.active = wParam != 0; break;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(skin, lParam); break;
    case WM_DRAWITEM:
        if (OnDrawItem(lParam)) return 1;
        break;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(hwnd); break;
    case WM_NOTIFY: OnNotify(lParam); break;
    case WM_NCDESTROY: return OnNcDestroy(hwnd, wParam, lParam);
    case WM_SYSCOMMAND: OnSysCommand(skin, wParam); break;
    case WM_TIMER:
        if (wParam == TitleFadeTimerId(hwnd)) TickTitleFades(index);
        break;
    case WM_MOUSEMOVE: OnMouseMove(hwnd, index, skin, lParam); break;
    case WM_LBUTTONDOWN: OnLButtonDown(hwnd, skin, lParam); break;
    case WM_LBUTTONUP: OnLButtonUp(skin); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(skin, lParam); break;
    case WM_SIZING: skin.sizing = 1; break;
    case WM_MOVING: skin.moving = 1; break;
    case WM_EXITSIZEMOVE:
        skin.moving = 0;
        skin.sizing = 0;
        break;
    case WM_MOUSEHOVER: skin.hover_tracking = 1; break;
    case WM_MOUSELEAVE: OnMouseLeave(index, skin); break;
    default: break;
    }
    return PassOn(hwnd, message, wParam, lParam);
}

int SizingZoneAt(const WindowSkin& skin, int x, int y) {
    SIZE size = ClientSize(skin.window);
    const int w = size.cx, h = size.cy, i = Engine.frame_inset, c = kCornerZone;
    bool side_rows = y > c && y < h - c;
    bool middle_columns = x > c && x < w - c;
    if (x <= i && side_rows) return WMSZ_LEFT;
    if (x >= w - i && side_rows) return WMSZ_RIGHT;
    if (middle_columns && y <= i) return WMSZ_TOP;
    if (middle_columns && y >= h - i) return WMSZ_BOTTOM;
    if (x <= c && y <= c) return WMSZ_TOPLEFT;
    if (x >= w - c && y <= c) return WMSZ_TOPRIGHT;
    if (x <= c && y >= h - c) return WMSZ_BOTTOMLEFT;
    if (x >= w - c && y >= h - c) return WMSZ_BOTTOMRIGHT;
    return 0;
}

void SetResizeCursor(const WindowSkin& skin, int x, int y) {
    if (!skin.resizable) return;
    int zone = SizingZoneAt(skin, x, y);
    if (zone) ShowZoneCursor(zone);
}

void BeginMoveOrSize(WindowSkin& skin, int x, int y) {
    HWND hwnd = skin.window;
    if (InStripForPress(skin, x, y)) return;
    if (OnStatusStrip(skin, ClientSize(hwnd), x, y)) return;
    int zone = skin.title_bar && skin.resizable ? SizingZoneAt(skin, x, y) : 0;
    if (zone) {
        ShowZoneCursor(zone);
        skin.repaint_all = 1;
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE + zone, 0);
        return;
    }
    // Hidden children do not stop a move: ChildWindowFromPoint alone would count them.
    if (skin.drag && ChildWindowFromPointEx(hwnd, POINT{x, y}, CWP_SKIPINVISIBLE) == hwnd)
        SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

int HitStatusPanel(const WindowSkin& skin, int x, int y) {
    const Box& s = skin.status_strip;
    if (skin.status_strip_height < 1) return 0;
    if (x < s.x || x > s.x + s.width || y < s.y || y > s.y + s.height) return 0;
    for (int i = 1; i <= skin.panel_rects.Count(); ++i) {
        const Box& r = *skin.panel_rects.At(i);
        if (x > r.x && x < r.x + r.width && y > r.y && y < r.y + r.height) return i;
    }
    return 0;
}

void CopySkinToWindow(const WindowSkin& skin) {
    RECT rect{};
    GetWindowRect(skin.window, &rect);
    ClippedWindowDC dc(skin.window);
    BitBlt(dc.Get(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, skin.background_dc, 0, 0,
           SRCCOPY);
}

void RestorePresentation(const WindowSkin& skin) {
    HWND hwnd = skin.window;
    WindowDC dc(hwnd);
    ForEachChild(hwnd, [&](HWND child) {
        if (!IsWindowVisible(child) || InPresentation(child) || IsTransparent(child)) return;
        RECT r = RectInClient(hwnd, child);
        ExcludeClipRect(dc.Get(), r.left, r.top, r.right, r.bottom);
    });
    RECT origin = ClientRectInWindow(hwnd);
    SIZE size = ClientSize(hwnd);
    BitBlt(dc.Get(), 0, 0, size.cx, size.cy, skin.presentation_dc, origin.left, origin.top,
           SRCCOPY);
}

void RefreshListViews(WindowSkin& skin) {
    skin.lists.ForEach([](const ListSkin& list) {
        if (list.window && IsWindowVisible(list.window) && ClassIs(list.window, WC_LISTVIEWA))
            InvalidateRect(list.window, nullptr, TRUE);
    });
}

void TearDownWindow(HWND hwnd) {
    int index = IndexOfWindow(hwnd);
    WindowSkin* skin = WindowTable.At(index);
    if (!skin) return;
    // The own procedure goes back before the tooltip's tools go: a tooltip that unhooks its
    // subclass from the window puts back the procedure it once replaced, which must not be
    // covered again afterwards by a procedure that no longer knows the window.
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, GetPropValue(hwnd, props::Qz_hProc));
    RemoveTitleButtonTools(*skin);
    if (HANDLE menu = GetPropA(hwnd, props::Ck_cdjb)) DestroyMenu(static_cast<HMENU>(menu));
    ReleaseWindowDCs(*skin);
    RemovePropA(hwnd, props::Qz_lbID);
    RemovePropA(hwnd, props::Qz_hProc);
    RemoveWindowSkin(index);
}

} // namespace qz
