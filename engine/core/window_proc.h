#pragma once
#include <windows.h>

#include "engine/core/window_table.h"

// The procedure every skinned top-level window runs in front of its own. It keeps the window's
// record in step with the window, repaints the skin in full or copies it back, runs the title
// buttons, turns presses on the client area into the system's move and size commands, and takes
// the skin down again when the window is destroyed.
namespace qz {

LRESULT CALLBACK SkinnedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The edge or corner of the client area under (x, y) as a WMSZ_ value, 0 inside; the edges are
// the frame inset wide, the corners 10 pixels.
int SizingZoneAt(const WindowSkin& skin, int x, int y);
// Shows the sizing cursor of the zone under (x, y) on a resizable window.
void SetResizeCursor(const WindowSkin& skin, int x, int y);
// A press at (x, y): sizing from an edge or corner, a window move from the bare client area,
// nothing on the title buttons, the status strip or a child control.
void BeginMoveOrSize(WindowSkin& skin, int x, int y);
// The panel whose rectangle strictly contains (x, y); 0 when none or without a strip.
int HitStatusPanel(const WindowSkin& skin, int x, int y);

// Copies the painted skin back onto the window around its visible children.
void CopySkinToWindow(const WindowSkin& skin);
// Puts the presentation image (skin and finished controls) on the screen, except over the
// children that paint themselves.
void RestorePresentation(const WindowSkin& skin);
// Has every visible list view of the window repainted.
void RefreshListViews(WindowSkin& skin);

// Gives the window its own procedure back, releases its tooltip, menu and memory DCs, removes
// its record and renumbers the windows behind it.
void TearDownWindow(HWND hwnd);

} // namespace qz
