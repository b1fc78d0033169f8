#pragma once
#include <string>

namespace qz::app {

// Opens a link target with the shell; falls back to the command registered for ".htm" files.
void OpenLink(const std::string& target);

// The registered ".htm" open command with the target in place of its "%1" argument
// (appended, quoted, when the command has no "%1").
std::string HtmCommandFor(const std::string& command_template, const std::string& target);

} // namespace qz::app
