#pragma once
#include <windows.h>

#include "engine/core/window_table.h"
#include "engine/draw/image_strip.h"

namespace qz {

// The cells of the check-box picture strip, loaded once by StartEngine for every check box.
extern ImageStrip CheckStrip;

// Starts the engine once, before the first window is skinned: GDI+, the program's small icon,
// the engine-wide defaults and the check-box strip. Returns 0.
int StartEngine();

// Starts GDI+ (version 1 unless one is given) and returns its token, which is also kept as the
// copy StopGdiplus takes when called without a token. A failed start yields token 0.
ULONG_PTR StartGdiplus(UINT32 version = 0, bool version_given = false);

// Shuts GDI+ down. Without a token, takes the kept copy. Both kept copies of a token that has
// been shut down are cleared, so a second call for the same session does nothing.
void StopGdiplus(ULONG_PTR token = 0, bool token_given = false);

// The application's part of the exit clean-up (its skin-file path), run first by ReleaseEngine.
// The application sets it once at start-up; nullptr means nothing to release.
void SetAppReleaseHook(void (*release)());

// Exit clean-up: the application's hook, then every window record with all it owns, the window
// table, then the engine-wide lists and the check-box strip. Handles of windows, DCs and GDI
// objects are left alone; the process is ending.
void ReleaseEngine();

} // namespace qz
