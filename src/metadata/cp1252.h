#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Tag text is one byte per character in the Windows-1252 code page, which is what tags written
// by most tools on any desktop hold; the rest of the program works in UTF-8.

// Every byte maps to one character; the five bytes the code page leaves undefined map to the
// control characters of the same number, so text read and written back is unchanged.
std::string cp1252ToUtf8(std::string_view bytes);

// Characters the code page cannot hold, and malformed UTF-8, become "?".
std::string utf8ToCp1252(std::string_view text);

} // namespace vantrel
