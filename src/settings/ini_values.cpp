#include "settings/ini_values.h"

#include "base/ascii_text.h"

#include "base/number_text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>

namespace vantrel {

namespace {

struct Prefix {
    double value = 0;
    std::size_t end = 0; // where the number ended; 0 when there was none
};

Prefix parsePrefix(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i, ++digits;
    }
    if (digits == 0) return {};
    return {std::strtod(text.substr(start, i - start).c_str(), nullptr), i};
}

template <typename Int> Int nearest(double value) {
    double r = roundHalfEven(value);
    r = std::clamp(r, double(std::numeric_limits<Int>::min()),
                   double(std::numeric_limits<Int>::max()));
    return static_cast<Int>(r);
}

} // namespace

bool readFlag(const std::string& text) {
    return text == "1";
}
std::string writeFlag(bool on) {
    return on ? "1" : "0";
}

double numericPrefix(const std::string& text) {
    return parsePrefix(text).value;
}

std::int16_t readNumber16(const std::string& text) {
    return nearest<std::int16_t>(numericPrefix(text));
}
std::int32_t readNumber32(const std::string& text) {
    return nearest<std::int32_t>(numericPrefix(text));
}
std::string writeNumber(std::int64_t value) {
    return std::to_string(value);
}

int readCheckState(const std::string& text) {
    return readNumber16(text);
}
std::string writeCheckState(int state) {
    return writeNumber(state);
}

std::optional<std::uint32_t> readColour(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return static_cast<std::uint32_t>(readNumber32(text));
}
std::string writeColour(std::uint32_t colour) {
    return writeNumber(colour);
}

bool readWordFlag(const std::string& text) {
    const std::string t(trimmed(text, kBlankOrTab));
    if (sameIgnoringCase(t, "true")) return true;
    if (sameIgnoringCase(t, "false")) return false;
    // Only a text that is wholly a number converts; "2x" is no Boolean.
    Prefix p = parsePrefix(t);
    return p.end != 0 && p.end == t.size() && p.value != 0;
}
std::string writeWordFlag(bool on) {
    return on ? "True" : "False";
}

} // namespace vantrel
