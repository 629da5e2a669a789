#include "app/handoff_line.h"

#include "base/ascii_text.h"

#include <algorithm>
#include <array>

namespace vantrel {
namespace {

bool isNewSwitch(std::string_view argument) {
    return sameIgnoringCase(argument, "/new");
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool needsQuotes(std::string_view argument) {
    return argument.empty() || argument.find_first_of(" \t\"\r\n") != std::string_view::npos;
}

// Reads one argument starting at a non-blank character; leaves `at` behind it.
std::string readArgument(std::string_view line, std::size_t& at) {
    std::string argument;
    if (line[at] == '"') {
        for (++at; at < line.size(); ++at) {
            if (line[at] != '"') {
                argument += line[at];
            } else if (at + 1 < line.size() && line[at + 1] == '"') {
                argument += '"';
                ++at;
            } else {
                ++at;
                break;
            }
        }
    }
    // Text glued to a closing quote stays with the argument, so every read moves on.
    while (at < line.size() && !isBlank(line[at]))
        argument += line[at++];
    return argument;
}

} // namespace

std::string HandOffArgument::text() const {
    if (switchWord.empty()) return path;
    if (path.empty()) return switchWord;
    return switchWord + ' ' + path;
}

bool isSwitchWord(std::string_view argument) {
    static constexpr std::array<std::string_view, 5> words = {"/new", "/Que", "/Play", "/Open",
                                                              "/Tag"};
    return std::any_of(words.begin(), words.end(),
                       [&](std::string_view word) { return sameIgnoringCase(argument, word); });
}

bool asksForNewPlayer(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& a) { return isNewSwitch(a); });
}

std::optional<std::string> handOffLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return std::nullopt;
    const auto newSwitch = std::find_if(arguments.begin(), arguments.end(),
                                        [](const std::string& a) { return isNewSwitch(a); });
    if (newSwitch == arguments.end()) return composeArguments(arguments);
    return composeArguments(std::vector<std::string>(newSwitch + 1, arguments.end()));
}

std::string composeArguments(const std::vector<std::string>& arguments) {
    std::string line;
    for (const auto& argument : arguments) {
        if (&argument != &arguments.front()) line += ' ';
        if (!needsQuotes(argument)) {
            line += argument;
            continue;
        }
        line += '"';
        for (char c : argument) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    return line;
}

std::vector<std::string> splitArguments(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && isBlank(line[at]))
            ++at;
        if (at == line.size()) break;
        std::string argument = readArgument(line, at);
        // A path ends at its first NUL, as the system reads it; the rest would only make one
        // file look like several.
        argument.resize(std::min(argument.find('\0'), argument.size()));
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // A last line without its line end still counts unless it is empty.
        if (end < text.size() || !line.empty()) lines.emplace_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::vector<HandOffArgument> lineArguments(std::string_view line) {
    const auto arguments = splitArguments(line);
    if (arguments.empty()) return {HandOffArgument{}};
    std::vector<HandOffArgument> result;
    if (!isSwitchWord(arguments.front())) {
        for (const auto& argument : arguments)
            result.push_back({"", argument});
        return result;
    }
    if (arguments.size() == 1) return {HandOffArgument{arguments.front(), ""}};
    for (auto path = arguments.begin() + 1; path != arguments.end(); ++path)
        result.push_back({arguments.front(), *path});
    return result;
}

} // namespace vantrel
