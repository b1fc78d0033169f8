#pragma once
#include <windows.h>

#include <memory>

#include "engine/controls/buttons/button_skin.h"
#include "engine/core/installers.h"
#include "engine/core/list.h"
#include "engine/draw/gdi_guards.h"

// Push buttons are made owner-drawn and painted as translucent rounded keys over the window's
// skin; their hover look fades in on a thread timer. The window procedure here serves every
// button-family control: check boxes and radio buttons paint through check_radio.h.
namespace qz {

// Owner-draw state bits as the painters take them.
inline constexpr UINT kStateSelected = ODS_SELECTED;
inline constexpr UINT kStateDisabled = ODS_DISABLED;
inline constexpr UINT kStateFocus = ODS_FOCUS;
inline constexpr UINT kStateHot = ODS_HOTLIGHT;

// RGB colour of the captions of disabled button-family controls.
inline constexpr COLORREF kDisabledTextColor = 0x00606060;

// Takes child over as a button-family control of the window at windowIndex: a record in the
// window's button list (kind, text, font), the addressing properties, the disabled-text colour
// and ButtonProc as its procedure. Returns the record's list index; 0 when child is already in
// the list or the window index lies outside the table.
int TakeOverButton(int windowIndex, HWND child, int kind);

// Reads the control's font into the record; an empty face or a zero size take the defaults.
void RefreshButtonFont(HWND control, ButtonSkin& record);

LRESULT CALLBACK ButtonProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Paints a button-family control at once, outside WM_PAINT, with the hover bit added when hover
// is true and the disabled bit when the control is disabled.
void PaintButton(HWND control, UINT state, bool hover);

// Paints a skinned push button in the given owner-draw state over rect. The finished image goes
// to the window's presentation DC and onto dc, or, hot, fades in over the control. dc stays the
// caller's.
void PaintPushButton(HWND control, HDC dc, UINT state, const RECT& rect);

// A thread timer with no window, killed when the guard goes.
class ThreadTimer {
  public:
    ThreadTimer() = default;
    ThreadTimer(UINT elapse, TIMERPROC proc) : id_(SetTimer(nullptr, 0, elapse, proc)) {}
    ~ThreadTimer() {
        if (id_) KillTimer(nullptr, id_);
    }
    ThreadTimer(ThreadTimer&& other) noexcept : id_(other.id_) { other.id_ = 0; }
    ThreadTimer& operator=(ThreadTimer&&) = delete;
    ThreadTimer(const ThreadTimer&) = delete;
    UINT_PTR Id() const { return id_; }

  private:
    UINT_PTR id_ = 0;
};

// A registered memory DC, released with ReleaseMemoryDC when the guard goes.
class OwnedMemoryDC {
  public:
    OwnedMemoryDC() : dc_(nullptr) {}
    explicit OwnedMemoryDC(HDC dc) : dc_(dc) {}
    ~OwnedMemoryDC();
    OwnedMemoryDC(OwnedMemoryDC&& other) noexcept : dc_(other.dc_) { other.dc_ = nullptr; }
    OwnedMemoryDC& operator=(OwnedMemoryDC&&) = delete;
    OwnedMemoryDC(const OwnedMemoryDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// One hover image fading in: blended over its control once a tick with a rising constant
// alpha. Removing the entry kills its timer and releases both DCs.
struct FadeEntry {
    int step = 0;
    ThreadTimer timer;
    HWND window = nullptr;
    std::unique_ptr<WindowDC> target; // GetDC of window
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    OwnedMemoryDC source;
    int source_x = 0;
    int source_y = 0;
};

// Every running hover fade, engine-wide.
extern List<FadeEntry> FadeList;

inline constexpr UINT kFadeInterval = 20;
inline constexpr int kFadeLastStep = 10;
inline constexpr int kFadeAlphaPerStep = 25;

// The fade's tick: the entry of timer id takes one step; the tenth step ends it.
void CALLBACK FadeTick(HWND, UINT, UINT_PTR id, DWORD);

// Ends every running fade where it stands.
void StopAllFades();

} // namespace qz
