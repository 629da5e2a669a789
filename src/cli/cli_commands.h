#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

// Exit statuses: every file done, some file failed, the command line was wrong.
constexpr int kOk = 0;
constexpr int kFileFailed = 1;
constexpr int kUsage = 2;

struct Streams {
    std::ostream& out;
    std::ostream& err;
};

using Args = std::vector<std::string>;

// info FILE…: one tab-separated row of the playlist fields per file.
int runInfo(const Args& args, Streams io);
// tag [--title T] [--artist A] [--album B] [--year Y] [--comment C] [--genre N] FILE…
int runTag(const Args& args, Streams io);
// deltag FILE…: blanks the tag, as the tag editor's Delete Tag does.
int runDeltag(const Args& args, Streams io);

// One line on the error stream, prefixed with the program's name.
void reportFailure(Streams io, const std::string& message);
// Text fit for a terminal: control characters, which a terminal would act on (escape
// sequences in a tag or a file name), become "?", as ls shows them.
std::string terminalText(std::string_view text);
// A cell as one field of a tab-separated row: tabs and line breaks become blanks.
std::string rowField(const std::string& cell);

} // namespace vantrel::cli
