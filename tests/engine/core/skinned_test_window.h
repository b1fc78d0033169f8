#pragma once
#include <windows.h>

#include <vector>

#include "engine/core/engine.h"
#include "engine/core/lookup.h"
#include "engine/core/window_table.h"
#include "tests/support/win_helpers.h"

// Windows for the tests of the skinning call and the skinned window procedure.
namespace qztest {

struct LoggedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A hidden top-level window whose own procedure logs every message that reaches it beneath the
// skin. It answers the system's move, size and close requests itself (logged, not acted on), so
// that no test enters a modal loop or loses its window.
class LoggedWindow {
  public:
    explicit LoggedWindow(int width = 300, int height = 200,
                          DWORD style = WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                          const char* title = "Skinned") {
        hwnd_ = CreateWindowExA(0, ClassName(), title, style, 40, 40, width, height, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log_));
    }
    ~LoggedWindow() {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }
    LoggedWindow(const LoggedWindow&) = delete;
    LoggedWindow& operator=(const LoggedWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    HWND AddChild(const char* cls, DWORD style, int x, int y, int w, int h) {
        return CreateWindowExA(0, cls, "", WS_CHILD | style, x, y, w, h, hwnd_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }

    int Count(UINT message) const {
        int n = 0;
        for (const LoggedMessage& m : log_)
            n += m.message == message;
        return n;
    }
    // WM_SYSCOMMAND messages with this command (the low four bits ignored).
    int CountCommand(WPARAM command) const {
        int n = 0;
        for (const LoggedMessage& m : log_)
            n += m.message == WM_SYSCOMMAND && (m.wParam & 0xFFF0) == command;
        return n;
    }
    int CountExact(UINT message, WPARAM wParam) const {
        int n = 0;
        for (const LoggedMessage& m : log_)
            n += m.message == message && m.wParam == wParam;
        return n;
    }
    const std::vector<LoggedMessage>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }

    static WNDPROC OwnProc() { return &Proc; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* log =
            reinterpret_cast<std::vector<LoggedMessage>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (log) log->push_back({message, wParam, lParam});
        if (message == WM_NCLBUTTONDOWN) return 0;
        WPARAM command = wParam & 0xFFF0;
        if (message == WM_SYSCOMMAND &&
            (command == SC_SIZE || command == SC_MOVE || command == SC_CLOSE))
            return 0;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    static const char* ClassName() {
        static const char* name = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = &Proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
            wc.lpszClassName = "QzLoggedWindow";
            RegisterClassA(&wc);
            return "QzLoggedWindow";
        }();
        return name;
    }

    HWND hwnd_;
    std::vector<LoggedMessage> log_;
};

inline void StartEngineForTests() {
    if (!qz::Engine.started) qz::StartEngine();
}

// The pointer rests far from every test window, so that the system reports no hover or leave
// of its own; the tests send those messages themselves.
inline void ParkCursor() {
    SetCursorPos(1010, 750);
}

// The record of a skinned window (by handle); nullptr when it has none.
inline qz::WindowSkin* RecordOf(HWND hwnd) {
    return qz::WindowTable.At(qz::IndexOfWindow(hwnd));
}

inline LRESULT Send(HWND hwnd, UINT message, int x, int y) {
    return SendMessageA(hwnd, message, 0, MAKELPARAM(x, y));
}

// Shows the window without activating it and lets its first paints run.
inline void ShowAndSettle(HWND hwnd) {
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    PumpPending();
}

} // namespace qztest
