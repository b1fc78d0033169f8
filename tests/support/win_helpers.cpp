#include "tests/support/win_helpers.h"

#include <psapi.h>
#include <shellapi.h>
#include <vector>

namespace qztest {

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& cond, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > timeout_ms) return cond();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

namespace {

// Wine answers GetGuiResources with 0, so the live handles are counted by probing the handle
// tables: a handle value whose high word is 0 matches an entry of any generation there.
DWORD ProbeGdiObjects() {
    DWORD n = 0;
    for (ULONG_PTR i = 0; i < 0x10000; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++n;
    return n;
}

bool IsLiveUserObject(ULONG_PTR i) {
    if (IsWindow(reinterpret_cast<HWND>(i))) {
        DWORD pid = 0;
        GetWindowThreadProcessId(reinterpret_cast<HWND>(i), &pid);
        return pid == GetCurrentProcessId();
    }
    if (IsMenu(reinterpret_cast<HMENU>(i))) return true;
    ICONINFO info;
    if (!GetIconInfo(reinterpret_cast<HICON>(i), &info)) return false;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

DWORD ProbeUserObjects() {
    DWORD n = 0;
    for (ULONG_PTR i = 0x20; i < 0x10000; i += 2)
        if (IsLiveUserObject(i)) ++n;
    return n;
}

} // namespace

ResourceCounts CurrentResources() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                         sizeof pmc);
    DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (gdi == 0) gdi = ProbeGdiObjects();
    if (user == 0) user = ProbeUserObjects();
    return {gdi, user, pmc.PrivateUsage};
}

TempDir::TempDir() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(base) + "qztest_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

TempDir::~TempDir() {
    RemoveTree(path_);
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveTree(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return true;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name != "." && name != "..") RemoveTree(path + "\\" + name);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return RemoveDirectoryA(path.c_str()) != 0;
}

void MakeDirs(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

namespace {
const char* TestWindowClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "QzTestWindow";
        RegisterClassA(&wc);
        return "QzTestWindow";
    }();
    return name;
}
} // namespace

TestWindow::TestWindow(int width, int height, DWORD style, const char* title) {
    hwnd_ = CreateWindowExA(0, TestWindowClass(), title, style, 40, 40, width, height, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

HWND TestWindow::AddChild(const char* cls, const char* text, DWORD style, int x, int y, int w,
                          int h, int id) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace qztest
