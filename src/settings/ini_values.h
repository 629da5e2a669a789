#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// How setting values are encoded as text, one pair of functions per encoding.

// Flag: "1" is on, anything else (empty included) is off.
bool readFlag(const std::string& text);
std::string writeFlag(bool on);

// The leading decimal number of a text: blanks skipped, optional sign, digits, optional
// fraction; "12abc" is 12, an empty or non-numeric text 0.
double numericPrefix(const std::string& text);

// Numbers rounded (halves to even) to the nearest 16-bit or 32-bit signed integer.
std::int16_t readNumber16(const std::string& text);
std::int32_t readNumber32(const std::string& text);
std::string writeNumber(std::int64_t value);

// Check-box state: 0 clear, 1 ticked, stored as a number.
int readCheckState(const std::string& text);
std::string writeCheckState(int state);

// Colour 0x00BBGGRR as decimal text; empty means "not set" (the caller's own colour applies).
std::optional<std::uint32_t> readColour(const std::string& text);
std::string writeColour(std::uint32_t colour);

// Word flag: "True"/"False" in any case, or a number (zero false, anything else true);
// anything else is false.
bool readWordFlag(const std::string& text);
std::string writeWordFlag(bool on);

} // namespace vantrel
