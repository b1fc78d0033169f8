#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "engine/core/window_table.h"

// The calls that skin a top-level window. An option left empty takes its default; the window
// is then drawn and driven by the engine until it is destroyed.
namespace qz {

// Skins window with every option (defaults in brackets): title height [0; at least 25 is
// used], title bar [1], resizable [1], help button [0], menu button [0], caption text [1],
// fill body [0], status-strip height [0 = no strip], status panels [none], background picture
// as PNG bytes [none], image placement 0..10 [0], background colour [none], background alpha
// [255], no close button [0], no icon [0], button image set [none], drag [1]. The title
// buttons' tooltips exist only when a non-zero title-bar option is given. A window that is
// already skinned is left as it is.
void SkinWindowEx(HWND window, std::optional<int> titleHeight = {},
                  std::optional<int> titleBar = {}, std::optional<int> resizable = {},
                  std::optional<int> helpButton = {}, std::optional<int> menuButton = {},
                  std::optional<int> captionText = {}, std::optional<int> fillBody = {},
                  std::optional<int> statusHeight = {},
                  const std::optional<std::vector<StatusPanel>>& panels = {},
                  const std::optional<ByteBuffer>& picture = {},
                  std::optional<int> imagePlacement = {},
                  std::optional<RgbColor> backgroundColor = {},
                  std::optional<int> backgroundAlpha = {}, std::optional<int> noCloseButton = {},
                  std::optional<int> noIcon = {}, const std::optional<ImageSet>& buttonImages = {},
                  std::optional<int> drag = {});

// The short form: title height [20], resizable [0], help button [0], menu button [0], caption
// text [0], status-strip height [0], background picture [none], image placement [3], background
// colour [white], no icon [0], drag [0]; the title bar, body fill, alpha and close button keep
// SkinWindowEx's defaults.
void SkinWindow(HWND window, std::optional<int> titleHeight = {}, std::optional<int> resizable = {},
                std::optional<int> helpButton = {}, std::optional<int> menuButton = {},
                std::optional<int> captionText = {}, std::optional<int> statusHeight = {},
                const std::optional<ByteBuffer>& picture = {},
                std::optional<int> imagePlacement = {},
                std::optional<RgbColor> backgroundColor = {}, std::optional<int> noIcon = {},
                std::optional<int> drag = {});

// The status strip along the bottom edge: its height and, when given, its panels, laid out over
// the current client width. RelayoutStatusStrip repeats the layout after a size change.
void LayoutStatusStrip(int windowIndex, int height, const std::vector<StatusPanel>& panels,
                       bool panelsGiven);
void RelayoutStatusStrip(int windowIndex);

// The average colour of random samples of the picture's right-hand tenth; 0 for a picture that
// does not decode.
RgbColor AverageEdgeColour(const ByteBuffer& picture, int samples);

enum class PictureEdge { Right, Left };
// The picture with one side edge and its bottom edge faded into base (a third of its width
// each), encoded as PNG; the picture unchanged when it cannot be redrawn.
ByteBuffer FadePictureEdges(const ByteBuffer& picture, RgbColor base, PictureEdge edge);

} // namespace qz
