#pragma once
// The small application layer the utility runs on: a main window with its child controls built
// from a template, their events, control texts, the file operations of the switch, the message
// loop and process exit.
#include <windows.h>
#include <string>

namespace qz::app {

enum class ControlKind { PushButton, EditBox, Hyperlink, GroupBox };

struct FontTemplate {
    const char* face; // nullptr: the control keeps the system font
    int height;
    int weight;
    BYTE charset;
};

struct ControlTemplate {
    const char* name;
    ControlKind kind;
    int x, y, width, height;
    const char* text;
    FontTemplate font;
    const char* link_target; // hyperlink labels only
};

struct WindowTemplate {
    const char* title;
    int x, y, width, height;
    DWORD style;
    const ControlTemplate* controls;
    int control_count;
};

struct WindowEvents {
    void (*created)();
    void (*close_query)();
    void (*clicked)(const char* control_name);
};

// Creates the main window (and its controls, in template order), then fires `created`.
HWND CreateMainWindow(const WindowTemplate& tpl, const WindowEvents& events);
HWND MainWindow();
HWND ControlByName(const char* name);
void SetControlText(const char* name, const char* text);

// Runs the message loop; returns the WM_QUIT code if the loop ever ends.
int RunMessageLoop();
// Ends the process at once; the registered exit routine still runs.
[[noreturn]] void EndProcess(int code);
void RegisterExitRoutine(void (*routine)());

// File operations; results are reported but the switch ignores them.
bool PathExists(const std::string& path);
bool DeleteFilePath(const std::string& path);
bool RemoveDirectoryTree(const std::string& path);
bool WriteBytesToFile(const std::string& path, const void* bytes, size_t count);

} // namespace qz::app
