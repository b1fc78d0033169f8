#pragma once
#include "engine/draw/image_bytes.h"

// Every picture the engine draws, carried in the program's data as PNG files (8-bit RGBA).
namespace qz::images {

extern const ImageBytes HelpButtonImage;     // 26 x 18, title-bar help button
extern const ImageBytes MenuButtonImage;     // 26 x 18, title-bar main-menu button
extern const ImageBytes MinimizeButtonImage; // 26 x 18
extern const ImageBytes MaximizeButtonImage; // 26 x 18
extern const ImageBytes RestoreButtonImage;  // 26 x 18, the maximise button while maximised
extern const ImageBytes CloseButtonImage;    // 38 x 18
extern const ImageBytes ArrowUpImage;        // 14 x 14 chevrons of scroll bars and up-down controls
extern const ImageBytes ArrowDownImage;
extern const ImageBytes ArrowLeftImage;
extern const ImageBytes ArrowRightImage;
extern const ImageBytes DropTriangleImage; // 7 x 5, toolbar drop-down buttons
extern const ImageBytes CheckStripImage;   // 131 x 16, the six check-box cells

} // namespace qz::images
