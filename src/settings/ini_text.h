#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The lines of an INI text and the edits the store makes to them. Lines are kept as they were
// read, line ends included, so rewriting a file changes only the line that is set.
class IniText {
public:
    explicit IniText(std::string_view text);

    // The raw value of the first matching key in the first matching section.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
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

} // namespace vantrel
