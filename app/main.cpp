// Entry point: globals, exit clean-up, the skin engine, then the main window and its loop.
#include "app/main_window.h"
#include "app/platform.h"
#include "app/skin_switch.h"
#include "engine/core/skin_engine.h"

#include <windows.h>

namespace {

void OnCloseQuery() {
    qz::app::EndProcess(0);
}

void OnClicked(const char* control_name) {
    if (control_name == qz::app::按钮_更换) qz::app::OnSwitchClicked();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    qz::CreateEngineGlobals();
    // The exit clean-up releases the switch's path first, then the engine's records.
    qz::SetAppReleaseHook(qz::app::ReleaseSkinFilePath);
    qz::app::RegisterExitRoutine(qz::ReleaseEngine);
    qz::StartEngine();
    qz::app::CreateMainWindow(qz::app::MainWindowTemplate(),
                              {qz::app::OnMainWindowCreated, OnCloseQuery, OnClicked});
    qz::app::RunMessageLoop();
    return 0;
}
