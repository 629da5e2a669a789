#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The text form of a start's arguments in the hand-off file, and the way back.
//
// A line holds the arguments separated by one blank; an argument holding a blank, a tab or a
// double quote (or an empty one) is written in double quotes with inner quotes doubled. An
// argument cannot hold a line break: every line of the file is read on its own, so a quote
// left open ends at its line's end, and an argument at its first NUL. Switches are whole
// arguments, so "/new" inside /home/me/newmusic is no switch.

// One argument as the collector gives it to infile: the switch word as written (any letter
// case; empty for a plain path) and the path behind it.
struct HandOffArgument {
    std::string switchWord;
    std::string path;

    // The argument as one text, the switch and its path separated by one blank.
    std::string text() const;
    bool operator==(const HandOffArgument&) const = default;
};

// "/new", "/Que", "/Play", "/Open" or "/Tag" in any letter case.
bool isSwitchWord(std::string_view argument);

// Whether the arguments hold "/new" (any letter case), which asks for a new player even while
// another instance runs.
bool asksForNewPlayer(const std::vector<std::string>& arguments);

// The line a start appends: all arguments, or only those behind the first "/new". None when
// the start had no arguments (then nothing is written).
std::optional<std::string> handOffLine(const std::vector<std::string>& arguments);

std::string composeArguments(const std::vector<std::string>& arguments);
std::vector<std::string> splitArguments(std::string_view line);

// Cuts a file's text into lines at every LF (a CR before it is dropped).
std::vector<std::string> splitLines(std::string_view text);

// What one line gives to infile. A line whose first argument is a switch word gives that
// switch with each path behind it (the switch alone when there is none); any other line gives
// each argument on its own. A line without arguments gives one empty argument, so, as every
// line does, it still settles the play and edit requests.
std::vector<HandOffArgument> lineArguments(std::string_view line);

} // namespace vantrel
