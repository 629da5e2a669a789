#include "playlist/header_set.h"

#include "base/ascii_text.h"

#include "settings/ini_store.h"
#include "settings/setting_key.h"

#include <algorithm>

namespace vantrel {

namespace {

// The column at each creation position, and the caption of each field number: the same names
// in two sections.
constexpr const char* kHeaderPrefix = "lv_header_";
constexpr NumberedKey kColumnKeys{kOptionsSection, kHeaderPrefix};
constexpr NumberedKey kCaptionKeys{kDefaultSection, kHeaderPrefix};

} // namespace

std::optional<HeaderEntry> parseHeaderValue(std::string_view value) {
    const auto eq = value.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view digits = trimmed(value.substr(0, eq));
    if (digits.empty() || digits.size() > 2) return std::nullopt;
    int field = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        field = field * 10 + (c - '0');
    }
    if (field >= kHeaderPositions) return std::nullopt;
    return HeaderEntry{field, value.back() == '1'};
}

HeaderSet defaultHeaderSet() {
    return {{2, true},  {3, true}, {4, true},  {8, true},  {5, true}, {6, true},
            {10, true}, {0, true}, {7, false}, {9, false}, {1, false}};
}

HeaderSet repairHeaderSet(const std::vector<std::string>& values) {
    HeaderSet set;
    std::array<bool, kHeaderPositions> named{};
    for (const std::string& value : values) {
        const auto entry = parseHeaderValue(value);
        if (!entry || named[entry->field]) continue;
        named[entry->field] = true;
        set.push_back(*entry);
    }
    if (set.empty()) return defaultHeaderSet();
    for (int field = 0; field < kHeaderPositions; ++field)
        if (!named[field]) set.push_back({field, false});
    if (std::none_of(set.begin(), set.end(), [](const HeaderEntry& e) { return e.shown; }))
        set.front().shown = true;
    return set;
}

HeaderSet readHeaderSet(const IniStore& ini) {
    std::vector<std::string> values;
    for (int position = 0; position < kHeaderPositions; ++position)
        values.push_back(kColumnKeys.text(ini, position));
    return repairHeaderSet(values);
}

void writeHeaderSet(const IniStore& ini, const HeaderSet& set) {
    for (std::size_t position = 0; position < set.size(); ++position)
        kColumnKeys.put(ini, static_cast<int>(position),
                        std::to_string(set[position].field) + (set[position].shown ? "=1" : "=0"));
}

const FieldCaptions& shippedFieldCaptions() {
    static const FieldCaptions captions = {"File Name", "Full Path",   "Title",   "Artist",
                                           "Album",     "Genre",       "Year",    "Comment",
                                           "Time",      "Sample Rate", "Bit Rate"};
    return captions;
}

FieldCaptions readFieldCaptions(const IniStore& ini) {
    FieldCaptions captions;
    for (int field = 0; field < kHeaderPositions; ++field) {
        captions[field] = kCaptionKeys.text(ini, field);
        if (captions[field].empty()) captions[field] = shippedFieldCaptions()[field];
    }
    return captions;
}

} // namespace vantrel
