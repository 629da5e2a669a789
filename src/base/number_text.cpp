#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace vantrel {

std::optional<int> wholeNumber(std::string_view text) {
    int n = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

double roundHalfEven(double value) {
    double lower = std::floor(value);
    double diff = value - lower;
    if (diff > 0.5) return lower + 1.0;
    if (diff < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

namespace {

// Integer division rounding halves to even; the divisor is positive.
std::int64_t divideHalfEven(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) { // make the remainder non-negative so "half" means the same on both sides
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0)) ++q;
    return q;
}

// Whole seconds of a time: first kept to four decimals of a second, then rounded to whole
// seconds, each step halves to even (1499.96 ms -> 1.5000 s -> 2 s).
std::int64_t wholeSeconds(Millis ms) {
    std::int64_t tenThousandthsOfSecond = divideHalfEven(ms.raw(), 1000);
    return divideHalfEven(tenThousandthsOfSecond, 10000);
}

std::string twoDigits(std::int64_t n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld", static_cast<long long>(n));
    return buf;
}

} // namespace

Millis Millis::fromDouble(double ms) {
    return Millis(std::llround(roundHalfEven(ms * kScale)));
}

std::int64_t Millis::roundedWhole() const {
    return divideHalfEven(ticks_, kScale);
}

Millis Millis::operator*(Millis o) const {
    // 128-bit intermediate: two four-decimal numbers multiply into eight decimals.
    __extension__ typedef __int128 Wide;
    Wide wide = static_cast<Wide>(ticks_) * o.ticks_;
    Wide q = wide / kScale;
    Wide r = wide % kScale;
    if (r < 0) {
        r += kScale;
        --q;
    }
    if (2 * r > kScale || (2 * r == kScale && q % 2 != 0)) ++q;
    return Millis(static_cast<std::int64_t>(q));
}

std::string numberText(double value) {
    if (value == 0.0) value = 0.0; // no "-0"
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    std::string text = buf;
    return value < 0 ? text : " " + text;
}

std::string numberTextTrimmed(double value) {
    std::string text = numberText(value);
    return text[0] == ' ' ? text.substr(1) : text;
}

std::string fmtClock(Millis ms) {
    std::int64_t t = wholeSeconds(ms);
    std::int64_t m = t / 60;
    return twoDigits(m) + ":" + twoDigits(t - 60 * m);
}

std::string fmtClockHours(Millis ms) {
    std::int64_t t = wholeSeconds(ms);
    std::int64_t m = t / 60;
    std::int64_t s = t - 60 * m;
    if (m < 60) return twoDigits(m) + ":" + twoDigits(s);
    std::int64_t h = m / 60;
    return twoDigits(h) + ":" + twoDigits(m - 60 * h) + ":" + twoDigits(s);
}

} // namespace vantrel
