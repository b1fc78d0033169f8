#pragma once
#include <windows.h>

#include "engine/draw/plus.h"

// Painting of a skinned top-level window's own parts: rounded region, background, frame, icon
// and caption, title-bar buttons and status-strip panels. A whole repaint composes all of them
// into the window's background DC and rebuilds its title, strip and presentation DCs; a
// single-element repaint restores its rectangle from the title or strip DC, draws, and copies
// only that rectangle to the screen.
namespace qz {

// How a title button is drawn.
enum class TitleButtonLook { Normal, Pressed };

// The hover strength of a title button runs from 0 (none) to this.
inline constexpr int kFullHoverLevel = 240;

// Gives the window its rounded region.
void SetRoundRegion(HWND window);

// Composes the whole skin of window windowIndex into its memory DCs. With whole, also sets the
// region, puts the image on the screen (onto dc when given, else the window's own DC with its
// children excluded) and asks the window's skinned controls to repaint over it.
void PaintWindowSkin(int windowIndex, HDC dc, bool whole);

// Single-element repaints, each copied to the screen at once. text nullptr: the window text.
void PaintCaption(int windowIndex, const char* text = nullptr);
void PaintTitleButton(int windowIndex, int button, TitleButtonLook look, int level = 0);
void PaintStatusPanel(int windowIndex, int panel);

// The same parts drawn into the background DC during a whole repaint, with its graphics.
void PaintCaption(int windowIndex, PlusGraphics& graphics, const char* text = nullptr);
void PaintTitleButton(int windowIndex, int button, PlusGraphics& graphics);
void PaintStatusPanel(int windowIndex, int panel, PlusGraphics& graphics);

} // namespace qz
