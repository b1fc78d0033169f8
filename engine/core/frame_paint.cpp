#include "engine/core/frame_paint.h"

namespace qz {

void SetRoundRegion(HWND) {}
void PaintWindowSkin(int, HDC, bool) {}
void PaintCaption(int, const char*) {}
void PaintTitleButton(int, int, TitleButtonLook, int) {}
void PaintStatusPanel(int, int) {}
void PaintCaption(int, PlusGraphics&, const char*) {}
void PaintTitleButton(int, int, PlusGraphics&) {}
void PaintStatusPanel(int, int, PlusGraphics&) {}

} // namespace qz
