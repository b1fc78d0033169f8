#include "engine/core/frame_paint.h"

#include <algorithm>
#include <string>

#include "engine/core/properties.h"
#include "engine/core/window_table.h"
#include "engine/draw/colors.h"
#include "engine/draw/compositing.h"
#include "engine/draw/text.h"

namespace qz {

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr int kCaptionHeight = 42;

float F(int value) {
    return static_cast<float>(value);
}

int Inset() {
    return Engine.frame_inset;
}

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// Replaces a window's memory DC by a new one.
void Renew(HDC& dc, HDC replacement) {
    ReleaseMemoryDC(dc);
    dc = replacement;
}

void Copy(HDC to, HDC from, int x, int y, int width, int height, int fromX, int fromY) {
    BitBlt(to, x, y, width, height, from, fromX, fromY, SRCCOPY);
}

void FillSolid(HDC dc, const RECT& area, COLORREF color) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &area, brush.Get());
}

void FillArgb(PlusGraphics& graphics, float x, float y, float width, float height,
              ArgbColor color) {
    PlusSolidBrush brush;
    brush.Create(color);
    graphics.FillRectangle(brush, x, y, width, height);
}

// Fills area with a colour: opaque by GDI, translucent by GDI+.
void FillColor(HDC dc, PlusGraphics& graphics, const RECT& area, COLORREF color, int alpha) {
    if (alpha >= 255) {
        FillSolid(dc, area, color);
        return;
    }
    FillArgb(graphics, F(area.left), F(area.top), F(area.right - area.left),
             F(area.bottom - area.top), MakeArgb(color, static_cast<std::uint8_t>(alpha)));
}

// A vertical gradient from (x, top) to (x, bottom).
struct VerticalGradient : PlusLinearGradientBrush {
    VerticalGradient(float x, float top, float bottom, ArgbColor from, ArgbColor to) {
        Create(MakePointF(x, top), MakePointF(x, bottom), from, to);
    }
};

// Top-left corner of a picture drawn at its own size by one of the fixed placements.
POINT PicturePosition(int placement, int width, int height, int iw, int ih) {
    const int right = width - iw, bottom = height - ih;
    switch (placement) {
    case 1: return {right, 0};
    case 2: return {right / 2, bottom / 2};
    case 5: return {0, bottom};
    case 6: return {right, bottom};
    case 7: return {right / 2, bottom};
    case 8: return {right, bottom / 2};
    case 9: return {right / 2, 0};
    case 10: return {0, bottom / 2};
    default: return {0, 0};
    }
}

void PlacePicture(PlusGraphics& graphics, const ByteBuffer& png, int placement, int width,
                  int height) {
    PlusBitmap picture;
    if (!picture.LoadFromBytes(png)) return;
    const int iw = static_cast<int>(picture.GetWidth());
    const int ih = static_cast<int>(picture.GetHeight());
    if (placement == 3) {
        graphics.DrawImageRectRect(picture, 0, 0, F(width), F(height));
    } else if (placement == 4) {
        PlusTextureBrush tiles;
        tiles.Create(picture);
        graphics.FillRectangle(tiles, 0, 0, F(width), F(height));
    } else {
        POINT at = PicturePosition(placement, width, height, iw, ih);
        graphics.DrawImageRectRect(picture, F(at.x), F(at.y), F(iw), F(ih));
    }
}

void PaintBackground(const WindowSkin& skin, HDC dc, PlusGraphics& graphics, int width,
                     int height) {
    const bool hasPicture = !skin.background_image.empty();
    FillSolid(dc, {0, 0, width, height}, hasPicture ? skin.image_base_color : kBlack);
    if (hasPicture)
        PlacePicture(graphics, skin.background_image, skin.image_placement, width, height);
    const bool hasColor = skin.background_color != kNoColor;
    if (hasColor) {
        RECT area{0, skin.fill_body ? skin.title_height : 0, width, height};
        FillColor(dc, graphics, area, skin.background_color, skin.background_alpha);
    }
    if (!skin.fill_body) return;
    const float title = F(skin.title_height);
    ArgbColor from = MakeArgb(kWhite, 150), to = MakeArgb(kWhite, 0);
    if (hasColor && skin.background_color != 0) {
        from =
            MakeArgb(skin.background_color, static_cast<std::uint8_t>(skin.background_alpha * 0.2));
        to = MakeArgb(skin.background_color, static_cast<std::uint8_t>(skin.background_alpha));
    }
    VerticalGradient gloss(0, 0, title, from, to);
    graphics.FillRectangle(gloss, 0, 0, F(width), title);
}

void DrawOutline(PlusGraphics& graphics, float x, float y, float width, float height, int corner,
                 ArgbColor color) {
    PlusPath path;
    path.Create();
    AddRoundRect(path, x, y, width, height, corner);
    PlusPen pen;
    pen.Create(color, 1);
    graphics.DrawPath(pen, path);
}

void PaintFrameOutline(PlusGraphics& graphics, int width, int height) {
    DrawOutline(graphics, 0, 0, F(width - 1), F(height - 1), 7, MakeArgb(kBlack, 155));
    DrawOutline(graphics, 1, 1, F(width - 3), F(height - 3), 6, MakeArgb(kWhite, 140));
}

// A DC of the window with its visible children left out: the given one, or its own.
void CopyToScreen(HWND window, HDC given, HDC from, int x, int y, int width, int height) {
    if (given) {
        Copy(ExcludeChildClips(window, given), from, x, y, width, height, x, y);
        return;
    }
    ClippedWindowDC screen(window);
    Copy(screen.Get(), from, x, y, width, height, x, y);
}

template <class T> void InvalidateOwnControls(List<T>& list, HWND window, BOOL erase) {
    list.ForEach([&](T& record) {
        if (record.window && GetParent(record.window) == window)
            InvalidateRect(record.window, nullptr, erase);
    });
}

void InvalidateListsWithChildren(WindowSkin& skin) {
    skin.lists.ForEach([&](ListSkin& record) {
        if (!record.window || GetParent(record.window) != skin.window) return;
        InvalidateRect(record.window, nullptr, TRUE);
        for (HWND child = FindWindowExA(record.window, nullptr, nullptr, nullptr); child;
             child = FindWindowExA(record.window, child, nullptr, nullptr))
            if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
    });
}

// Skinned controls on the window repaint themselves over the new background.
void RepaintOwnControls(WindowSkin& skin) {
    InvalidateListsWithChildren(skin);
    InvalidateOwnControls(skin.combos, skin.window, TRUE);
    InvalidateOwnControls(skin.edits, skin.window, TRUE);
    InvalidateOwnControls(skin.buttons, skin.window, FALSE);
    InvalidateOwnControls(skin.track_bars, skin.window, FALSE);
    InvalidateOwnControls(skin.progress_bars, skin.window, FALSE);
    InvalidateOwnControls(skin.up_downs, skin.window, FALSE);
}

// A graphics on the window's background DC for a single-element repaint.
struct BackgroundGraphics : PlusGraphics {
    explicit BackgroundGraphics(const WindowSkin& skin) { FromHdc(skin.background_dc); }
};

// The outline of the close button: square but for its rounded top-right corner.
void AddCloseShape(PlusPath& path, float x, float y, float w, float h, float r) {
    path.AddLine(x, y + h, x, y);
    path.AddLine(x, y, x + w - r, y);
    path.AddArc(x + w - r, y, r, r, 270, 90);
    path.AddLine(x + w, y + r, x + w, y + h);
}

// Where a title button is drawn, and with which picture.
struct ButtonPlace {
    const TitleButton* button = nullptr;
    int x = 0, y = 0, w = 0, h = 0;
    bool close = false;
    const ByteBuffer* image = nullptr;
};

ButtonPlace PlaceOfButton(const WindowSkin& skin, int index) {
    ButtonPlace place;
    const TitleButton* button = skin.title_buttons.At(index);
    if (!button) return place;
    place.button = button;
    place.x = static_cast<int>(button->rect.X - 1);
    place.y = skin.button_strip.y + 1;
    place.w = button->width;
    place.h = button->height;
    place.close = button->kind == kCloseButton;
    const bool restore = button->kind == kMaximizeButton && skin.maximized;
    place.image = restore ? &button->second_image : &button->image;
    return place;
}

void DrawButtonImage(PlusGraphics& graphics, const ButtonPlace& place, int width) {
    PlusImage image;
    if (image.LoadFromBytes(*place.image))
        graphics.DrawImageRectRect(image, F(place.x), F(place.y), F(width), F(place.h));
}

void PaintPressedButton(const WindowSkin& skin, const ButtonPlace& place) {
    Copy(skin.background_dc, skin.title_dc, place.x, place.y, place.w, place.h, place.x, place.y);
    {
        BackgroundGraphics graphics(skin);
        PlusPath shape;
        shape.Create();
        const float x = F(place.x), y = F(place.y), w = F(place.w), h = F(place.h);
        if (place.close)
            AddCloseShape(shape, x, y, w, h, 5);
        else
            shape.AddRectangle(x, y, w, h);
        VerticalGradient fill(x, y, y + h, place.close ? MakeArgb(kRed, 255) : MakeArgb(kBlack, 80),
                              place.close ? MakeArgb(kWhite, 30) : MakeArgb(kWhite, 5));
        graphics.FillPath(fill, shape);
        DrawButtonImage(graphics, place, place.w - 1);
    }
    WindowDC screen(skin.window);
    Copy(screen.Get(), skin.background_dc, place.x, place.y, place.w, place.h, place.x, place.y);
}

// The close button's own outline, or the tab outline every other button shares, over the
// button's place with the given height.
void AddGlowShape(PlusPath& path, const ButtonPlace& place, float height) {
    if (place.close)
        AddCloseShape(path, F(place.x), F(place.y), F(place.w), height, 5);
    else
        TabShapeTop(path, F(place.x), F(place.y), F(place.w), height, 1);
}

// The glow that grows with the hover level over the button's restored background.
void PaintHoverGlow(PlusGraphics& graphics, const ButtonPlace& place, int level) {
    const float x = F(place.x), y = F(place.y), w = F(place.w), h = F(place.h);
    PlusPath tab;
    tab.Create();
    TabShapeTop(tab, x, y, w, h, 1);
    VerticalGradient shade(x, y, y + h + 1, MakeArgb(kBlack, static_cast<std::uint8_t>(level / 5)),
                           MakeArgb(kWhite, 0));
    graphics.FillPath(shade, tab);

    PlusPath colored;
    colored.Create();
    AddGlowShape(colored, place, h);
    VerticalGradient color(
        x, y, y + h + 1,
        MakeArgb(place.close ? kRed : ThemeColor, static_cast<std::uint8_t>(level)),
        MakeArgb(kWhite, 0));
    graphics.FillPath(color, colored);

    const float rimHeight = F(static_cast<int>(place.h * 0.8));
    PlusPath rim;
    rim.Create();
    AddGlowShape(rim, place, rimHeight);
    VerticalGradient rimBrush(x, y, y + rimHeight,
                              MakeArgb(kWhite, static_cast<std::uint8_t>(level * 0.8)),
                              MakeArgb(kWhite, 0));
    PlusPen pen;
    pen.CreateFromBrush(rimBrush, 1);
    graphics.DrawPath(pen, rim);
}

void DrawSeparator(PlusGraphics& graphics, const Box& strip, float x, int alpha) {
    VerticalGradient fade(x, F(strip.y), F(strip.y + strip.height - 3),
                          MakeArgb(kBlack, static_cast<std::uint8_t>(alpha)), MakeArgb(kBlack, 0));
    PlusPen pen;
    pen.CreateFromBrush(fade, 1);
    graphics.DrawLine(pen, x, F(strip.y + 1), x, F(strip.y + strip.height - 4));
}

void PaintSeparators(PlusGraphics& graphics, const WindowSkin& skin, int index) {
    const Box& strip = skin.button_strip;
    const TitleButton* button = skin.title_buttons.At(index);
    DrawSeparator(graphics, strip, F(static_cast<int>(button->rect.X - 2)), index == 1 ? 100 : 60);
    if (const TitleButton* next = skin.title_buttons.At(index + 1))
        DrawSeparator(graphics, strip, F(static_cast<int>(next->rect.X - 2)), 60);
}

// Normal and hover looks. Each level is drawn over a freshly restored title background, so a
// fade never piles one level on another.
void PaintButtonLook(const WindowSkin& skin, int index, const ButtonPlace& place,
                     PlusGraphics& graphics, int level) {
    Copy(skin.background_dc, skin.title_dc, place.x - 1, place.y, place.w + 2, place.h + 1,
         place.x - 1, place.y);
    if (level > 0) PaintHoverGlow(graphics, place, level);
    VerticalGradient gloss(F(place.x), F(place.y), F(place.y + place.h), MakeArgb(kWhite, 50),
                           MakeArgb(kBlack, 0));
    graphics.FillRectangle(gloss, F(place.x - 1), F(place.y), F(place.w + 1), F(place.h - 1));
    DrawButtonImage(graphics, place, place.w);
    PaintSeparators(graphics, skin, index);
}

struct CaptionPlace {
    int x0 = 0, y0 = 0, width = 0;
};

CaptionPlace PlaceOfCaption(const WindowSkin& skin) {
    const int inset = Inset();
    SIZE size = ClientSize(skin.window);
    return {inset + 6, inset + 1, size.cx - skin.button_strip.width - 10 - 2 * inset};
}

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// Captions and panel texts keep to one line, cut with an ellipsis, so that a long title never
// runs into the body below the title bar.
constexpr bool kWrapText = false;
constexpr bool kEllipsis = true;

void DrawCaptionText(PlusGraphics& graphics, const CaptionFont& font, const std::string& text,
                     const RectF& rect) {
    const int style = font.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
    const auto size = static_cast<float>(font.size);
    if (font.glow_color == kNoColor) {
        PlusFont plain;
        plain.Create(font.face, size, style);
        PlusSolidBrush brush;
        brush.Create(MakeArgb(font.text_color));
        PlusStringFormat format;
        PrepareTextFormat(format, 0, 0, kWrapText, kEllipsis);
        graphics.DrawString(text, plain, brush, rect, format);
    } else if (font.glow) {
        DrawGlowText(graphics, text, rect, font.text_color, font.glow_color, 4, font.face, style,
                     size, 0, 0, kWrapText, kEllipsis);
    } else {
        DrawOutlinedText(graphics, text, rect, font.text_color, font.glow_color, 1, font.face,
                         style, size, 0, 0, kWrapText, kEllipsis);
    }
}

void DrawCaption(const WindowSkin& skin, PlusGraphics& graphics, const CaptionPlace& place,
                 const char* text) {
    const bool icon = !skin.no_icon;
    if (icon)
        DrawIconEx(skin.background_dc, place.x0, place.y0 + 2, Engine.small_icon, 16, 16, 0,
                   nullptr, DI_NORMAL);
    RectF rect = MakeRectF(F(icon ? place.x0 + 18 : place.x0 - 3), F(place.y0 + 3), F(place.width),
                           F(kCaptionHeight));
    DrawCaptionText(graphics, skin.caption_font, text ? std::string(text) : WindowText(skin.window),
                    rect);
}

// Puts a repainted rectangle of the background into the presentation copy and on the screen.
void ShowArea(const WindowSkin& skin, int x, int y, int width, int height) {
    Copy(skin.presentation_dc, skin.background_dc, x, y, width, height, x, y);
    CopyToScreen(skin.window, nullptr, skin.background_dc, x, y, width, height);
}

void DrawPanel(const WindowSkin& skin, PlusGraphics& graphics, const StatusPanel& panel,
               const Box& box) {
    const Box& strip = skin.status_strip;
    Copy(skin.background_dc, skin.strip_dc, box.x, box.y, box.width, box.height, box.x - strip.x,
         box.y - strip.y);
    int iw = 0;
    PlusImage image;
    if (!panel.image.empty() && image.LoadFromBytes(panel.image)) {
        iw = static_cast<int>(image.GetWidth());
        int ih = static_cast<int>(image.GetHeight());
        if (ih >= skin.status_strip_height)
            iw = ih = static_cast<int>(skin.status_strip_height * 0.7);
        graphics.DrawImageRectRect(image, F(box.x + 2), F(box.y + (box.height - ih) / 2), F(iw),
                                   F(ih));
    }
    const StripFont& font = skin.strip_font;
    RectF rect = MakeRectF(F(box.x + iw + 5), F(box.y + 2), F(box.width - iw - 5), F(box.height));
    DrawGlowText(graphics, panel.text, rect, font.text_color, font.glow_color, 4, font.face, 0,
                 static_cast<float>(font.size), 0, 0, kWrapText, kEllipsis);
}

// Paints the whole skin into a new background DC, keeping copies of the bare title bar and
// status strip for the single-element repaints.
void ComposeSkin(int windowIndex, WindowSkin& skin, int width, int height) {
    Renew(skin.background_dc, CreateImageDC(width, height));
    PlusGraphics graphics;
    graphics.FromHdc(skin.background_dc);
    PaintBackground(skin, skin.background_dc, graphics, width, height);
    if (skin.title_bar) {
        PaintFrameOutline(graphics, width, height);
        Renew(skin.title_dc, CreateImageDC(width, skin.title_height));
        Copy(skin.title_dc, skin.background_dc, 0, 0, width, skin.title_height, 0, 0);
    }
    if (skin.status_strip_height >= 1) {
        const Box& strip = skin.status_strip;
        Renew(skin.strip_dc, CreateImageDC(strip.width, strip.height));
        Copy(skin.strip_dc, skin.background_dc, 0, 0, strip.width, strip.height, strip.x, strip.y);
    }
    if (skin.title_bar) {
        if (skin.caption_text) PaintCaption(windowIndex, graphics);
        for (int b = 1; b <= skin.title_buttons.Count(); ++b)
            PaintTitleButton(windowIndex, b, graphics);
    }
    if (skin.status_strip_height > 0)
        for (int p = 1; p <= skin.status_panels.Count(); ++p)
            PaintStatusPanel(windowIndex, p, graphics);
}

} // namespace

void SetRoundRegion(HWND window) {
    SetWindowRgn(window, nullptr, TRUE);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    SIZE size = ClientSize(window);
    GdiObject<HRGN> region(CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, 5, 5));
    // Once set, the region belongs to the system and must not be deleted here.
    if (region.Get() && SetWindowRgn(window, region.Get(), TRUE)) region.Release();
}

void PaintWindowSkin(int windowIndex, HDC dc, bool whole) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin) return;
    HWND window = skin->window;
    SIZE size = ClientSize(window);
    const int width = size.cx, height = size.cy;
    if (skin->title_bar && whole) SetRoundRegion(window);
    ComposeSkin(windowIndex, *skin, width, height);
    Renew(skin->presentation_dc, CreateMemoryDC(width, height));
    Copy(skin->presentation_dc, skin->background_dc, 0, 0, width, height, 0, 0);
    SetPropA(window, props::CK_Ggcj, skin->presentation_dc);
    if (whole) CopyToScreen(window, dc, skin->background_dc, 0, 0, width, height);
    skin->repaint_all = 0;
    skin->clamp_width = width;
    skin->clamp_height = height;
    if (whole) RepaintOwnControls(*skin);
}

void PaintTitleButton(int windowIndex, int button, PlusGraphics& graphics) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin) return;
    ButtonPlace place = PlaceOfButton(*skin, button);
    if (place.button) PaintButtonLook(*skin, button, place, graphics, 0);
}

void PaintTitleButton(int windowIndex, int button, TitleButtonLook look, int level) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin || !skin->background_dc || !skin->title_dc) return;
    ButtonPlace place = PlaceOfButton(*skin, button);
    if (!place.button) return;
    if (look == TitleButtonLook::Pressed) {
        PaintPressedButton(*skin, place);
        return;
    }
    {
        BackgroundGraphics graphics(*skin);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        PaintButtonLook(*skin, button, place, graphics, std::clamp(level, 0, kFullHoverLevel));
    }
    WindowDC screen(skin->window);
    Copy(screen.Get(), skin->background_dc, place.x, place.y, place.w, place.h, place.x, place.y);
}

void PaintCaption(int windowIndex, PlusGraphics& graphics, const char* text) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (skin) DrawCaption(*skin, graphics, PlaceOfCaption(*skin), text);
}

void PaintCaption(int windowIndex, const char* text) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin || !skin->background_dc || !skin->title_dc) return;
    CaptionPlace place = PlaceOfCaption(*skin);
    // The caption's box reaches below the title bar; only the rows the title copy holds can be
    // restored from it, and the body beneath keeps its own pixels.
    const int rows = std::min(kCaptionHeight, skin->title_height - place.y0);
    Copy(skin->background_dc, skin->title_dc, place.x0, place.y0, place.width, rows, place.x0,
         place.y0);
    {
        BackgroundGraphics graphics(*skin);
        DrawCaption(*skin, graphics, place, text);
    }
    ShowArea(*skin, place.x0, Inset(), place.width, kCaptionHeight);
}

void PaintStatusPanel(int windowIndex, int panel, PlusGraphics& graphics) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin) return;
    const StatusPanel* record = skin->status_panels.At(panel);
    const Box* box = skin->panel_rects.At(panel);
    if (record && box) DrawPanel(*skin, graphics, *record, *box);
}

void PaintStatusPanel(int windowIndex, int panel) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin || !skin->background_dc || !skin->strip_dc) return;
    const Box* box = skin->panel_rects.At(panel);
    if (!box) return;
    {
        BackgroundGraphics graphics(*skin);
        PaintStatusPanel(windowIndex, panel, graphics);
    }
    ShowArea(*skin, box->x, box->y, box->width, box->height);
}

} // namespace qz
