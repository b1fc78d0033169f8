#pragma once
#include <windows.h>

#include "engine/core/window_table.h"

namespace qz {

// Window properties hold plain integers; these read and write them at pointer width.
INT_PTR GetPropValue(HWND hwnd, const char* name);
void SetPropValue(HWND hwnd, const char* name, INT_PTR value);

// The two ways a control names its record: Qz_FuID / Qz_lbID for the per-kind lists and the
// container list, Kj_FuID / Kj_lbID for the window's control list.
enum class Addressing { Qz, Kj };

// Where a control's properties say its record is. window is nullptr, and nothing is to be done,
// when the window index is 0 or beyond the table; the indices are read anew on every call
// because tearing a window down renumbers the windows behind it.
struct ControlAddress {
    WindowSkin* window = nullptr;
    int window_index = 0;
    int list_index = 0;
};
ControlAddress AddressOfControl(HWND control, Addressing addressing = Addressing::Qz);

// The record of a skinned top-level window from its own Qz_lbID; nullptr when out of range.
WindowSkin* SkinOfWindow(HWND window);

// The record of a control in the given list of its top-level window, found from the control's
// properties; nullptr when either index lies outside its list.
template <class T>
T* FindControlRecord(HWND control, List<T> WindowSkin::*list,
                     Addressing addressing = Addressing::Qz) {
    ControlAddress where = AddressOfControl(control, addressing);
    return where.window ? (where.window->*list).At(where.list_index) : nullptr;
}

// The container record of a registered container itself; nullptr for any other window.
ContainerSkin* FindContainer(HWND window);

} // namespace qz
