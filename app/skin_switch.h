#pragma once
// The utility's own job: an empty skin.ini in the chat client's skin folder means the transparent
// skin is on, no file means it is off.
#include <string>

namespace qz::app {

// The skin file under the given application-data folder; a null folder gives the relative path.
std::string BuildSkinFilePath(const char* appdata_folder);
// The skin file under the current user's application-data folder (the folder is not created).
std::string UserSkinFilePath();

struct StateTexts {
    const char* status; // the edit box
    const char* action; // the button caption
};
StateTexts TextsFor(bool skin_on);

// Switches the skin at path; returns whether the skin is on afterwards.
bool ToggleSkinFile(const std::string& path);

// Main window events.
void OnMainWindowCreated();
void OnSwitchClicked();
// Releases the path held since the window was created.
void ReleaseSkinFilePath();

} // namespace qz::app
