#include "engine/core/title_buttons.h"

#include "engine/core/frame_paint.h"
#include "engine/draw/colors.h"
#include "engine/draw/images.h"

namespace qz {

namespace {

constexpr int kButtonHeight = 18;
constexpr int kButtonPitch = 27; // a button's width and the one-pixel gap after it
constexpr int kCloseHitWidth = 40;
constexpr int kOtherHitWidth = 26;
constexpr double kHitTolerance = 1e-7;

constexpr char kMaximiseCaption[] = "最大化";
constexpr char kRestoreCaption[] = "还原";

struct ButtonTemplate {
    int WindowSkin::*present;
    int kind;
    int width;
    const ImageBytes* image;
    const ImageBytes* second_image;
    const char* caption;
};

// Left to right as the buttons appear in the title bar.
const ButtonTemplate kButtonTemplates[] = {
    {&WindowSkin::help_button, kHelpButton, 26, &images::HelpButtonImage, nullptr, "帮助"},
    {&WindowSkin::menu_button, kMenuButton, 26, &images::MenuButtonImage, nullptr, "主菜单"},
    {&WindowSkin::minimize_button, kMinimizeButton, 26, &images::MinimizeButtonImage, nullptr,
     "最小化"},
    {&WindowSkin::maximize_button, kMaximizeButton, 26, &images::MaximizeButtonImage,
     &images::RestoreButtonImage, kMaximiseCaption},
    {&WindowSkin::close_button, kCloseButton, 38, &images::CloseButtonImage, nullptr, "关闭"},
};

ByteBuffer CopyBytes(const ImageBytes* image) {
    return image ? ByteBuffer(image->Data(), image->Data() + image->Size()) : ByteBuffer();
}

TitleButton MakeTitleButton(const ButtonTemplate& t) {
    TitleButton button;
    button.width = t.width;
    button.height = kButtonHeight;
    button.image = CopyBytes(t.image);
    button.second_image = CopyBytes(t.second_image);
    button.kind = t.kind;
    button.tooltip_text = t.caption;
    return button;
}

int ClientWidth(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.right - client.left;
}

RECT ToolRect(const RectF& r) {
    return {static_cast<LONG>(r.X), static_cast<LONG>(r.Y), static_cast<LONG>(r.X + r.Width),
            static_cast<LONG>(r.Y + r.Height)};
}

bool StrictlyBetween(double value, double low, double high) {
    return value - low > kHitTolerance && high - value > kHitTolerance;
}

void PostCommand(HWND window, WPARAM command) {
    PostMessageA(window, WM_SYSCOMMAND, command, 0);
}

void ToggleMaximise(WindowSkin& skin, TitleButton& button) {
    skin.repaint_all = 1;
    skin.minimized = 0;
    if (skin.maximized) {
        skin.maximized = 0;
        button.tooltip_text = kMaximiseCaption;
        PostCommand(skin.window, SC_RESTORE);
    } else {
        skin.maximized = 1;
        button.tooltip_text = kRestoreCaption;
        PostCommand(skin.window, SC_MAXIMIZE);
    }
}

void PaintButtonLevel(int windowIndex, int button, int level) {
    if (button >= 1) PaintTitleButton(windowIndex, button, TitleButtonLook::Normal, level);
}

} // namespace

void AddTitleButtons(WindowSkin& skin) {
    skin.title_buttons.Clear();
    int widths = 0;
    for (const ButtonTemplate& t : kButtonTemplates) {
        if (!(skin.*t.present)) continue;
        skin.title_buttons.Append(MakeTitleButton(t));
        widths += t.width;
    }
    Box& strip = skin.button_strip;
    strip.width = widths + (skin.title_buttons.Count() - 1) + 3;
    strip.height = kButtonStripHeight;
    strip.x = ClientWidth(skin.window) - 3 - strip.width - 2;
    strip.y = 0;
}

void AddTitleButtonTools(WindowSkin& skin) {
    if (!skin.tooltip.GetHandle()) return;
    for (int i = 1; i <= skin.title_buttons.Count(); ++i) {
        const TitleButton& button = *skin.title_buttons.At(i);
        RECT rect = ToolRect(button.rect);
        skin.tooltip.AddTool(&rect, button.tooltip_text, i);
    }
}

void RemoveTitleButtonTools(WindowSkin& skin) {
    if (!skin.tooltip.GetHandle()) return;
    for (int id = skin.tooltip.GetToolCount(); id >= 1; --id)
        skin.tooltip.DeleteTool(id);
    skin.tooltip.Destroy();
}

void LayoutTitleButtons(int windowIndex) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin) return;
    Box& strip = skin->button_strip;
    if (skin->window) {
        strip.x = ClientWidth(skin->window) - strip.width + 1;
        strip.height = kButtonStripHeight;
    }
    bool has_tips = skin->tooltip.GetHandle() != nullptr;
    for (int i = 1; i <= skin->title_buttons.Count(); ++i) {
        TitleButton& button = *skin->title_buttons.At(i);
        float width = button.kind == kCloseButton ? kCloseHitWidth : kOtherHitWidth;
        button.rect = MakeRectF(static_cast<float>(strip.x + 2 + kButtonPitch * (i - 1)),
                                static_cast<float>(strip.y + 1), width, kButtonHeight);
        if (!has_tips) continue;
        skin->tooltip.SetToolRect(i, ToolRect(button.rect));
        skin->tooltip.SetToolText(i, button.tooltip_text);
    }
}

bool InButtonStrip(const WindowSkin& skin, int x, int y) {
    const Box& strip = skin.button_strip;
    return x >= strip.x - 2 && x <= strip.x + strip.width && y <= strip.height && y >= 0;
}

int HitTitleButton(const WindowSkin& skin, int x, int y) {
    const Box& strip = skin.button_strip;
    if (x < strip.x || y < strip.y || y > strip.y + strip.height) return 0;
    for (int i = 1; i <= skin.title_buttons.Count(); ++i) {
        const RectF& r = skin.title_buttons.At(i)->rect;
        if (StrictlyBetween(x, r.X, double(r.X) + r.Width) &&
            StrictlyBetween(y, r.Y, double(r.Y) + r.Height))
            return i;
    }
    return 0;
}

int FindMaximiseButton(const WindowSkin& skin) {
    for (int i = 1; i <= skin.title_buttons.Count(); ++i)
        if (skin.title_buttons.At(i)->kind == kMaximizeButton) return i;
    return 0;
}

void RunTitleButton(WindowSkin& skin, int button) {
    TitleButton* b = skin.title_buttons.At(button);
    if (!b) return;
    switch (b->kind) {
    case kCloseButton: PostCommand(skin.window, SC_CLOSE); break;
    case kMaximizeButton: ToggleMaximise(skin, *b); break;
    case kMinimizeButton:
        skin.minimized = 1;
        PostCommand(skin.window, SC_MINIMIZE);
        break;
    default: break;
    }
}

void TrackTitleButtons(int windowIndex, int x, int y) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin) return;
    if (!InButtonStrip(*skin, x, y)) {
        skin->fade_timer = 0;
    } else if (!skin->fade_timer) {
        SetTimer(skin->window, TitleFadeTimerId(skin->window), kTitleFadeMs, nullptr);
        skin->fade_timer = 1;
    }
    int hot = Engine.hot_title_button = HitTitleButton(*skin, x, y);
    int left = skin->hot_title_button;
    if (left >= 1 && left != hot) {
        // A fade-out still running is cut short rather than left half-lit.
        if (skin->fade_out.step < kTitleFadeSteps)
            PaintButtonLevel(windowIndex, skin->fade_out.button, 0);
        skin->fade_out = {left, 0};
    }
    if (hot >= 1 && hot != left) skin->fade_in = {hot, 0};
    skin->hot_title_button = hot;
}

void PressTitleButton(int windowIndex, int x, int y) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin) return;
    // A window without a title bar shows no buttons to press.
    int hot = Engine.hot_title_button = skin->title_bar ? HitTitleButton(*skin, x, y) : 0;
    if (hot >= 1) PaintTitleButton(windowIndex, hot, TitleButtonLook::Pressed);
}

void LeaveTitleButtons(int windowIndex) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin || skin->hot_title_button < 1 || !skin->title_bar) return;
    if (skin->fade_out.step < kTitleFadeSteps && skin->fade_in.step < kTitleFadeSteps) {
        PaintButtonLevel(windowIndex, skin->fade_out.button, 0);
        skin->fade_in = {};
    }
    skin->fade_out = {skin->hot_title_button, 0};
    skin->hot_title_button = 0;
}

void TickTitleFades(int windowIndex) {
    WindowSkin* skin = WindowTable.At(windowIndex);
    if (!skin) return;
    TitleFade& in = skin->fade_in;
    TitleFade& out = skin->fade_out;
    if (in.button >= 1 && in.step < kTitleFadeSteps)
        PaintButtonLevel(windowIndex, in.button, ++in.step * kTitleFadeLevelStep);
    if (out.button >= 1 && out.step < kTitleFadeSteps)
        PaintButtonLevel(windowIndex, out.button,
                         kFullHoverLevel - ++out.step * kTitleFadeLevelStep);
    if (skin->hover_tracking && skin->fade_timer) return;
    if (out.button >= 1 && out.step < kTitleFadeSteps) return;
    skin->fade_timer = 0;
    KillTimer(skin->window, TitleFadeTimerId(skin->window));
    skin->hot_title_button = 0;
    in = {};
    out = {};
}

} // namespace qz
