#pragma once
#include <windows.h>

#include "engine/controls/common/container_skin.h"

namespace qz {

// Where a group box's caption starts: 10 pixels from the left edge with BS_LEFT, centred with
// BS_CENTER, and 10 pixels from the right edge with BS_RIGHT or without alignment bits.
float GroupCaptionX(LONG_PTR style, int width, int textWidth);

// Draws a group box's rounded double frame and its caption onto dc, which holds the captured
// background of the whole client area (width x height). Behind the caption the frame lines are
// covered with the untinted background, tinted again like the areas around it.
void PaintGroupBox(HWND groupBox, const ContainerSkin& record, HDC dc, int width, int height);

} // namespace qz
