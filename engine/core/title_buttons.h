#pragma once
#include <windows.h>

#include "engine/core/window_table.h"

// The image buttons of a skinned title bar: which buttons a window has, where they sit, what a
// click on each does, and their hover fades on a 20 ms timer whose id is the window handle.
namespace qz {

inline constexpr UINT kTitleFadeMs = 20;
inline constexpr int kTitleFadeSteps = 8;
inline constexpr int kTitleFadeLevelStep = 30; // kTitleFadeSteps steps reach kFullHoverLevel
inline constexpr int kButtonStripHeight = 22;

// The fade timer of a window: its id is the window handle.
inline UINT_PTR TitleFadeTimerId(HWND window) {
    return reinterpret_cast<UINT_PTR>(window);
}

// Fills the record's title buttons, left to right, from its help, menu, minimise, maximise and
// close options, and sizes the strip that holds them.
void AddTitleButtons(WindowSkin& skin);

// Gives every title button a tool of the record's tooltip (when it has one) under its caption.
void AddTitleButtonTools(WindowSkin& skin);
// Removes those tools and ends the tooltip window.
void RemoveTitleButtonTools(WindowSkin& skin);

// Puts the strip at the right end of the client area and each button in it, and moves the
// tooltip tools with them (a tool's text follows its button's caption).
void LayoutTitleButtons(int windowIndex);

// Whether (x, y) lies in the strip, counting two pixels left of it.
bool InButtonStrip(const WindowSkin& skin, int x, int y);
// The button whose rectangle strictly contains (x, y); 0 when none.
int HitTitleButton(const WindowSkin& skin, int x, int y);
// The first maximise button; 0 when the window has none.
int FindMaximiseButton(const WindowSkin& skin);
// Acts on a click of the button: close, maximise or restore, minimise. The menu and help
// buttons only hover and press. An index outside the buttons does nothing.
void RunTitleButton(WindowSkin& skin, int button);

// The title-button part of WM_MOUSEMOVE: runs the fade timer while the pointer is over the
// strip, and starts the fade-out of the button left and the fade-in of the button entered.
void TrackTitleButtons(int windowIndex, int x, int y);
// The title-button part of WM_LBUTTONDOWN: the button under the point shows pressed.
void PressTitleButton(int windowIndex, int x, int y);
// The title-button part of WM_MOUSELEAVE: the hot button fades out.
void LeaveTitleButtons(int windowIndex);
// One tick of the fade timer: both fades advance one step; once the pointer is gone and the
// fade-out is done, the timer stops and the fades are cleared.
void TickTitleFades(int windowIndex);

} // namespace qz
