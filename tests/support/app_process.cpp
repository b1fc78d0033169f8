#include "tests/support/app_process.h"

#include "tests/support/win_helpers.h"

#include <vector>

namespace qztest {

AppProcess::AppProcess(const std::string& exe_path) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string command = "\"" + exe_path + "\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &info_))
        info_ = {};
}

AppProcess::~AppProcess() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND AppProcess::WaitForWindow(const char* window_class, DWORD timeout_ms) const {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            for (HWND w = FindWindowExA(nullptr, nullptr, window_class, nullptr); w;
                 w = FindWindowExA(nullptr, w, window_class, nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == info_.dwProcessId && IsWindowVisible(w)) found = w;
            }
            return found != nullptr;
        },
        timeout_ms);
    return found;
}

bool AppProcess::WaitForIdle(DWORD timeout_ms) const {
    return WaitForInputIdle(info_.hProcess, timeout_ms) == 0;
}

DWORD AppProcess::WaitForExit(DWORD timeout_ms) const {
    if (WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::string BuiltProgram(const char* relative) {
    return std::string(QZ_BUILD_DIR_WIN) + "\\" + relative;
}

std::string WindowText(HWND hwnd) {
    char buf[512] = {};
    SendMessageA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

HWND ChildAt(HWND parent, const char* cls, int x, int y, int w, int h) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(c, name, sizeof name);
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        if (lstrcmpiA(name, cls) == 0 && r.left == x && r.top == y && r.right - r.left == w &&
            r.bottom - r.top == h)
            return c;
    }
    return nullptr;
}

namespace {
INPUT MouseInput(DWORD flags, POINT screen) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}
} // namespace

void MoveTo(POINT screen) {
    INPUT in = MouseInput(MOUSEEVENTF_MOVE, screen);
    SendInput(1, &in, sizeof in);
}

void ClickAt(POINT screen) {
    INPUT in[3] = {MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(MOUSEEVENTF_LEFTDOWN, screen),
                   MouseInput(MOUSEEVENTF_LEFTUP, screen)};
    SendInput(3, in, sizeof in[0]);
}

void PressAt(POINT screen) {
    INPUT in[2] = {MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(MOUSEEVENTF_LEFTDOWN, screen)};
    SendInput(2, in, sizeof in[0]);
}

void ReleaseAt(POINT screen) {
    INPUT in[2] = {MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen)};
    SendInput(2, in, sizeof in[0]);
}

bool InMoveOrSize(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           (info.flags & GUI_INMOVESIZE);
}

void PressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        in.push_back(i);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

} // namespace qztest
