#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/core/list.h"

// The records of the two registries every skinned window keeps for its containers and for the
// controls the system paints as a whole. Both lists follow the slot rule of every control list
// (List::Add): the blank record a list is created with is taken by the first control.
namespace qz {

// A control of the window's control list: a control handed to SkinContainer, or a toolbar. It
// finds its record through Kj_FuID and Kj_lbID.
struct ControlSkin {
    HWND window = nullptr;
    WNDPROC previous_proc = nullptr; // also in Kj_hProc
    // What the control paints as its own background; keyed out when the system painting is laid
    // over the skin.
    COLORREF back_color = 0;
    std::string font_face{}; // GBK
    int font_size = 0;
    int font_style = 0; // GDI+ FontStyle bits
    int repaint = 0;    // toolbars: the cached image is stale
    int tracking = 0;   // a TME_LEAVE request is pending
};

enum ContainerKind : int {
    kOtherContainer = 0,
    kGroupBoxContainer = 1,
    kTabContainer = 2,
};

// A window laid out by its container on WM_SIZE. Nothing in this program attaches one; each list
// holds the one blank entry it is created with.
struct AttachedWindow {
    HWND window = nullptr;
    int top = 0;
    int values[2] = {};
};

// A registered container (group box, tab control, panel) in the window's container list; it
// finds its record through Qz_FuID and Qz_lbID.
struct ContainerSkin {
    HWND window = nullptr;
    COLORREF tint_color = 0; // laid over the container's area; 0 = no tint
    std::uint8_t tint_alpha = 0;
    int rounded = 0;                 // outlined and tinted with rounded corners
    WNDPROC previous_proc = nullptr; // also in Qz_hProc
    int repaint = 0;                 // paint anew at the next WM_PAINT
    int moved = 0;                   // a child or the window moved: paint anew
    int width = 0;                   // client size at registration and at every full paint
    int height = 0;
    int kind = kOtherContainer;
    // The engine paints the container, and its tint covers the controls inside it too; 0 keeps
    // the system's painting and only relays the children's messages.
    int painted = 0;
    std::string font_face{}; // group boxes and tab controls
    int font_size = 0;
    int font_style = 0;
    List<AttachedWindow> attached{};
};

} // namespace qz
