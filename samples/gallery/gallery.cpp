// The engine's showcase: one skinned window holding every control kind the engine skins, in the
// states worth seeing. `Gallery.exe --screenshot file.png` saves the window and exits.
#include "engine/core/skin_engine.h"
#include "samples/gallery/screenshot.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

const char kClass[] = "QzSkinGallery";
const UINT_PTR kScreenshotTimer = 1;

struct Sample {
    const char* cls;
    const char* text;
    DWORD style;
    int x, y, w, h;
    bool disabled;
    bool checked;
};

// Window children, in creation order.
const Sample kSamples[] = {
    {"BUTTON", "普通按钮", BS_PUSHBUTTON, 20, 44, 100, 30, false, false},
    {"BUTTON", "默认按钮", BS_DEFPUSHBUTTON, 130, 44, 100, 30, false, false},
    {"BUTTON", "禁用按钮", BS_PUSHBUTTON, 240, 44, 100, 30, true, false},
    {"BUTTON", "&File", BS_PUSHBUTTON, 350, 44, 100, 30, false, false},
    {"BUTTON", "已选中", BS_AUTOCHECKBOX, 20, 90, 100, 20, false, true},
    {"BUTTON", "未选中", BS_AUTOCHECKBOX, 130, 90, 100, 20, false, false},
    {"BUTTON", "禁用复选", BS_AUTOCHECKBOX, 240, 90, 100, 20, true, true},
    {"BUTTON", "选项一", BS_AUTORADIOBUTTON | WS_GROUP, 20, 120, 100, 20, false, true},
    {"BUTTON", "选项二", BS_AUTORADIOBUTTON, 130, 120, 100, 20, false, false},
    {"BUTTON", "禁用选中", BS_AUTORADIOBUTTON, 240, 120, 100, 20, true, true},
    {"BUTTON", "系统单选", BS_RADIOBUTTON | WS_GROUP, 350, 120, 110, 20, false, false},
    {"BUTTON", "带子控件的分组框", BS_GROUPBOX, 20, 156, 250, 110, false, false},
    {"BUTTON", "无子控件的分组框", BS_GROUPBOX, 290, 156, 250, 110, false, false},
};

// Children of the first group box.
const Sample kGroupChildren[] = {
    {"BUTTON", "组内按钮", BS_PUSHBUTTON, 16, 28, 100, 30, false, false},
    {"BUTTON", "组内复选", BS_AUTOCHECKBOX, 16, 70, 100, 20, false, true},
    {"BUTTON", "组内单选", BS_AUTORADIOBUTTON | WS_GROUP, 130, 70, 100, 20, false, true},
};

HFONT SampleFont() {
    static HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, "宋体");
    return font;
}

HWND Create(HWND parent, const Sample& s) {
    HWND hwnd = CreateWindowExA(0, s.cls, s.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | s.style, s.x,
                                s.y, s.w, s.h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(SampleFont()), FALSE);
    if (s.checked) SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    if (s.disabled) EnableWindow(hwnd, FALSE);
    return hwnd;
}

std::string& ScreenshotPath() {
    static std::string path;
    return path;
}

int& ExitCode() {
    static int code = 0;
    return code;
}

LRESULT CALLBACK GalleryProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_TIMER:
        if (wp != kScreenshotTimer) break;
        KillTimer(hwnd, kScreenshotTimer);
        ExitCode() = gallery::SaveWindowScreenshot(hwnd, ScreenshotPath()) ? 0 : 1;
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY: PostQuitMessage(ExitCode()); return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND CreateGallery() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = GalleryProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassExA(&wc);
    HWND main = CreateWindowExA(0, kClass, "皮肤控件展示", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                                60, 60, 560, 290, nullptr, nullptr, wc.hInstance, nullptr);
    HWND groups[2] = {};
    for (const Sample& s : kSamples) {
        HWND h = Create(main, s);
        if ((s.style & BS_TYPEMASK) == BS_GROUPBOX) groups[groups[0] ? 1 : 0] = h;
    }
    for (const Sample& s : kGroupChildren)
        Create(groups[0], s);
    qz::SkinWindow(main, 20, 0, 0, 0, 1, {}, {}, {}, 0xFFFFFF, {}, 1);
    // The group box with children gets a light accent tint; the empty one is keyed over the veil.
    qz::SkinContainer(groups[0], {}, RGB(0x22, 0xCA, 0xDD), 40);
    qz::SkinContainer(groups[1]);
    return main;
}

std::string ScreenshotArgument() {
    const char* line = GetCommandLineA();
    const char* at = std::strstr(line, "--screenshot ");
    if (!at) return "";
    std::string path = at + std::strlen("--screenshot ");
    if (!path.empty() && path.front() == '"') path = path.substr(1, path.find('"', 1) - 1);
    return path;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    qz::CreateEngineGlobals();
    qz::StartEngine();
    HWND main = CreateGallery();
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    ScreenshotPath() = ScreenshotArgument();
    // Long enough for every control's first paint and the title buttons' first fade frame.
    if (!ScreenshotPath().empty()) SetTimer(main, kScreenshotTimer, 700, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(main, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    qz::ReleaseEngine();
    return static_cast<int>(msg.wParam);
}
