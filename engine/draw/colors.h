#pragma once
#include <windows.h>
#include <cstdint>
#include <optional>
#include "engine/draw/plus.h"

namespace qz {

inline constexpr COLORREF kDefaultThemeColor = 0x00DDCA22;
inline constexpr COLORREF kWhite = 0x00FFFFFF;
inline constexpr COLORREF kBlack = 0x00000000;
// The engine's accent colour (RGB 0x00BBGGRR); engine start-up sets it to kDefaultThemeColor.
extern COLORREF ThemeColor;

// RGB 0x00BBGGRR (top byte ignored) to ARGB 0xAARRGGBB; an omitted alpha is opaque.
ArgbColor MakeArgb(COLORREF rgb, std::optional<std::uint8_t> alpha = std::nullopt);
// ARGB back to RGB with a zero top byte; the exact inverse of MakeArgb.
COLORREF SplitArgb(ArgbColor argb, std::uint8_t& alpha);
COLORREF SplitArgb(ArgbColor argb);

// Appends a closed rounded rectangle; corner is the side of each corner's arc box (a
// diameter), clamped to 1..100. The bottom-right box is one pixel larger, up and left.
bool AddRoundRect(PlusPath& path, float x, float y, float width, float height, int corner);
// The same outline with integer arc boxes, as background capture tints it.
bool AddRoundRectI(PlusPath& path, float x, float y, float width, float height, int corner);
// An outline open at the bottom with rounded top corners of size e (tabs, title buttons).
bool TabShapeTop(PlusPath& path, float x, float y, float width, float height, float e);

RectF MakeRectF(float x, float y, float width = 0, float height = 0);
PointF MakePointF(float x, float y);

} // namespace qz
