#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace qztest {

// Pumps this thread's messages until cond() holds or timeout_ms passes; returns cond().
bool PumpUntil(const std::function<bool()>& cond, DWORD timeout_ms = 5000);
// Dispatches every message already queued for this thread.
void PumpPending();

// GDI and USER handle counts and private bytes of this process. Under Wine the counts come from
// probing the handle tables (about two seconds a call): take one before and one after a loop.
struct ResourceCounts {
    DWORD gdi;
    DWORD user;
    SIZE_T private_bytes;
};
ResourceCounts CurrentResources();

// A fresh, empty folder under %TEMP%, removed with its contents on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string Join(const std::string& rel) const { return path_ + "\\" + rel; }

  private:
    std::string path_;
};

// Removes a file or a directory tree; true when nothing is left at the path.
bool RemoveTree(const std::string& path);
bool PathExists(const std::string& path);
// Creates every folder of path (like mkdir -p).
void MakeDirs(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// A plain visible top-level window of a private class, destroyed on destruction.
class TestWindow {
  public:
    TestWindow(int width, int height, DWORD style = WS_POPUP | WS_VISIBLE | WS_SYSMENU,
               const char* title = "test");
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return hwnd_; }
    // Creates a child control of this window.
    HWND AddChild(const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
                  int id = 0);
    void Release() { hwnd_ = nullptr; }

  private:
    HWND hwnd_;
};

} // namespace qztest
