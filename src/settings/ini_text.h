#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantrel {

// The lines of an INI text and the edits the store makes to them. Lines are kept as they were
// read, line ends included, so rewriting a file changes only the line that is set.
class IniText {
public:
    explicit IniText(std::string_view text);

    void set(std::string_view section, std::string_view key, std::string_view value);
    std::string text() const;

private:
    struct Line {
        std::string body; // without its line end
        std::string end;  // "\r\n", "\n", "\r" or "" for a last line without one
    };
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(std::size_t sectionLine, std::string_view key) const;
    std::size_t sectionEnd(std::size_t sectionLine) const;
    void insertLine(std::size_t at, std::string body);

    std::vector<Line> lines_;
};

// What a later read gives back for a value that set() wrote: one line, without surrounding blanks.
std::string valueAsRead(std::string_view written);

// The values of an INI text by section and key, so that many reads cost one parse. Only the
// section headers are found at first; a section's keys are indexed when it is first read, so
// a large section nobody reads costs one pass over its lines. Holds views into the text, which
// must outlive it.
class IniLookup {
public:
    explicit IniLookup(std::string_view text);

    // The raw value of the first matching key in the first matching section; letter case of
    // section and key names does not count.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

private:
    struct Section {
        std::string_view lines; // from the line after the header to the next header
        mutable std::optional<std::unordered_map<std::string, std::string_view>> keys;
    };
    std::unordered_map<std::string, Section> sections_; // by lowered name
};

} // namespace vantrel
