#pragma once
#include <windows.h>

// Scope guards for the GDI and USER handles a paint takes, so that every return path gives them
// back.
namespace qz {

// A window's DC from GetDC (or GetWindowDC), released with ReleaseDC.
class WindowDC {
  public:
    explicit WindowDC(HWND window, bool wholeWindow = false)
        : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    // Takes over a DC that was got for window with GetDC or GetWindowDC.
    WindowDC(HWND window, HDC dc) : window_(window), dc_(dc) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A GDI object (brush, bitmap, region) deleted with DeleteObject unless released to a new owner.
template <class Handle> class GdiObject {
  public:
    explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
    ~GdiObject() {
        if (handle_) DeleteObject(handle_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle Get() const { return handle_; }
    // Hands the object to a new owner (SetWindowRgn, a registered memory DC).
    Handle Release() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

  private:
    Handle handle_;
};

// A DC made with CreateCompatibleDC, deleted with DeleteDC unless released to a new owner.
class CompatibleDC {
  public:
    explicit CompatibleDC(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
    ~CompatibleDC() {
        if (dc_) DeleteDC(dc_);
    }
    CompatibleDC(const CompatibleDC&) = delete;
    CompatibleDC& operator=(const CompatibleDC&) = delete;
    HDC Get() const { return dc_; }
    HDC Release() {
        HDC dc = dc_;
        dc_ = nullptr;
        return dc;
    }

  private:
    HDC dc_;
};

// BeginPaint .. EndPaint.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Info() const { return paint_; }

  private:
    HWND window_;
    HDC dc_;
    PAINTSTRUCT paint_{};
};

} // namespace qz
