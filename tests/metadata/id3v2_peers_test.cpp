// Other taggers and players agree with us on ID3v2 tags: we read what mutagen, eyeD3 and id3v2
// write, and they (and ffprobe) read what we write.
#include "metadata/track_tag.h"
#include "support/cli_runner.h"
#include "support/lame_fixture.h"
#include "support/temp_dir.h"
#include <gtest/gtest.h>

namespace vantrel::test {
namespace {

const std::string kTitle = "N\xC3\xABw title, longer than an ID3v1 field holds";
const std::string kMutagen = "/usr/bin/python3 -c 'import sys, mutagen.id3 as m; ";

// A tool (skipped when missing) and a shell line run on the file "$1".
using Peer = std::pair<std::string, std::string>;

TEST(Id3v2Peers, ReadWhatTheOthersWrite) {
    TempDir dir;
    const std::string file = (dir / "t.mp3").string();
    auto run = [&](const Peer& peer) -> std::optional<std::string> {
        if (runProgram(dir.path(), "sh", {"-c", "command -v " + peer.first}).status != 0) return {};
        CliOutcome r = runProgram(dir.path(), "sh", {"-c", peer.second, "sh", file});
        EXPECT_EQ(r.status, 0) << peer.second << ": " << r.err;
        return r.out;
    };
    const Peer writers[] = {
        {"/usr/bin/python3", kMutagen + "t = m.ID3(); t.add(m.TIT2(encoding=1, text=\"" + kTitle +
                                 "\")); t.add(m.TPE1(encoding=3, text=\"B\")); "
                                 "t.save(sys.argv[1], v2_version=3)' \"$1\""},
        {"eyeD3", "eyeD3 -Q --to-v2.4 -t '" + kTitle + "' -a B \"$1\" >/dev/null"},
        {"id3v2", "id3v2 -2 -t '" + kTitle + "' -a B \"$1\""},
    };
    const Peer readers[] = {
        {"/usr/bin/python3",
         kMutagen + "t = m.ID3(sys.argv[1]); print(t[\"TIT2\"], t[\"TPE1\"])' \"$1\""},
        {"eyeD3", "eyeD3 --no-color \"$1\" | grep -E '^(title|artist):'"},
        {"id3v2", "id3v2 -l \"$1\" | grep -E '^(TIT2|TPE1)'"}, // id3lib reads no 2.4 tags
        {"ffprobe", "ffprobe -v error -show_entries format_tags=title -of csv \"$1\""},
    };
    for (const Peer& writer : writers) {
        writeSineMp3(file, {.seconds = 0.3});
        if (!run(writer)) continue;
        TagRead tag;
        ASSERT_TRUE(readTrackTag(file, tag));
        EXPECT_EQ(tag.values.title, kTitle) << writer.first;
        EXPECT_EQ(tag.values.artist, "B") << writer.first;
        // Over the peer's tag, we write a new title; each peer reads it back.
        const std::string title = kTitle + " " + writer.first.substr(0, 3);
        ASSERT_TRUE(writeTrackTag(file, id3v1::compose({title, "", "", "", "", 1}),
                                  TagChanges{title, {}, {}, {}, {}, {}}));
        for (const Peer& reader : readers) {
            if (reader.first == "id3v2" && writer.first == "eyeD3") continue;
            const std::optional<std::string> out = run(reader);
            EXPECT_TRUE(!out || out->find(title) != std::string::npos) << reader.first << *out;
        }
    }
}

} // namespace
} // namespace vantrel::test
