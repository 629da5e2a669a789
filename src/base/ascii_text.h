#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Text rules shared by the settings file, tags, switches and file names: blanks and letter
// case in the ASCII sense only, whatever locale the program runs in.

constexpr std::string_view kBlank = " ";
constexpr std::string_view kBlankOrTab = " \t";

// The text without the given characters at either end.
std::string_view trimmed(std::string_view text, std::string_view blanks = kBlank);

char asciiLower(char c);
std::string asciiLowered(std::string_view text);
// Equal when A-Z are taken as a-z.
bool sameIgnoringCase(std::string_view a, std::string_view b);

} // namespace vantrel
