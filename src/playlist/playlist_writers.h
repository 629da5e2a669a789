#pragma once

#include "base/result.h"

#include <string>
#include <vector>

namespace vantrel {

class PlaylistModel;

// The three playlist exports, each the whole file's bytes, rows in list order. `order` is the
// list's column display order: entry k is the 0-based creation index of the column shown at
// display position k.

// One line per row: the bare file name for a track in the playlist's own folder, else the full
// path. UTF-8, CR LF.
std::string writeM3u(const PlaylistModel& list, const std::string& playlistPath);
// "FULL FILE PATH" and the headers in capitals (sort mark included), then the key and the cells
// of every row. A field holding a comma, a quote or a line break is quoted, quotes doubled; one
// that a spreadsheet would run as a formula (=, +, -, @, tab or CR first, unless it is a plain
// number) gets a leading '.
std::string writeCsv(const PlaylistModel& list, const std::vector<int>& order);
// A web page with a table of the cells, the first cell of each row linking to its track. Plain
// ASCII: every text escaped, other characters as character references, links percent-encoded.
std::string writeHtml(const PlaylistModel& list, const std::vector<int>& order,
                      const std::string& pagePath, const std::string& title,
                      const std::string& date);

// The creation order: what the list shows before any header was dragged.
std::vector<int> creationOrder(const PlaylistModel& list);
// Today's date for the page's Date line (YYYY-MM-DD).
std::string todaysDate();

// Writes the bytes beside `path` and renames them over it, so a failed write (folder not
// writable, disk full) leaves no half-written file under that name.
Result writeFileReplacing(const std::string& path, const std::string& bytes);

} // namespace vantrel
