#include "app/platform.h"

#include "app/hyperlink.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace qz::app {
namespace {

const char kMainWindowClass[] = "QzSkinMainWindow";

struct Control {
    const ControlTemplate* tpl;
    HWND hwnd;
    HFONT font;
};

struct PlatformState {
    const WindowTemplate* tpl = nullptr;
    WindowEvents events{};
    HWND main = nullptr;
    std::vector<Control> controls;
};

PlatformState& State() {
    static PlatformState state;
    return state;
}

const Control* FindControl(HWND hwnd) {
    for (const Control& c : State().controls)
        if (c.hwnd == hwnd) return &c;
    return nullptr;
}

struct KindInfo {
    const char* cls;
    DWORD style;
    DWORD ex_style;
};

KindInfo InfoFor(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton: return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::EditBox:
        return {"EDIT", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Hyperlink: return {"STATIC", SS_NOTIFY | SS_LEFT, 0};
    // Clipped by the controls created before it, which lie inside its frame and above it.
    case ControlKind::GroupBox: return {"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
    }
    return {"STATIC", 0, 0};
}

HFONT MakeFont(const FontTemplate& f, bool underline) {
    if (!f.face) return nullptr;
    return CreateFontA(f.height, 0, 0, 0, f.weight, FALSE, underline, FALSE, f.charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, f.face);
}

void CreateControl(HWND parent, const ControlTemplate& c, int id) {
    const KindInfo info = InfoFor(c.kind);
    HWND hwnd = CreateWindowExA(info.ex_style, info.cls, c.text ? c.text : "",
                                WS_CHILD | WS_VISIBLE | info.style, c.x, c.y, c.width, c.height,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    HFONT font = MakeFont(c.font, c.kind == ControlKind::Hyperlink);
    if (font) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    State().controls.push_back({&c, hwnd, font});
}

void OnCommand(HWND child, WORD code) {
    const Control* c = FindControl(child);
    if (!c || code != BN_CLICKED) return; // STN_CLICKED has the same value
    if (c->tpl->kind == ControlKind::Hyperlink) {
        OpenLink(c->tpl->link_target ? c->tpl->link_target : "");
    } else if (State().events.clicked) {
        State().events.clicked(c->tpl->name);
    }
}

LRESULT OnCtlColorStatic(HWND child, HDC dc, HWND parent, WPARAM wp, LPARAM lp) {
    const Control* c = FindControl(child);
    if (!c || c->tpl->kind != ControlKind::Hyperlink)
        return DefWindowProcA(parent, WM_CTLCOLORSTATIC, wp, lp);
    SetTextColor(dc, RGB(0, 0, 238));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool OnSetCursor(HWND over) {
    const Control* c = FindControl(over);
    if (!c || c->tpl->kind != ControlKind::Hyperlink) return false;
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    return true;
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND: OnCommand(reinterpret_cast<HWND>(lp), HIWORD(wp)); return 0;
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), hwnd, wp,
                                lp);
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wp))) return TRUE;
        break;
    case WM_CLOSE:
        // The close query ends the process; the window is never asked to close normally.
        if (State().events.close_query) State().events.close_query();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterMainClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, "DEFAULT_ICON");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    RegisterClassExA(&wc);
}

} // namespace

HWND CreateMainWindow(const WindowTemplate& tpl, const WindowEvents& events) {
    PlatformState& s = State();
    s.tpl = &tpl;
    s.events = events;
    RegisterMainClass();
    // Shown only after the creation event, so that the window appears in its finished look.
    s.main = CreateWindowExA(0, kMainWindowClass, tpl.title, tpl.style & ~WS_VISIBLE, tpl.x, tpl.y,
                             tpl.width, tpl.height, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    for (int i = 0; i < tpl.control_count; ++i)
        CreateControl(s.main, tpl.controls[i], i + 1);
    if (s.events.created) s.events.created();
    if (tpl.style & WS_VISIBLE) {
        ShowWindow(s.main, SW_SHOW);
        UpdateWindow(s.main);
    }
    return s.main;
}

HWND MainWindow() {
    return State().main;
}

HWND ControlByName(const char* name) {
    for (const Control& c : State().controls)
        if (std::strcmp(c.tpl->name, name) == 0) return c.hwnd;
    return nullptr;
}

void SetControlText(const char* name, const char* text) {
    if (HWND hwnd = ControlByName(name)) SetWindowTextA(hwnd, text);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void EndProcess(int code) {
    std::exit(code);
}

void RegisterExitRoutine(void (*routine)()) {
    std::atexit(routine);
}

bool PathExists(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return true;
}

bool DeleteFilePath(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool RemoveDirectoryTree(const std::string& path) {
    std::string dir = path;
    while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/'))
        dir.pop_back();
    const DWORD attrs = GetFileAttributesA(dir.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_DIRECTORY)) return false;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return RemoveDirectoryA(dir.c_str()) != 0;
}

bool WriteBytesToFile(const std::string& path, const void* bytes, size_t count) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes, static_cast<DWORD>(count), &written, nullptr);
    CloseHandle(h);
    return ok && written == count;
}

} // namespace qz::app
