#pragma once
#include <windows.h>

#include "engine/controls/buttons/button_skin.h"
#include "engine/controls/common/container_skin.h"
#include "engine/draw/hglobal_stream.h"

// Records of the skinned controls, one list of them per kind in each window's WindowSkin. Every
// record starts zero-filled and names its control in `window`; a record whose window is 0 is the
// blank record a list is created with, which the first control of that kind takes over. The
// records of the control list and the container list, ControlSkin and ContainerSkin, live with
// the container skin, and ButtonSkin with the button skins.
namespace qz {

// A set of state pictures an application may give for drawing a control from images. Nothing in
// this program fills one, so every set stays empty and answers that it holds no images.
struct ImageSet {
    struct Picture {
        ByteBuffer png;
        int width = 0;
        int height = 0;
    };
    int loaded = 0;
    Picture pictures[4];
    int draw_params[2] = {};
    int margins[4] = {};

    bool HoldsImages() const { return loaded != 0; }
};

struct EditSkin {
    HWND window = nullptr;
    HWND vertical_overlay = nullptr; // simulated scroll bars, 0 when none
    HWND horizontal_overlay = nullptr;
};

// List boxes, list views, tree views and the other list-type controls.
struct ListSkin {
    HWND window = nullptr;
    HWND vertical_overlay = nullptr; // simulated scroll bars, 0 when none
    HWND horizontal_overlay = nullptr;
};

struct TrackBarSkin {
    HWND window = nullptr;
};

struct ProgressSkin {
    HWND window = nullptr;
};

struct ComboSkin {
    HWND window = nullptr;
};

struct UpDownSkin {
    HWND window = nullptr;
};

struct HeaderSkin {
    HWND window = nullptr;
};

} // namespace qz
