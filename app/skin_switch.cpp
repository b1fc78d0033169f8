#include "app/skin_switch.h"

#include "app/main_window.h"
#include "app/platform.h"
#include "engine/core/skin_engine.h"

#include <windows.h>
#include <shlobj.h>

namespace qz::app {
namespace {

const char kSkinFileTail[] = "Tencent\\QQ\\Skins\\skin.ini";

std::string& HeldPath() {
    static std::string path;
    return path;
}

void ShowState(bool skin_on) {
    const StateTexts texts = TextsFor(skin_on);
    SetControlText(编辑框_操作提示, texts.status);
    SetControlText(按钮_更换, texts.action);
}

} // namespace

std::string BuildSkinFilePath(const char* appdata_folder) {
    std::string folder = appdata_folder ? appdata_folder : "";
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder + kSkinFileTail;
}

std::string UserSkinFilePath() {
    char folder[MAX_PATH] = {};
    const bool found = SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE) != FALSE;
    return BuildSkinFilePath(found ? folder : nullptr);
}

StateTexts TextsFor(bool skin_on) {
    if (skin_on) return {"您的QQ已是透明皮肤！", "恢复原版"};
    return {"您的QQ不是透明皮肤！", "启动皮肤"};
}

bool ToggleSkinFile(const std::string& path) {
    // A folder that happens to be named skin.ini is cleared either way.
    const bool was_on = PathExists(path);
    RemoveDirectoryTree(path + "\\");
    if (was_on) {
        DeleteFilePath(path);
    } else {
        WriteBytesToFile(path, "", 0);
    }
    // The texts show what is on disk now, so a failed delete or create is not reported as done.
    return PathExists(path);
}

void OnMainWindowCreated() {
    // Title height 20, fixed size, no help or menu button, caption shown, white body, dragged by
    // its body; no status strip, picture or placement, and the program icon.
    SkinWindow(MainWindow(), 20, 0, 0, 0, 1, {}, {}, {}, RgbColor(0xFFFFFF), {}, 1);
    SkinContainer(ControlByName(分组框_操作分组));
    HeldPath() = UserSkinFilePath();
    ShowState(PathExists(HeldPath()));
}

void OnSwitchClicked() {
    ShowState(ToggleSkinFile(HeldPath()));
}

void ReleaseSkinFilePath() {
    std::string().swap(HeldPath());
}

} // namespace qz::app
