#pragma once
#include <windows.h>

#include <string>

// The record every skinned push button, check box and radio button keeps in its window's
// button list; the control finds it through Qz_FuID and Qz_lbID.
namespace qz {

enum ButtonKind : int {
    kPushButton = 0,
    kRadioButton = 4,
    kCheckBox = 5,
};

struct ButtonSkin {
    HWND window = nullptr;
    WNDPROC previous_proc = nullptr; // also in Qz_hProc
    int kind = kPushButton;
    std::string text{}; // GBK; follows WM_SETTEXT
    int focused = 0;    // between WM_SETFOCUS and WM_KILLFOCUS
    std::string font_face{};
    int font_size = 0;
    int font_style = 0; // GDI+ FontStyle bits
    int pressed = 0;    // between WM_LBUTTONDOWN and WM_LBUTTONUP
    // Check boxes and radio buttons: the check state found when the control was taken over
    // (the painters ask the control for the live one) and the control's parent.
    int checked = 0;
    HWND parent = nullptr;
};

} // namespace qz
