#include "engine/core/skin_window.h"

#include <algorithm>
#include <random>
#include <utility>

#include "engine/core/installers.h"
#include "engine/core/lookup.h"
#include "engine/core/properties.h"
#include "engine/core/title_buttons.h"
#include "engine/core/window_proc.h"
#include "engine/draw/colors.h"
#include "engine/draw/plus.h"

namespace qz {

namespace {

constexpr int kMinTitleHeight = 25;
constexpr int kFrameInset = 3;
constexpr int kMinTrackWidth = 200;
constexpr int kMinTrackHeight = 150;
constexpr int kEdgeSamples = 2000;
constexpr char kDefaultFace[] = "宋体";
constexpr int kDefaultFontSize = 12;

// The options of one skinning call with every default applied.
struct SkinOptions {
    int title_height;
    int title_bar;
    bool tooltip; // only a title-bar option given as non-zero asks for tooltips
    int resizable;
    int help_button;
    int menu_button;
    int caption_text;
    int fill_body;
    int status_height;
    const std::vector<StatusPanel>* panels; // nullptr: none given
    const ByteBuffer* picture;              // nullptr: none given
    int image_placement;
    RgbColor background_color;
    int background_alpha;
    int no_close;
    int no_icon;
    const ImageSet* button_images; // nullptr: none given
    int drag;
};

template <class T> const T* ValueOrNull(const std::optional<T>& value) {
    return value ? &*value : nullptr;
}

void FillOptions(WindowSkin& skin, const SkinOptions& o, LONG_PTR style) {
    skin.title_height = std::max(o.title_height, kMinTitleHeight);
    skin.help_button = o.help_button;
    skin.menu_button = o.menu_button;
    skin.minimize_button = (style & WS_MINIMIZEBOX) ? 1 : 0;
    skin.maximize_button = (style & WS_MAXIMIZEBOX) ? 1 : 0;
    skin.title_bar = o.title_bar;
    skin.drag = o.drag;
    skin.close_button = o.no_close ? 0 : o.title_bar;
    skin.resizable = o.resizable;
    skin.caption_text = o.caption_text;
    skin.no_icon = o.no_icon;
    skin.fill_body = o.fill_body;
    skin.image_placement = o.image_placement;
    skin.background_color = o.background_color;
    skin.background_alpha = o.background_alpha;
    skin.min_track_width = kMinTrackWidth;
    skin.min_track_height = kMinTrackHeight;
    skin.max_track_width = GetSystemMetrics(SM_CXSCREEN);
    skin.max_track_height = GetSystemMetrics(SM_CYSCREEN);
}

void SetBackgroundPicture(WindowSkin& skin, const ByteBuffer* picture) {
    if (!picture || picture->empty()) return;
    skin.image_base_color = AverageEdgeColour(*picture, kEdgeSamples);
    if (skin.image_placement == 0) {
        skin.background_image =
            FadePictureEdges(*picture, skin.image_base_color, PictureEdge::Right);
    } else if (skin.image_placement == 1) {
        skin.background_image =
            FadePictureEdges(*picture, skin.image_base_color, PictureEdge::Left);
    } else {
        skin.background_image = *picture;
    }
}

void SetButtonImages(WindowSkin& skin, const ImageSet* images) {
    if (!images || !images->HoldsImages()) return;
    skin.has_button_images = 1;
    skin.button_images = *images;
}

void SetStyle(HWND window, LONG_PTR style) {
    SetWindowLongPtrA(window, GWL_STYLE, style);
}

WindowSkin BuildRecord(HWND window, const SkinOptions& o, LONG_PTR style) {
    WindowSkin skin = MakeWindowSkin(window);
    FillOptions(skin, o, style);
    SetBackgroundPicture(skin, o.picture);
    skin.caption_font = {kWhite, 0x808080, kDefaultFace, kDefaultFontSize, 1, 0};
    SetButtonImages(skin, o.button_images);
    AddTitleButtons(skin);
    return skin;
}

void AddStatusStrip(int windowIndex, const SkinOptions& o) {
    if (o.status_height < 1) return;
    static const std::vector<StatusPanel> kNoPanels;
    LayoutStatusStrip(windowIndex, o.status_height, o.panels ? *o.panels : kNoPanels, true);
    WindowTable.At(windowIndex)->strip_font = {0, kWhite, kDefaultFace, kDefaultFontSize};
}

// Last of all, so that no message reaches the skinned procedure before the record is complete.
void Subclass(HWND window, int windowIndex) {
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinnedWindowProc)));
    WindowTable.At(windowIndex)->previous_proc = previous;
    SetPropValue(window, props::Qz_hProc, reinterpret_cast<INT_PTR>(previous));
    SetPropValue(window, props::Qz_lbID, windowIndex);
}

void SkinWithOptions(HWND window, const SkinOptions& o) {
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    SetStyle(window, style & ~static_cast<LONG_PTR>(WS_CLIPCHILDREN));
    RECT client{};
    GetClientRect(window, &client);
    Engine.frame_inset = kFrameInset;
    WindowSkin record = BuildRecord(window, o, style);
    SetStyle(window, GetWindowLongPtrA(window, GWL_STYLE) | WS_SYSMENU);
    int index = WindowTable.Append(std::move(record));
    WindowSkin& skin = *WindowTable.At(index);
    skin.repaint_all = 1;
    skin.clamp_width = client.right - client.left;
    skin.clamp_height = client.bottom - client.top;
    if (o.tooltip) skin.tooltip.Create(window);
    AddTitleButtonTools(skin);
    LayoutTitleButtons(index);
    AddStatusStrip(index, o);
    RelayoutStatusStrip(index);
    RunChildInstallers(index, window);
    Subclass(window, index);
}

// Lays the strip and its panels over the current client size from the stored height and panels.
void PlaceStatusStrip(WindowSkin& skin) {
    RECT client{};
    GetClientRect(skin.window, &client);
    int width = client.right - client.left;
    int inset = skin.title_bar ? kFrameInset : 0;
    int height = skin.status_strip_height;
    skin.status_strip = {inset, client.bottom - inset - height - 1, width - 2 * inset, height};
    skin.panel_rects.Clear();
    int x = inset;
    skin.status_panels.ForEach([&](const StatusPanel& panel) {
        // -1 takes the rest of the strip; later panels then start at its right end.
        int w = panel.width == -1 ? width - inset - x : panel.width;
        w = std::max(w, 0);
        skin.panel_rects.Append(Box{x, skin.status_strip.y, w, height});
        x += w;
    });
}

void FillGradient(PlusGraphics& graphics, const RectF& area, const PointF& from, const PointF& to,
                  ArgbColor fromColor, ArgbColor toColor) {
    PlusLinearGradientBrush brush;
    if (brush.Create(from, to, fromColor, toColor))
        graphics.FillRectangle(brush, area.X, area.Y, area.Width, area.Height);
}

void FadeEdges(PlusGraphics& graphics, float w, float h, RgbColor base, PictureEdge edge) {
    float a = static_cast<float>(static_cast<int>(w * 0.3f));
    if (a < 1) return;
    ArgbColor clear = MakeArgb(kWhite, 0);
    ArgbColor solid = MakeArgb(base);
    if (edge == PictureEdge::Right) {
        FillGradient(graphics, MakeRectF(w - a + 1, 0, a, h), MakePointF(w - a, 0),
                     MakePointF(w, 0), clear, solid);
    } else {
        FillGradient(graphics, MakeRectF(0, 0, a, h), MakePointF(0, 0), MakePointF(a, 0), solid,
                     clear);
    }
    FillGradient(graphics, MakeRectF(0, h - a + 1, w, a), MakePointF(0, h - a), MakePointF(0, h),
                 MakeArgb(base, 0), solid);
}

} // namespace

void SkinWindowEx(HWND window, std::optional<int> titleHeight, std::optional<int> titleBar,
                  std::optional<int> resizable, std::optional<int> helpButton,
                  std::optional<int> menuButton, std::optional<int> captionText,
                  std::optional<int> fillBody, std::optional<int> statusHeight,
                  const std::optional<std::vector<StatusPanel>>& panels,
                  const std::optional<ByteBuffer>& picture, std::optional<int> imagePlacement,
                  std::optional<RgbColor> backgroundColor, std::optional<int> backgroundAlpha,
                  std::optional<int> noCloseButton, std::optional<int> noIcon,
                  const std::optional<ImageSet>& buttonImages, std::optional<int> drag) {
    if (!IsWindow(window) || IndexOfWindow(window) >= 1) return;
    SkinOptions options{titleHeight.value_or(0),
                        titleBar.value_or(1),
                        titleBar.value_or(0) != 0,
                        resizable.value_or(1),
                        helpButton.value_or(0),
                        menuButton.value_or(0),
                        captionText.value_or(1),
                        fillBody.value_or(0),
                        statusHeight.value_or(0),
                        ValueOrNull(panels),
                        ValueOrNull(picture),
                        imagePlacement.value_or(0),
                        backgroundColor.value_or(kNoColor),
                        backgroundAlpha.value_or(255),
                        noCloseButton.value_or(0),
                        noIcon.value_or(0),
                        ValueOrNull(buttonImages),
                        drag.value_or(1)};
    SkinWithOptions(window, options);
}

void SkinWindow(HWND window, std::optional<int> titleHeight, std::optional<int> resizable,
                std::optional<int> helpButton, std::optional<int> menuButton,
                std::optional<int> captionText, std::optional<int> statusHeight,
                const std::optional<ByteBuffer>& picture, std::optional<int> imagePlacement,
                std::optional<RgbColor> backgroundColor, std::optional<int> noIcon,
                std::optional<int> drag) {
    SkinWindowEx(window, titleHeight.value_or(20), std::nullopt, resizable.value_or(0),
                 helpButton.value_or(0), menuButton.value_or(0), captionText.value_or(0),
                 std::nullopt, statusHeight.value_or(0), std::vector<StatusPanel>{},
                 picture.value_or(ByteBuffer{}), imagePlacement.value_or(3),
                 backgroundColor.value_or(kWhite), std::nullopt, std::nullopt, noIcon.value_or(0),
                 ImageSet{}, drag.value_or(0));
}

void LayoutStatusStrip(int windowIndex, int height, const std::vector<StatusPanel>& panels,
                       bool panelsGiven) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin) return;
    skin->status_strip_height = height;
    if (panelsGiven) {
        skin->status_panels.Clear();
        for (const StatusPanel& panel : panels)
            skin->status_panels.Append(panel);
    }
    PlaceStatusStrip(*skin);
}

void RelayoutStatusStrip(int windowIndex) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (skin && skin->status_strip_height >= 1) PlaceStatusStrip(*skin);
}

RgbColor AverageEdgeColour(const ByteBuffer& picture, int samples) {
    PlusBitmap bitmap;
    if (samples < 1 || !bitmap.LoadFromBytes(picture)) return 0;
    int w = static_cast<int>(bitmap.GetWidth());
    int h = static_cast<int>(bitmap.GetHeight());
    if (w < 1 || h < 1) return 0;
    // Samples stay inside the picture: a position past its edge would count as black.
    int band = std::max(static_cast<int>(w * 0.1), 1);
    std::minstd_rand random(0x5EED);
    std::uniform_int_distribution<int> xs(w - band, w - 1);
    std::uniform_int_distribution<int> ys(0, h - 1);
    unsigned long long red = 0, green = 0, blue = 0;
    for (int i = 0; i < samples; ++i) {
        int x = xs(random);
        RgbColor c = SplitArgb(bitmap.GetPixel(x, ys(random)));
        red += GetRValue(c);
        green += GetGValue(c);
        blue += GetBValue(c);
    }
    return RGB(red / samples, green / samples, blue / samples);
}

ByteBuffer FadePictureEdges(const ByteBuffer& picture, RgbColor base, PictureEdge edge) {
    PlusImage source;
    if (!source.LoadFromBytes(picture)) return picture;
    int w = static_cast<int>(source.GetWidth());
    int h = static_cast<int>(source.GetHeight());
    PlusBitmap faded;
    if (w < 1 || h < 1 || !faded.CreateEmpty(w, h, PixelFormat32bppARGB)) return picture;
    {
        PlusGraphics graphics;
        if (!graphics.FromImage(faded)) return picture;
        graphics.DrawImageRectRect(source, 0, 0, static_cast<float>(w), static_cast<float>(h));
        FadeEdges(graphics, static_cast<float>(w), static_cast<float>(h), base, edge);
    }
    ByteBuffer png = faded.SaveToBytes(kPngFormat);
    return png.empty() ? picture : png;
}

} // namespace qz
