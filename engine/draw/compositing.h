#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <utility>

#include "engine/core/list.h"
#include "engine/draw/gdi_guards.h"
#include "engine/draw/image_bytes.h"
#include "engine/draw/hglobal_stream.h"

// Controls have no background of their own: each paint copies the window's painted skin under
// the control into a memory DC, lays the tint of the enclosing containers over it, lets the
// control draw its look there, then hands the finished image to the window's presentation DC
// and to the control itself.
namespace qz {

// One live memory DC: the bitmap selected into it and the object it held before.
struct MemoryDcEntry {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

// Every memory DC the engine has made and not yet released, searched by DC handle.
extern List<MemoryDcEntry> MemoryDcRegistry;

// Lists dc with the bitmap selected into it; a listed DC gets the new bitmap and previous object.
void RegisterMemoryDC(HDC dc, HBITMAP bitmap, HGDIOBJ previous);
// Puts the previous object back, deletes the bitmap and the DC and forgets the entry. False,
// and nothing done, for a null DC or one that is not listed.
bool ReleaseMemoryDC(HDC dc);

// A registered memory DC over a zero-filled 32-bit DIB section (rows bottom-up).
HDC CreateMemoryDC(int width, int height);
// A registered memory DC over a 32-bit ARGB bitmap made by GDI+: empty (transparent black) of
// width x height, or decoded from PNG bytes at the picture's own size.
HDC CreateImageDC(int width, int height);
HDC CreateImageDC(const unsigned char* png, std::size_t count);
inline HDC CreateImageDC(const ImageBytes& png) {
    return CreateImageDC(png.Data(), png.Size());
}
inline HDC CreateImageDC(const ByteBuffer& png) {
    return CreateImageDC(png.data(), png.size());
}

// The control's window rectangle relative to its top-level window's rectangle.
RECT ControlRectInWindow(HWND control);
// The control's client area relative to its top-level window's rectangle, its borders taken as
// equal on both sides.
RECT ClientRectInWindow(HWND control);
// The part of a tab control's client area that its tabs leave free.
RECT TabDisplayRect(HWND tabControl);

// Excludes the rectangles of window's visible children from dc's clip, clamped to the window's
// known size (skinned window, registered container or size callback). Returns dc.
HDC ExcludeChildClips(HWND window, HDC dc);

// GetDC of a window with its visible children excluded, released with the guard.
class ClippedWindowDC {
  public:
    explicit ClippedWindowDC(HWND window) : dc_(window) { ExcludeChildClips(window, dc_.Get()); }
    HDC Get() const { return dc_.Get(); }

  private:
    WindowDC dc_;
};

// Insets a tint with rounded corners instead of covering the whole captured rectangle.
struct TintInset {
    int inset = 0;
    int corner = 0;
};

// A registered memory DC of rect's size holding the window's skin under rect (control client
// coordinates) with the tint of the enclosing containers; nullptr when the control has no
// skinned top-level window.
HDC CaptureBackground(HWND control, const RECT& rect,
                      std::optional<TintInset> inset = std::nullopt);

// Copies the same untinted pixels CaptureBackground starts from (rect in control client
// coordinates) onto dst at (dstX, dstY). False when the control has no skinned window.
bool CopyBackgroundUnder(HWND control, const RECT& rect, HDC dst, int dstX, int dstY);

// Where a finished control image goes in the window's presentation DC: addressed through
// Kj_FuID instead of Qz_FuID, and placed over the whole window rectangle instead of the
// client area.
struct PresentOptions {
    bool byContainerIndex = false;
    bool wholeWindow = false;
};

// Copies dc into the presentation DC of the control's top-level window at the control's place,
// leaving out the control's visible children. Does nothing for an index outside the table.
void PresentToWindow(HWND control, HDC dc, PresentOptions options = {});

// One control paint: the captured background on construction, released on destruction, so no
// return path of a painter can leak its memory DC.
class ControlPaint {
  public:
    ControlPaint(HWND control, const RECT& rect, std::optional<TintInset> inset = std::nullopt)
        : control_(control), rect_(rect), dc_(CaptureBackground(control, rect, inset)) {}
    ~ControlPaint() { ReleaseMemoryDC(dc_); }
    ControlPaint(const ControlPaint&) = delete;
    ControlPaint& operator=(const ControlPaint&) = delete;

    // False when there was no skinned window to capture from; the paint is then skipped.
    explicit operator bool() const { return dc_ != nullptr; }
    HDC Dc() const { return dc_; }
    int Width() const { return rect_.right - rect_.left; }
    int Height() const { return rect_.bottom - rect_.top; }

    void Present(PresentOptions options = {}) const { PresentToWindow(control_, dc_, options); }
    // BitBlt of the whole image onto target at (x, y).
    void CopyTo(HDC target, int x = 0, int y = 0) const {
        BitBlt(target, x, y, Width(), Height(), dc_, 0, 0, SRCCOPY);
    }

  private:
    HWND control_;
    RECT rect_;
    HDC dc_;
};

// Which DC of the control receives the finished image.
enum class ControlSurface { Client, Window };

// The whole pipeline: capture rect, draw(HDC memory, int width, int height), present, copy onto
// target at (0, 0), release. Returns false when nothing could be captured.
template <class Draw>
bool PaintControl(HWND control, const RECT& rect, HDC target, Draw&& draw,
                  PresentOptions options = {}, std::optional<TintInset> inset = std::nullopt) {
    ControlPaint paint(control, rect, inset);
    if (!paint) return false;
    std::forward<Draw>(draw)(paint.Dc(), paint.Width(), paint.Height());
    paint.Present(options);
    paint.CopyTo(target);
    return true;
}

template <class Draw>
bool PaintControl(HWND control, const RECT& rect, ControlSurface surface, Draw&& draw,
                  PresentOptions options = {}, std::optional<TintInset> inset = std::nullopt) {
    WindowDC target(control, surface == ControlSurface::Window);
    return PaintControl(control, rect, target.Get(), std::forward<Draw>(draw), options, inset);
}

} // namespace qz
