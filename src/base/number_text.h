#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The number when the whole text is a whole number in decimal (a sign allowed, no blanks).
std::optional<int> wholeNumber(std::string_view text);

// Rounds to the nearest whole number, a half going to the even neighbour (1.5 -> 2, 2.5 -> 2).
double roundHalfEven(double value);

// Milliseconds as a fixed-point number with four decimals, so that play-time arithmetic
// (frame number x frame time) is exact to the tenth of a microsecond and rounds the same
// way everywhere.
class Millis {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Millis() = default;
    static constexpr Millis fromWhole(std::int64_t ms) { return Millis(ms * kScale); }
    // Kept to four decimals, a half going to the even neighbour.
    static Millis fromDouble(double ms);
    static constexpr Millis fromRaw(std::int64_t ticks) { return Millis(ticks); }

    constexpr std::int64_t raw() const { return ticks_; }
    // Whole milliseconds, halves to even.
    std::int64_t roundedWhole() const;

    Millis operator+(Millis o) const { return Millis(ticks_ + o.ticks_); }
    Millis operator-(Millis o) const { return Millis(ticks_ - o.ticks_); }
    // Product kept to four decimals, halves to even.
    Millis operator*(std::int64_t n) const { return Millis(ticks_ * n); }
    Millis operator*(Millis o) const;
    constexpr auto operator<=>(const Millis&) const = default;

private:
    constexpr explicit Millis(std::int64_t ticks) : ticks_(ticks) {}
    std::int64_t ticks_ = 0;
};

// The program's decimal text of a number: a leading blank when not negative ("-" otherwise),
// up to 15 significant digits, "." as the point, no digit grouping, no trailing zeros.
std::string numberText(double value);

// The number text without its leading blank, for places that write numbers bare.
std::string numberTextTrimmed(double value);

// Milliseconds to "mm:ss" (minutes not limited to 59; seconds rounded, halves to even).
std::string fmtClock(Millis ms);

// As fmtClock below one hour; "hh:mm:ss" from one hour on.
std::string fmtClockHours(Millis ms);

} // namespace vantrel
