#include "engine/core/window_table.h"

#include "engine/core/lookup.h"
#include "engine/core/properties.h"

namespace qz {

List<WindowSkin> WindowTable;
EngineValues Engine;

WindowSkin MakeWindowSkin(HWND window) {
    WindowSkin skin;
    skin.window = window;
    skin.buttons.ResetToBlank();
    skin.edits.ResetToBlank();
    skin.lists.ResetToBlank();
    skin.track_bars.ResetToBlank();
    skin.progress_bars.ResetToBlank();
    skin.combos.ResetToBlank();
    skin.up_downs.ResetToBlank();
    skin.headers.ResetToBlank();
    skin.controls.ResetToBlank();
    skin.containers.ResetToBlank();
    return skin;
}

void CreateEngineGlobals() {
    WindowTable.Clear();
    Engine = EngineValues{};
}

int IndexOfWindow(HWND hwnd) {
    return WindowTable.IndexOfWindow(hwnd);
}

bool RemoveWindowSkin(int index) {
    if (!WindowTable.RemoveAt(index)) return false;
    RenumberWindows();
    return true;
}

namespace {

void SetIndex(HWND hwnd, const char* name, int index) {
    if (hwnd) SetPropValue(hwnd, name, index);
}

// Every record of the list names its control in `window`; the blank record names none.
template <class T> void RenumberControls(List<T>& list, const char* name, int index) {
    list.ForEach([&](T& record) { SetIndex(record.window, name, index); });
}

// Scroll-bar overlays carry their control's window index too, or they would paint against
// whatever window has taken over the old index.
template <class T> void RenumberWithOverlays(List<T>& list, int index) {
    list.ForEach([&](T& record) {
        SetIndex(record.window, props::Qz_FuID, index);
        SetIndex(record.vertical_overlay, props::Qz_FuID, index);
        SetIndex(record.horizontal_overlay, props::Qz_FuID, index);
    });
}

void RenumberWindow(WindowSkin& skin, int index) {
    SetIndex(skin.window, props::Qz_lbID, index);
    RenumberControls(skin.buttons, props::Qz_FuID, index);
    RenumberWithOverlays(skin.edits, index);
    RenumberWithOverlays(skin.lists, index);
    RenumberControls(skin.track_bars, props::Qz_FuID, index);
    RenumberControls(skin.progress_bars, props::Qz_FuID, index);
    RenumberControls(skin.combos, props::Qz_FuID, index);
    RenumberControls(skin.up_downs, props::Qz_FuID, index);
    RenumberControls(skin.headers, props::Qz_FuID, index);
    RenumberControls(skin.containers, props::Qz_FuID, index);
    RenumberControls(skin.controls, props::Kj_FuID, index);
}

} // namespace

void RenumberWindows() {
    for (int j = 1; j <= WindowTable.Count(); ++j)
        RenumberWindow(*WindowTable.At(j), j);
}

} // namespace qz
