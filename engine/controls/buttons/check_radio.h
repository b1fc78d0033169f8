#pragma once
#include <windows.h>

#include "engine/core/installers.h"

// Check boxes and radio buttons keep the system's behaviour but are painted by the engine in
// WM_PAINT and after every message that makes the system draw them: check boxes from the cells
// of the check-box strip, radio buttons as anti-aliased circles. They share ButtonProc and
// PaintButton with the push buttons.
namespace qz {

// Cells of the check-box strip.
enum CheckCell : int {
    kCellLargeMark = 1,
    kCellHotBox = 2,
    kCellMark = 3,
    kCellShrunkMark = 4,
    kCellBox = 5,
    kCellDisabledBox = 6,
};

// Paints a radio button now in the given owner-draw state (disabled, hot) with its live check
// state.
void PaintRadio(HWND control, UINT state);

// Paints a check box now. Outside the click animation it shows the box of its state and, when
// checked, the mark; animating, the plain box and, when checked, the mark of frame 0..4.
void PaintCheck(HWND control, UINT state, bool animating = false, int frame = 0);

// The click of a check box that carries Xzk_dhxg: the marks shrink (checked) or grow (not
// checked) over four frames, painted synchronously with short sleeps between them.
void AnimateCheckClick(HWND control);

// Told about every frame of a click animation once it has been painted, before the pause that
// follows it; the animation blocks the thread, so this is the one way to follow it. nullptr (the
// start) for nobody.
using ClickFrameObserver = void (*)(HWND control, int frame);
void ObserveClickFrames(ClickFrameObserver observer);

} // namespace qz
