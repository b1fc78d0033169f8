#include "app/hyperlink.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace qz::app {
namespace {

std::string ClassesRootValue(const std::string& key) {
    LONG size = 0;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, &size) != ERROR_SUCCESS ||
        size <= 0)
        return "";
    std::vector<char> buf(static_cast<size_t>(size) + 1, '\0');
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buf.data(), &size) != ERROR_SUCCESS)
        return "";
    return buf.data();
}

void RunCommand(std::string command) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

} // namespace

std::string HtmCommandFor(const std::string& command_template, const std::string& target) {
    std::string command = command_template;
    const size_t at = command.find("%1");
    if (at == std::string::npos) return command + " \"" + target + "\"";
    command.replace(at, 2, target);
    return command;
}

void OpenLink(const std::string& target) {
    if (target.empty()) return;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return;
    const std::string progid = ClassesRootValue(".htm");
    if (progid.empty()) return;
    const std::string command = ClassesRootValue(progid + "\\shell\\open\\command");
    if (!command.empty()) RunCommand(HtmCommandFor(command, target));
}

} // namespace qz::app
