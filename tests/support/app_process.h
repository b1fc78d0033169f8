#pragma once
#include <windows.h>
#include <string>

namespace qztest {

// The utility started as its own process; terminated on destruction if still running.
class AppProcess {
  public:
    explicit AppProcess(const std::string& exe_path);
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    // The process's visible top-level window of the given class, waited for with a bound.
    HWND WaitForWindow(const char* window_class, DWORD timeout_ms = 10000) const;
    // Waits until the process has drawn its windows and waits for input; false on time-out.
    bool WaitForIdle(DWORD timeout_ms = 10000) const;
    // Waits for the process to end; returns its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeout_ms = 10000) const;

  private:
    PROCESS_INFORMATION info_{};
};

// The path of a program the build made, e.g. "app\\QzSkin.exe".
std::string BuiltProgram(const char* relative);

// Text of a window of any process (WM_GETTEXT is marshalled across processes).
std::string WindowText(HWND hwnd);
// The direct child of parent whose class is cls and whose client rectangle matches x, y, w, h in
// parent's client coordinates; nullptr when none.
HWND ChildAt(HWND parent, const char* cls, int x, int y, int w, int h);

// Real input: moves the pointer to a screen point and clicks the left button.
void ClickAt(POINT screen);
void MoveTo(POINT screen);
void PressAt(POINT screen);
void ReleaseAt(POINT screen);
// Whether the thread that owns window runs the system's move or size loop.
bool InMoveOrSize(HWND window);
// Presses and releases a key chord, e.g. {VK_MENU, VK_F4}.
void PressChord(std::initializer_list<WORD> keys);

} // namespace qztest
