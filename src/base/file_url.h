#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// file:// addresses, as desktops, browsers and other players write them, and the
// percent-encoding of paths in links.

// True when the text begins with "file://", in any letter case.
bool isFileUrl(std::string_view text);

// The path a file:// address names on this machine: the host is empty or "localhost", escapes
// are decoded (%2F too, as browsers do) and a '%' that starts no escape is kept as written.
// Empty for anything else: another scheme or host, no path, or an escaped NUL byte.
std::string pathFromFileUrl(std::string_view url);

// Appends the path with every byte but unreserved ones and '/' escaped (upper-case hex).
void appendPercentEncoded(std::string& out, std::string_view path);
// The file:// address of an absolute path.
std::string fileUrlFromPath(std::string_view path);

} // namespace vantrel
