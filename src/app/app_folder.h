#pragma once

#include <filesystem>
#include <string>

namespace vantrel {

// The folder with a "/" at its end, added only when it is not there already.
std::string addSlash(std::string folder);

// The running program's own file, resolved through /proc/self/exe; empty when that fails.
std::filesystem::path executableFile();

// The program folder with its trailing "/": the settings file, the hand-off file, the help
// page and the background pictures live there.
std::string appFolder();

} // namespace vantrel
