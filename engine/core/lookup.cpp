#include "engine/core/lookup.h"

#include <climits>

#include "engine/core/properties.h"

namespace qz {

INT_PTR GetPropValue(HWND hwnd, const char* name) {
    return reinterpret_cast<INT_PTR>(GetPropA(hwnd, name));
}

void SetPropValue(HWND hwnd, const char* name, INT_PTR value) {
    SetPropA(hwnd, name, reinterpret_cast<HANDLE>(value));
}

namespace {

// An index property narrowed to int; a value no list can reach reads as 0 (none).
int GetIndexProp(HWND hwnd, const char* name) {
    INT_PTR value = GetPropValue(hwnd, name);
    return value > 0 && value <= INT_MAX ? static_cast<int>(value) : 0;
}

} // namespace

ControlAddress AddressOfControl(HWND control, Addressing addressing) {
    bool qz = addressing == Addressing::Qz;
    ControlAddress where;
    where.window_index = GetIndexProp(control, qz ? props::Qz_FuID : props::Kj_FuID);
    where.list_index = GetIndexProp(control, qz ? props::Qz_lbID : props::Kj_lbID);
    where.window = WindowTable.At(where.window_index);
    return where;
}

WindowSkin* SkinOfWindow(HWND window) {
    return WindowTable.At(GetIndexProp(window, props::Qz_lbID));
}

ContainerSkin* FindContainer(HWND window) {
    if (!window) return nullptr;
    ContainerSkin* record = FindControlRecord(window, &WindowSkin::containers);
    return record && record->window == window ? record : nullptr;
}

} // namespace qz
