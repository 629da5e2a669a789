#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Reading a playlist file's text into the entries it names, and an entry into a path.
//
// Entries are comma-separated fields: leading blanks are skipped, a field that begins with a
// double quote runs to the next quote on its line and loses the quotes. LF, CR LF and CR line
// ends and a UTF-8 byte-order mark are accepted; a line ends at a NUL byte, as a path does. A
// line that begins with "#" is a comment (#EXTM3U, #EXTINF as every other player writes them)
// and an empty field names nothing; both are skipped rather than offered to the user as
// missing files.
std::vector<std::string> playlistEntries(std::string_view bytes);
// A playlist file's bytes as UTF-8 text: UTF-16 behind its byte-order mark is converted, any
// other bytes are kept as they are.
std::string playlistText(std::string bytes);
// The same as playlistEntries in steps: the text, the lines that may name entries (comments
// and the byte-order mark gone, line ends cut), and the fields of one line.
std::vector<std::string_view> playlistLines(std::string_view text);
void lineEntries(std::string_view line, std::vector<std::string>& entries);

// An entry is absolute when it begins with "/" or is a file:// URL (percent-encoded, as other
// players write them); anything else lies under the playlist's folder.
bool entryIsAbsolute(std::string_view entry);
// The path the entry names: an absolute entry trimmed (a file:// URL decoded, one naming another
// machine kept as written), else addSlash(folder) followed by the entry as read.
std::string entryPath(const std::string& folder, const std::string& entry);
// What the retry folder is put in front of: an absolute entry's file name, else the entry.
std::string entryFileName(const std::string& entry);

// The folder part of a path, without its trailing "/" ("" for a bare file name).
std::string folderOf(const std::string& path);
// A name the program opens as a playlist: it ends in .m3u, .m3u8 or .m4u, in any letter case.
bool namesPlaylist(std::string_view text);

} // namespace vantrel
