#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class IniStore;

// The playlist's column choice as the settings file keeps it: one key per creation position,
// each "n=f" (field n at that position, f "1" shown). The file is edited by
// hand at times, so what is read is repaired into a sound set before columns are built from it.
struct HeaderEntry {
    int field = 0;
    bool shown = false;
    bool operator==(const HeaderEntry&) const = default;
};

constexpr int kHeaderPositions = 11;

using HeaderSet = std::vector<HeaderEntry>;
using FieldCaptions = std::array<std::string, kHeaderPositions>;

// One stored value; nothing when it has no "=" or names no field 0..10. The field number is
// the digits before the first "=" (surrounding blanks allowed); shown when the last character
// of the value is "1".
std::optional<HeaderEntry> parseHeaderValue(std::string_view value);

// The set the program ships with: title, artist, album, time, genre, year, bit rate and file
// name shown; comment, sample rate and full path hidden.
HeaderSet defaultHeaderSet();

// Always eleven entries naming each field once, with at least one shown:
// - a position whose value is missing or malformed, or names a field already named, is skipped;
// - fields no position names follow, hidden, in field-number order;
// - when no position is usable at all, the default set;
// - when nothing is shown, the first entry is shown.
HeaderSet repairHeaderSet(const std::vector<std::string>& values);

// Reads and repairs the stored set; writes a set, one key per position.
HeaderSet readHeaderSet(const IniStore& ini);
void writeHeaderSet(const IniStore& ini, const HeaderSet& set);

// The caption of each field number as the installed settings give it; a field without one gets the
// caption the program ships with.
FieldCaptions readFieldCaptions(const IniStore& ini);
const FieldCaptions& shippedFieldCaptions();

} // namespace vantrel
