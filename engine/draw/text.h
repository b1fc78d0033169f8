#pragma once
#include <windows.h>
#include <string>
#include "engine/draw/plus.h"

namespace qz {

inline constexpr const char* kDefaultFace = "宋体";
inline constexpr int kDefaultFontSize = 12;

// A control's font as the painters use it: GBK face name, size in GDI+ world units (pixels on
// the engine's graphics), GDI+ FontStyle bits (1 bold, 2 italic, 4 underline, 8 strikeout).
struct FontSpec {
    std::string face;
    int size = kDefaultFontSize;
    int style = 0;
};

// The control's WM_GETFONT font read through GDI+; ("宋体", 12, 0) when it has none.
FontSpec ControlFont(HWND window);

// The string format both caption looks use: line limit, optional no-wrap and ellipsis, and the
// GDI+ alignments (0 near, 1 centre, 2 far).
bool PrepareTextFormat(PlusStringFormat& format, int alignment, int lineAlignment, bool wrap,
                       bool ellipsis);

// A caption with a soft halo in glowColour, a one-pixel glowColour outline around it and the
// text in textColour, one pixel right of and below rect's corner. Colours are RGB. The halo is
// the text shrunk by scale and blown up again; a rectangle smaller than scale gets none.
// format, when given, replaces the prepared string format.
bool DrawGlowText(PlusGraphics& graphics, const std::string& text, const RectF& rect,
                  COLORREF textColour, COLORREF glowColour, int scale = 4,
                  const std::string& face = kDefaultFace, int style = 0, float size = 12.0f,
                  int alignment = 0, int lineAlignment = 0, bool wrap = true, bool ellipsis = false,
                  const PlusStringFormat* format = nullptr);

// A caption in textColour over four copies in outlineColour (alpha 150) shifted by
// outlineWidth to the right, left, below and above.
bool DrawOutlinedText(PlusGraphics& graphics, const std::string& text, const RectF& rect,
                      COLORREF textColour, COLORREF outlineColour, int outlineWidth = 1,
                      const std::string& face = kDefaultFace, int style = 0, float size = 13.0f,
                      int alignment = 0, int lineAlignment = 0, bool wrap = true,
                      bool ellipsis = false);

// Width of the text's measured bounding box in that font, truncated, plus 1.
int MeasureTextWidth(const std::string& text, const std::string& face = kDefaultFace,
                     float size = 12.0f, int style = 0);

} // namespace qz
