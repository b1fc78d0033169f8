#pragma once
#include <windows.h>
#include <string>

namespace gallery {

// Saves what the screen shows of the window as a PNG file; false when it could not.
bool SaveWindowScreenshot(HWND window, const std::string& path);

} // namespace gallery
