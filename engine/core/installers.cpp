#include "engine/core/installers.h"

#include "engine/core/lookup.h"
#include "engine/core/window_table.h"

namespace qz {

// Skins of control classes that are not built yet: each file that implements one of these
// takes its line out of this list.
void InstallEditSkins(int, HWND) {}
void InstallComboSkins(int, HWND) {}
void InstallTrackBars(int, HWND) {}
void InstallProgressBars(int, HWND) {}
void InstallListSkins(int, HWND) {}
void InstallUpDowns(int, HWND) {}
void InstallHeaders(int, HWND) {}
void InstallToolbars(int, HWND) {}
void InstallTransparentControls(int, HWND) {}

void RunChildInstallers(int windowIndex, HWND parent) {
    InstallPushButtons(windowIndex, parent);
    InstallCheckAndRadio(windowIndex, parent);
    InstallEditSkins(windowIndex, parent);
    InstallComboSkins(windowIndex, parent);
    InstallTrackBars(windowIndex, parent);
    InstallProgressBars(windowIndex, parent);
    InstallListSkins(windowIndex, parent);
    InstallUpDowns(windowIndex, parent);
    InstallHeaders(windowIndex, parent);
    InstallToolbars(windowIndex, parent);
    InstallTransparentControls(windowIndex, parent);
}

bool DispatchOwnerDraw(const DRAWITEMSTRUCT& item) {
    if (!Engine.started || item.CtlType == ODT_LISTBOX) return false;
    ControlAddress where = AddressOfControl(item.hwndItem);
    if (!where.window || where.list_index < 1) return false;
    // Other owner-drawn kinds of a skinned control are left undrawn on purpose.
    if (item.CtlType == ODT_BUTTON) PaintPushButtonItem(item);
    return true;
}

} // namespace qz
