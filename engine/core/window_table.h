#pragma once
#include <windows.h>

#include <string>

#include "engine/core/control_records.h"
#include "engine/core/list.h"
#include "engine/draw/plus.h"
#include "engine/draw/tooltip_window.h"

namespace qz {

// A Windows RGB colour, 0x00BBGGRR.
using RgbColor = COLORREF;
// "No colour" where a record allows one: the 32-bit value -1.
inline constexpr RgbColor kNoColor = 0xFFFFFFFF;

// Kinds of title-bar button.
enum TitleButtonKind : int {
    kCloseButton = 0,
    kMaximizeButton = 1,
    kMinimizeButton = 2,
    kMenuButton = 3,
    kHelpButton = 4,
};

// Which list a window's hover and hot indices refer to.
enum HoverKind : int {
    kHoverPushButton = 0,
    kHoverEdit = 1,
    kHoverTrackBar = 2,
    kHoverCombo = 3,
    kHoverList = 4,
    kHoverUpDown = 8,
    kHoverHeader = 9,
};

// A rectangle in client coordinates.
struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One title-bar button.
struct TitleButton {
    int width = 0;
    int height = 0;
    ByteBuffer image;
    ByteBuffer second_image; // the maximise button's restore picture; empty for the others
    int kind = kCloseButton;
    std::string tooltip_text; // GBK
    RectF rect;               // client coordinates
};

// A title button fading in or out.
struct TitleFade {
    int button = 0; // 1-based title button index, 0 none
    int step = 0;   // 0..8
};

// One panel of the status strip along the window's bottom edge.
struct StatusPanel {
    int width = 0; // -1: all the width left
    std::string text;
    ByteBuffer image;
};

struct CaptionFont {
    RgbColor text_color = 0;
    RgbColor glow_color = 0; // kNoColor: none
    std::string face;
    int size = 0;
    int bold = 0;
    int glow = 0;
};

struct StripFont {
    RgbColor text_color = 0;
    RgbColor glow_color = 0;
    std::string face;
    int size = 0;
};

// Everything the engine keeps for one skinned top-level window. All fields start at 0; the
// skinning call fills the options, the window procedure keeps the state fields current.
struct WindowSkin {
    HWND window = nullptr;
    int painted = 0;  // the window was painted at once when first shown
    int hidden = 0;   // the window was hidden at least once since skinning
    int moving = 0;   // between WM_MOVING and WM_EXITSIZEMOVE
    int sizing = 0;   // between WM_SIZING and WM_EXITSIZEMOVE
    int restored = 0; // restored from minimised; list views want a repaint
    int erased = 0;   // WM_ERASEBKGND already put the presentation image on screen
    int active = 0;
    int title_height = 0;
    int help_button = 0;
    int menu_button = 0;
    int minimize_button = 0;
    int maximize_button = 0;
    int close_button = 0;
    int caption_text = 0; // draw the window text in the title bar
    int fill_body = 0;    // fill below the title bar with the background colour
    WNDPROC previous_proc = nullptr;
    ByteBuffer background_image;
    int image_placement = 0; // 0..10
    RgbColor image_base_color = 0;
    RgbColor background_color = 0; // kNoColor: none
    int background_alpha = 0;
    List<TitleButton> title_buttons;
    Box button_strip;
    int maximized = 0;
    int minimized = 0;
    int min_track_width = 0;
    int min_track_height = 0;
    int max_track_width = 0;
    int max_track_height = 0;
    int resizable = 0;
    int title_bar = 0;
    int drag = 0; // a press on the bare client area moves the window
    CaptionFont caption_font;
    int hot_title_button = 0;
    int hover_kind = kHoverPushButton;
    HWND hot_parent = nullptr; // edits only
    ToolTipWindow tooltip;
    int status_strip_height = 0;
    Box status_strip;
    List<StatusPanel> status_panels;
    List<Box> panel_rects;
    StripFont strip_font;
    List<ButtonSkin> buttons;
    List<EditSkin> edits;
    List<ListSkin> lists;
    List<TrackBarSkin> track_bars;
    List<ProgressSkin> progress_bars;
    List<ComboSkin> combos;
    List<UpDownSkin> up_downs;
    List<HeaderSkin> headers;
    List<ControlSkin> controls;
    int repaint_all = 0;
    HDC background_dc = nullptr;   // the painted skin of the whole client area
    HDC title_dc = nullptr;        // copy of the painted title bar
    HDC strip_dc = nullptr;        // copy of the painted status strip
    HDC presentation_dc = nullptr; // finished control images are copied here
    int hover_index = 0;           // control under the mouse, in the list of hover_kind
    int hot_index = 0;             // control last painted hot, in the list of hover_kind
    List<ContainerSkin> containers;
    int hover_tracking = 0; // between WM_MOUSEHOVER and WM_MOUSELEAVE
    TitleFade fade_in;
    TitleFade fade_out;
    int fade_timer = 0;
    int clamp_width = 0;
    int clamp_height = 0;
    int no_icon = 0;
    int has_button_images = 0;
    ImageSet button_images;
};

// A new record for window: every field 0, every control and container list holding the one
// blank record that the first control of its kind takes over.
WindowSkin MakeWindowSkin(HWND window);

// Values shared by every skinned window.
struct EngineValues {
    int started = 0; // installers and control branches do nothing while it is 0
    int veil_alpha = 0;
    int track_bar_option = 0;
    int list_hover_option = 0;
    int first_size = 0; // cleared by the first WM_SIZE any skinned window sees
    int frame_inset = 0;
    int hot_title_button = 0; // last hit by a mouse message in any skinned window
    HICON small_icon = nullptr;
    ULONG_PTR gdiplus_token = 0;          // as GDI+ start-up returned it
    ULONG_PTR gdiplus_shutdown_token = 0; // taken, and cleared, by the first shutdown
};

// One record per skinned top-level window, in the order the windows were skinned; a window's
// position is its window index.
extern List<WindowSkin> WindowTable;
extern EngineValues Engine;

// Empties the table and sets every engine-wide value to 0.
void CreateEngineGlobals();

// 1-based index of the record of hwnd; 0 when the window is not skinned.
int IndexOfWindow(HWND hwnd);

// Removes a window's record (releasing all it owns) and renumbers the windows behind it.
// Returns false for an index outside the table.
bool RemoveWindowSkin(int index);

// Writes every window's current index into the properties of the window and its controls.
void RenumberWindows();

} // namespace qz
