#pragma once

#include "cli/cli_commands.h"

namespace vantrel::cli {

// export --format m3u|csv|html [--title T] IN.m3u OUT: the playlist's tracks read as the list
// adds them, written as the save dialog writes them, with the columns of the settings file.
int runExport(const Args& args, Streams io);

} // namespace vantrel::cli
