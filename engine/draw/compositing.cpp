#include "engine/draw/compositing.h"

#include <algorithm>
#include <commctrl.h>

#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/window_table.h"
#include "engine/draw/colors.h"
#include "engine/draw/plus.h"

namespace qz {

List<MemoryDcEntry> MemoryDcRegistry;

namespace {

// Transparent children are not clipped; nothing in the engine asks for them to be.
constexpr bool kClipTransparentChildren = false;

int IndexOfDC(HDC dc) {
    for (int i = 1; i <= MemoryDcRegistry.Count(); ++i)
        if (MemoryDcRegistry.At(i)->dc == dc) return i;
    return 0;
}

// Selects bitmap into a new memory DC and lists it; the bitmap is deleted when no DC is had.
HDC AdoptBitmap(HBITMAP bitmap) {
    GdiObject<HBITMAP> owned(bitmap);
    if (!owned.Get()) return nullptr;
    CompatibleDC dc(nullptr);
    if (!dc.Get()) return nullptr;
    HGDIOBJ previous = SelectObject(dc.Get(), owned.Get());
    RegisterMemoryDC(dc.Get(), owned.Release(), previous);
    return dc.Release();
}

bool IsTransparent(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
}

bool IsShown(HWND window) {
    return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool HasClass(HWND window, const char* name) {
    char buffer[64] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return lstrcmpiA(buffer, name) == 0;
}

int RectWidth(const RECT& r) {
    return r.right - r.left;
}
int RectHeight(const RECT& r) {
    return r.bottom - r.top;
}

RECT Offset(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
}

// Calls f(child) for every visible child of parent that is clipped out when parent paints.
template <class F> void ForEachClippedChild(HWND parent, F&& f) {
    for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(parent, child, nullptr, nullptr))
        if (IsShown(child) && (!IsTransparent(child) || kClipTransparentChildren)) f(child);
}

// The record of a registered container, nullptr for any other window.
bool IsLayerHost(HWND window) {
    return GetPropValue(window, props::Wxk_Zpf) == 1;
}

HWND PropWindow(HWND window, const char* name) {
    return reinterpret_cast<HWND>(GetPropValue(window, name));
}

// Where a control hangs: straight on a skinned window, inside a registered container, or on a
// foreign layer host that keeps its own background.
enum class Hanging { Direct, Container, Host };

struct Placement {
    Hanging how = Hanging::Container;
    WindowSkin* skin = nullptr; // the skinned top-level window, nullptr when none was found
    HWND host = nullptr;
};

WindowSkin* SkinOf(HWND window) {
    return WindowTable.At(IndexOfWindow(window));
}

Placement FindPlacement(HWND control) {
    if (WindowSkin* skin = SkinOf(control)) return {Hanging::Direct, skin, nullptr};
    if (IsLayerHost(control))
        return {Hanging::Host, SkinOf(GetAncestor(control, GA_ROOT)), control};
    for (HWND parent = GetParent(control); parent; parent = GetParent(parent)) {
        if (IsLayerHost(parent))
            return {Hanging::Host, SkinOf(GetAncestor(control, GA_ROOT)), parent};
        if (WindowSkin* skin = SkinOf(parent)) return {Hanging::Direct, skin, nullptr};
        if (FindContainer(parent)) {
            HWND host = PropWindow(parent, props::Mb_zpf);
            return {host ? Hanging::Host : Hanging::Container, AddressOfControl(parent).window,
                    host};
        }
    }
    return {};
}

// The DC and the point in it that hold what lies under the control's top-left corner.
struct BackgroundSource {
    HDC dc = nullptr;
    POINT origin{};
};

// The window rectangle of control measured from the top-left corner of reference's.
RECT WindowRectIn(HWND control, HWND reference) {
    RECT mine{}, theirs{};
    GetWindowRect(control, &mine);
    GetWindowRect(reference, &theirs);
    return Offset(mine, -theirs.left, -theirs.top);
}

BackgroundSource SourceFor(HWND control, const Placement& place) {
    if (place.how == Hanging::Host) {
        HWND owner = place.host == control ? PropWindow(control, props::Mb_zpf) : place.host;
        if (owner) {
            RECT r = WindowRectIn(control, owner);
            return {reinterpret_cast<HDC>(GetPropValue(owner, props::Wxk_Cj)), {r.left, r.top}};
        }
    }
    RECT r = ControlRectInWindow(control);
    return {place.skin->background_dc, {r.left, r.top}};
}

void CopyFromSource(HWND control, const Placement& place, const RECT& rect, HDC dst, int x, int y) {
    BackgroundSource source = SourceFor(control, place);
    BitBlt(dst, x, y, RectWidth(rect), RectHeight(rect), source.dc, source.origin.x + rect.left,
           source.origin.y + rect.top, SRCCOPY);
}

bool HasTint(const ContainerSkin* container) {
    return container && container->tint_color != 0;
}

ArgbColor TintOf(const ContainerSkin& container) {
    return MakeArgb(container.tint_color, container.tint_alpha);
}

// Fills the path on the memory DC with the tint, clipped to it.
void FillTintPath(PlusGraphics& graphics, const PlusPath& path, ArgbColor tint) {
    PlusSolidBrush brush;
    brush.Create(tint);
    graphics.SetClipPath(path);
    graphics.FillPath(brush, path);
}

void FillWhole(PlusGraphics& graphics, int width, int height, ArgbColor tint) {
    PlusSolidBrush brush;
    brush.Create(tint);
    graphics.FillRectangle(brush, 0, 0, static_cast<float>(width), static_cast<float>(height));
}

// A group box inside a tinted container shows that container's tint around its frame.
void TintAroundGroupBox(PlusGraphics& graphics, HWND groupBox, const PlusPath& frame, int width,
                        int height) {
    HWND parent = GetParent(groupBox);
    ContainerSkin* outer = FindContainer(parent);
    if (!HasTint(outer) || IsLayerHost(parent)) return;
    graphics.SetClipRect(0, 0, static_cast<float>(width), static_cast<float>(height));
    graphics.SetClipPath(frame, Gdiplus::CombineModeXor);
    FillWhole(graphics, width, height, TintOf(*outer));
    graphics.ResetClip();
}

void BuildTabShape(PlusPath& path, HWND tab, bool direct) {
    RECT r = TabDisplayRect(tab);
    float shrink = direct ? 1.0f : 0.0f;
    AddRoundRect(path, static_cast<float>(r.left), static_cast<float>(r.top), RectWidth(r) - shrink,
                 RectHeight(r) - shrink, 5);
}

struct TintRequest {
    const ContainerSkin* own = nullptr; // the control's own container record, if any
    ArgbColor color = 0;
};

// The tint the control lays over itself: its own as a tinted container, or its parent's when
// it asks for that with Zqk_LbID.
std::optional<TintRequest> OwnTint(HWND control) {
    if (ContainerSkin* own = FindContainer(control)) {
        if (HasTint(own)) return TintRequest{own, TintOf(*own)};
        return std::nullopt;
    }
    if (GetPropValue(control, props::Zqk_LbID) <= 0 || !AddressOfControl(control).window)
        return std::nullopt;
    ContainerSkin* parent = FindContainer(GetParent(control));
    if (!HasTint(parent)) return std::nullopt;
    return TintRequest{nullptr, TintOf(*parent)};
}

void PaintOwnTint(HDC dc, HWND control, const Placement& place, int width, int height,
                  std::optional<TintInset> inset) {
    std::optional<TintRequest> tint = OwnTint(control);
    if (!tint) return;
    PlusGraphics graphics;
    graphics.FromHdc(dc);
    PlusPath path;
    path.Create();
    if (tint->own && tint->own->kind == kGroupBoxContainer) {
        AddRoundRect(path, 0, 5, static_cast<float>(width), static_cast<float>(height - 6), 5);
        if (place.how == Hanging::Container)
            TintAroundGroupBox(graphics, control, path, width, height);
    } else if (HasClass(control, WC_TABCONTROLA)) {
        BuildTabShape(path, control, place.how == Hanging::Direct);
    } else if (inset) {
        const auto in = static_cast<float>(inset->inset);
        AddRoundRectI(path, in, in, width - 2 * in, height - 2 * in, inset->corner);
    } else {
        path.AddRectangle(0, 0, static_cast<float>(width), static_cast<float>(height));
    }
    FillTintPath(graphics, path, tint->color);
}

// Controls inside a container the engine paints take that container's tint over all of them.
void PaintEnclosingTint(HDC dc, HWND control, const Placement& place, int width, int height) {
    if (place.how == Hanging::Direct || FindContainer(control)) return;
    for (HWND parent = GetParent(control); parent && parent != place.host;
         parent = GetParent(parent)) {
        ContainerSkin* container = FindContainer(parent);
        if (!container || !container->painted) continue;
        if (!HasTint(container)) return;
        PlusGraphics graphics;
        graphics.FromHdc(dc);
        FillWhole(graphics, width, height, TintOf(*container));
        return;
    }
}

// Known size of a window whose children are clipped: its client size as last recorded.
std::optional<SIZE> ClampSize(HWND window) {
    if (WindowSkin* skin = WindowTable.At(IndexOfWindow(window)))
        return SIZE{skin->clamp_width, skin->clamp_height};
    if (ContainerSkin* container = FindContainer(window))
        return SIZE{container->width, container->height};
    return std::nullopt;
}

int ScrollBarExtent(HWND control, LONG object, bool width) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(control, object, &info)) return 0;
    return width ? RectWidth(info.rcScrollBar) : RectHeight(info.rcScrollBar);
}

} // namespace

void RegisterMemoryDC(HDC dc, HBITMAP bitmap, HGDIOBJ previous) {
    if (MemoryDcEntry* entry = MemoryDcRegistry.At(IndexOfDC(dc))) {
        entry->bitmap = bitmap;
        entry->previous = previous;
        return;
    }
    MemoryDcRegistry.Append(MemoryDcEntry{dc, bitmap, previous});
}

bool ReleaseMemoryDC(HDC dc) {
    if (!dc) return false;
    int index = IndexOfDC(dc);
    MemoryDcEntry* entry = MemoryDcRegistry.At(index);
    if (!entry) return false;
    SelectObject(entry->dc, entry->previous);
    DeleteObject(entry->bitmap);
    DeleteDC(entry->dc);
    MemoryDcRegistry.RemoveAt(index);
    return true;
}

HDC CreateMemoryDC(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return AdoptBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

HDC CreateImageDC(int width, int height) {
    PlusBitmap bitmap;
    bitmap.CreateEmpty(width, height, PixelFormat32bppARGB);
    return AdoptBitmap(bitmap.GetHbitmap(0));
}

HDC CreateImageDC(const unsigned char* png, std::size_t count) {
    PlusBitmap bitmap;
    bitmap.LoadFromBytes(png, count);
    return AdoptBitmap(bitmap.GetHbitmap(0));
}

RECT ControlRectInWindow(HWND control) {
    return WindowRectIn(control, GetAncestor(control, GA_ROOT));
}

RECT ClientRectInWindow(HWND control) {
    RECT outer = ControlRectInWindow(control);
    RECT client{};
    GetClientRect(control, &client);
    LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    int vscroll = (style & WS_VSCROLL) ? ScrollBarExtent(control, OBJID_VSCROLL, true) : 0;
    int hscroll = (style & WS_HSCROLL) ? ScrollBarExtent(control, OBJID_HSCROLL, false) : 0;
    int borderX = (RectWidth(outer) - client.right - vscroll) / 2;
    int borderY = (RectHeight(outer) - client.bottom - hscroll) / 2;
    return Offset(client, outer.left + borderX, outer.top + borderY);
}

RECT TabDisplayRect(HWND tabControl) {
    RECT client{}, item{};
    GetClientRect(tabControl, &client);
    auto rows = static_cast<int>(SendMessageA(tabControl, TCM_GETROWCOUNT, 0, 0));
    SendMessageA(tabControl, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    LONG_PTR style = GetWindowLongPtrA(tabControl, GWL_STYLE);
    bool bottom = (style & TCS_BOTTOM) != 0;
    bool vertical = (style & TCS_VERTICAL) != 0;
    int across = rows * RectWidth(item);
    int down = rows * RectHeight(item);
    if (bottom && vertical) return {0, 0, client.right - across - 1, client.bottom};
    if (bottom) return {0, 0, client.right, client.bottom - down - 1};
    if (vertical) return {across + 1, 0, client.right, client.bottom};
    return {0, down + 1, client.right, client.bottom};
}

HDC ExcludeChildClips(HWND window, HDC dc) {
    POINT origin{};
    ClientToScreen(window, &origin);
    std::optional<SIZE> limit = ClampSize(window);
    ForEachClippedChild(window, [&](HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        r = Offset(r, -origin.x, -origin.y);
        r.left = std::max(r.left, 0L);
        r.top = std::max(r.top, 0L);
        if (limit) {
            r.right = std::min(r.right, limit->cx);
            r.bottom = std::min(r.bottom, limit->cy);
        }
        r.right = std::max(r.right, r.left);
        r.bottom = std::max(r.bottom, r.top);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    });
    return dc;
}

bool CopyBackgroundUnder(HWND control, const RECT& rect, HDC dst, int dstX, int dstY) {
    Placement place = FindPlacement(control);
    if (!place.skin) return false;
    CopyFromSource(control, place, rect, dst, dstX, dstY);
    return true;
}

HDC CaptureBackground(HWND control, const RECT& rect, std::optional<TintInset> inset) {
    Placement place = FindPlacement(control);
    if (!place.skin) return nullptr;
    const int width = RectWidth(rect);
    const int height = RectHeight(rect);
    HDC dc = CreateMemoryDC(width, height);
    CopyFromSource(control, place, rect, dc, 0, 0);
    PaintOwnTint(dc, control, place, width, height, inset);
    PaintEnclosingTint(dc, control, place, width, height);
    return dc;
}

void PresentToWindow(HWND control, HDC dc, PresentOptions options) {
    INT_PTR index = options.byContainerIndex ? GetPropValue(control, props::Kj_FuID)
                                             : GetPropValue(control, props::Qz_FuID);
    // Only a skinned top-level window names its own window index in Qz_lbID; on a control it
    // is the index in a control list and would pick an unrelated window.
    if (!options.byContainerIndex && index == 0 && IndexOfWindow(control) >= 1)
        index = GetPropValue(control, props::Qz_lbID);
    WindowSkin* skin = index > 0 && index <= WindowTable.Count()
                           ? WindowTable.At(static_cast<int>(index))
                           : nullptr;
    if (!skin || !skin->presentation_dc) return;
    HDC target = skin->presentation_dc;
    RECT place = options.wholeWindow ? ControlRectInWindow(control) : ClientRectInWindow(control);
    ForEachClippedChild(control, [&](HWND child) {
        RECT r = WindowRectIn(child, skin->window);
        ExcludeClipRect(target, r.left, r.top, r.right, r.bottom);
    });
    BitBlt(target, place.left, place.top, RectWidth(place), RectHeight(place), dc, 0, 0, SRCCOPY);
    SelectClipRgn(target, nullptr);
}

} // namespace qz
