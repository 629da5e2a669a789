#pragma once

#include "cli/cli_commands.h"

namespace vantrel::cli {

// search [--pattern GLOB] DIR: the paths the folder browser's search finds, in its order.
int runSearch(const Args& args, Streams io);
// rename --use title|title-artist|title-artist-album [--dry-run] FILE…: each file renamed to
// the tag editor's proposal, never over an existing file.
int runRename(const Args& args, Streams io);
// tag --from-name title|title-artist|title-artist-album FILE…: each file's title, artist and
// album as its name gives them; a name that does not split so is reported and left alone.
int runTagFromName(const Args& args, Streams io);

} // namespace vantrel::cli
