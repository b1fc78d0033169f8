#pragma once
#include <windows.h>

#include <optional>

#include "engine/controls/common/container_skin.h"
#include "engine/core/installers.h"
#include "engine/core/lookup.h"

// Controls that hold other controls or that the system paints as a whole: group boxes, status
// bars, tab controls and any panel an application hands over. A control handed to
// SkinContainer joins the window's control list and has the system's painting laid over the
// skin; one that has children also becomes a registered container, whose children are skinned
// and whose own look the engine paints and keeps in the window's presentation DC.
namespace qz {

// The engine's public call for one container control. backColor is what the control paints as
// its own background (default: the button-face colour); the tint (default: none) is laid over
// the container's area when it has children. A control without a skinned top-level window is
// left alone.
void SkinContainer(HWND control, std::optional<COLORREF> backColor = std::nullopt,
                   std::optional<COLORREF> tintColor = std::nullopt,
                   std::optional<int> tintAlpha = std::nullopt);

// Registers control in its window's container list and skins its children; defaults: painted
// 1, no tint, tint alpha 255, square corners. Group boxes and tab controls are always painted.
// Does nothing for a control already registered or without a skinned top-level window.
void RegisterContainer(HWND control, std::optional<int> painted = std::nullopt,
                       std::optional<COLORREF> tintColor = std::nullopt,
                       std::optional<int> tintAlpha = std::nullopt,
                       std::optional<int> rounded = std::nullopt);

// The window index of control itself or of its nearest skinned ancestor; 0 when none.
int WindowIndexOfControl(HWND control);

// A "Button" whose style has bit 0x4 set. Besides BS_GROUPBOX that takes in BS_RADIOBUTTON,
// BS_3STATE, BS_AUTO3STATE and the types 0xC..0xF; such buttons are treated as group boxes.
bool IsGroupBox(HWND control);

// The nearest ancestor (from the parent up) that is marked as a layer host with Wxk_Zpf = 1;
// nullptr when there is none.
HWND FindLayerHost(HWND control);

// A skinned control is about to move or change size: its parent, when that is a registered
// container without a size callback, paints anew.
void NoteChildMoving(HWND control);

// The notifications a skinned window or container relays from its children: tree items that
// expand repaint, a tab control whose selection changes (or whose scroll arrows are pressed)
// paints anew.
void RelayNotification(const NMHDR& header);

// Procedures of the window's control list and of its container list.
LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the container's look onto target and into the window's presentation DC and records
// its size; the repaint and moved flags are cleared.
void PaintContainer(HWND container, HDC target);

// Takes a container out of its window's container list (on its WM_NCDESTROY): gives it back
// the procedure it had and renumbers the containers behind it.
void RemoveContainer(HWND container);

} // namespace qz
