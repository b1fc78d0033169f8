#pragma once
#include <windows.h>

// The skins of the child control classes as the window skinning call and container registration
// reach them. Each installer skins the direct children of parent that belong to its classes and
// does nothing before the engine has started.
namespace qz {

void InstallPushButtons(int windowIndex, HWND parent);
void InstallCheckAndRadio(int windowIndex, HWND parent);
void InstallEditSkins(int windowIndex, HWND parent);
void InstallComboSkins(int windowIndex, HWND parent);
void InstallTrackBars(int windowIndex, HWND parent);
void InstallProgressBars(int windowIndex, HWND parent);
void InstallListSkins(int windowIndex, HWND parent);
void InstallUpDowns(int windowIndex, HWND parent);
void InstallHeaders(int windowIndex, HWND parent);
void InstallToolbars(int windowIndex, HWND parent);
void InstallTransparentControls(int windowIndex, HWND parent);

// Every installer above over parent's children, in the one order the engine uses: push buttons,
// check boxes and radio buttons, edits and then combo boxes, track bars, progress bars,
// list-type controls, up-down controls, headers, toolbars, transparent controls.
void RunChildInstallers(int windowIndex, HWND parent);

// Owner-draw requests that a skinned window or container receives for its skinned controls.
// Returns true when the item belongs to a skinned control (its window then answers 1 and the
// previous procedure is not asked); list-box items and unskinned controls return false.
bool DispatchOwnerDraw(const DRAWITEMSTRUCT& item);

// Paints a skinned push-button item of an owner-draw request.
void PaintPushButtonItem(const DRAWITEMSTRUCT& item);

// Repaint requests for the containers and listed controls of a top-level window: every
// container of the window, and unless containersOnly every control of its control list, paints
// anew at its next WM_PAINT.
void MarkWindowForRepaint(HWND topWindow, bool containersOnly);
// A registered container (a tab control whose selection changes) paints anew at its next
// WM_PAINT.
void MarkContainerForRepaint(HWND container);

} // namespace qz
