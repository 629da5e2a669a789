// The playlist reader: any bytes give entries that name something (never blank, never across a
// line, never past a NUL), and paths written one a line, quoted where they hold a comma, read
// back as written; so does a path written as a file:// address.
#include "fuzz_check.h"

#include "base/file_url.h"
#include "playlist/playlist_reader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<std::string> paths(in.ConsumeIntegralInRange(0, 6));
    std::string text;
    for (auto& path : paths) {
        path = "/" + in.ConsumeRandomLengthString(40);
        std::erase_if(path, [](char c) { return c == '\n' || c == '\r' || c == '"' || !c; });
        const bool quoted = path.find(',') != std::string::npos;
        text += (quoted ? "\"" + path + "\"" : path) + (in.ConsumeBool() ? "\r\n" : "\n");
    }
    // Trailing blanks of an unquoted entry are kept by the reader and trimmed when it is added.
    std::vector<std::string> back;
    for (const std::string& entry : playlistEntries(text))
        back.push_back(entryPath("/lists", entry));
    for (auto* list : {&paths, &back})
        for (std::string& path : *list)
            path.erase(path.find_last_not_of(" \t") + 1);
    FUZZ_CHECK(back == paths);
    for (const std::string& path : paths)
        FUZZ_CHECK(pathFromFileUrl(fileUrlFromPath(path)) == path);

    for (const std::string& entry : playlistEntries(in.ConsumeRemainingBytesAsString())) {
        FUZZ_CHECK(entry.find_first_of(std::string_view("\n\r\0", 3)) == std::string::npos);
        FUZZ_CHECK(entry.find_first_not_of(" \t") != std::string::npos);
        (void)entryPath("/lists", entry);
        (void)entryFileName(entry);
    }
    return 0;
}
