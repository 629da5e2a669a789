#include "metadata/cp1252.h"
#include "metadata/genre_table.h"
#include "metadata/id3v1_block.h"
#include "metadata/stream_cells.h"
#include "support/fake_player.h"
#include "support/temp_dir.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

// A block written byte by byte, as another tool may have written it.
std::string rawBlock(std::string_view marker, std::string_view title, std::string_view year,
                     unsigned char genre, char pad = ' ') {
    std::string b(marker);
    auto field = [&](std::string_view text, std::size_t width, char with = ' ') {
        std::string f(text);
        f.resize(width, with);
        b += f;
    };
    field(title, 30, pad);
    field("Artist", 30);
    field("Album", 30);
    field(year, 4);
    field("Comment", 30);
    b += static_cast<char>(genre);
    return b;
}

std::string audio(std::size_t n) {
    return std::string(n, '\xAA');
}

struct Id3v1Test : ::testing::Test {
    TempDir dir;
    std::filesystem::path file = dir / "track.mp3";

    TagRead read() {
        TagRead tag;
        EXPECT_TRUE(id3v1::readTag(file, tag));
        return tag;
    }
};

TEST_F(Id3v1Test, ReadsFieldsAsWritten) {
    const std::tuple<std::string, std::string, std::string, int> cases[] = {
        {rawBlock("TAG", "Song", "99", 17), "Song", "99", 17},
        {rawBlock("TAG", "  Song  ", "99", 255), "Song", "99", 255},
        {rawBlock("TAG", "Song", "1999", 0, '\0'), "Song" + std::string(26, '\0'), "1999", 0},
        {rawBlock("tag", "lower", "", 3), "lower", "", 3},
        {rawBlock("TaG", "Caf\xE9 \x80", "", 3), "Caf\xC3\xA9 \xE2\x82\xAC", "", 3},
    };
    for (const auto& [block, title, year, genre] : cases) {
        writeFile(file, audio(1000) + block);
        TagRead tag = read();
        ASSERT_EQ(tag.state, TagState::Tagged);
        EXPECT_EQ(tag.values.title, title);
        EXPECT_EQ(tag.values.year, year);
        EXPECT_EQ(tag.values.genre, genre);
        EXPECT_EQ(tag.values.artist, "Artist");
        EXPECT_EQ(tag.values.comment, "Comment");
    }
}

TEST_F(Id3v1Test, OnlyTheLast128BytesAreATag) {
    const std::pair<std::string, TagState> cases[] = {
        {audio(5000), TagState::Untagged},
        // Marker bytes near the end that are not where a block begins are audio.
        {audio(4000) + "TAG" + audio(127), TagState::Untagged},
        {audio(4000) + "TAG" + audio(124), TagState::Untagged},
        {audio(4000) + "TAG" + audio(125), TagState::Tagged},
        {rawBlock("TAG", "only", "", 1), TagState::TooShort},
        {std::string(1, 'x') + rawBlock("TAG", "one", "", 1), TagState::Tagged},
        {"", TagState::TooShort},
    };
    for (const auto& [content, state] : cases) {
        writeFile(file, content);
        EXPECT_EQ(read().state, state) << content.size();
    }
}

// Marker bytes in the audio are no block: the save appends instead of overwriting audio.
TEST_F(Id3v1Test, ASaveAppendsOrOverwritesOnlyABlockThatIsThere) {
    const std::string block = id3v1::compose({"new", "Artist", "", "99", "", 2});
    for (auto [content, blockAt] :
         {std::pair{audio(5000), 5000},
          {audio(5000) + id3v1::compose({"old", "", "", "", "", 1}), 5000},
          {audio(4000) + "TAG" + audio(127), 4130},
          {audio(300) + rawBlock("tag", "old", "", 1), 300}}) {
        writeFile(file, content);
        ASSERT_TRUE(id3v1::PutIDTag(file, block));
        EXPECT_EQ(readFile(file), content.substr(0, blockAt) + block);
        EXPECT_EQ(read().values, (TagValues{"new", "Artist", "", "99", "", 2}));
    }
}

TEST_F(Id3v1Test, ComposeTrimsCutsPadsAndEncodes) {
    TagValues v{"  Four  ", std::string(40, 'a'), "\xE2\x82\xAC \xE2\x80\x99 \xC3\xBC",
                "20011",    "\xE4\xB8\xAD",       255};
    std::string b = id3v1::compose(v);
    ASSERT_EQ(b.size(), 128u);
    EXPECT_EQ(b.substr(0, 3), "TAG");
    EXPECT_EQ(b.substr(3, 30), "Four" + std::string(26, ' '));
    EXPECT_EQ(b.substr(33, 30), std::string(30, 'a'));
    EXPECT_EQ(b.substr(63, 30), "\x80 \x92 \xFC" + std::string(25, ' '));
    EXPECT_EQ(b.substr(93, 4), "2001");
    EXPECT_EQ(b.substr(97, 30), "?" + std::string(29, ' '));
    EXPECT_EQ(static_cast<unsigned char>(b[127]), 255);
    EXPECT_EQ(id3v1::takeFields(b).album, v.album); // Windows-1252 round trip
}

TEST_F(Id3v1Test, FilesThatCannotTakeATagAreLeftAlone) {
    std::string block = id3v1::compose({"t", "", "", "", "", 1});
    for (const std::string& content : {rawBlock("TAG", "only", "", 1), std::string()}) {
        writeFile(file, content);
        EXPECT_FALSE(id3v1::PutIDTag(file, block));
        EXPECT_EQ(readFile(file), content);
    }
    EXPECT_FALSE(id3v1::PutIDTag(dir / "missing.mp3", block));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.mp3"));
    EXPECT_FALSE(id3v1::PutIDTag(dir.path(), block));
    EXPECT_FALSE(id3v1::PutIDTag("", block));
    TagRead tag;
    EXPECT_FALSE(id3v1::readTag(dir / "missing.mp3", tag));

    writeFile(file, audio(200));
    EXPECT_FALSE(id3v1::PutIDTag(file, "not a block"));
    EXPECT_EQ(readFile(file), audio(200));
    if (::geteuid() != 0) {
        ::chmod(file.c_str(), 0444);
        EXPECT_FALSE(id3v1::PutIDTag(file, block));
        EXPECT_EQ(readFile(file), audio(200));
    }
}

TEST(Cp1252, MapsEveryByteAndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(cp1252ToUtf8("\x80\x92\xE9"), "\xE2\x82\xAC\xE2\x80\x99\xC3\xA9");
    EXPECT_EQ(utf8ToCp1252("\xE4\xB8\xAD \xF0\x9F\x8E\xB5 \xFF"), "? ? ?");
}

TEST(GenreTable, AlphabeticalListHoldsEveryNamedGenreOnceInOrder) {
    const auto& sorted = genres::alphabetical();
    std::set<int> numbers;
    for (const auto& g : sorted) {
        EXPECT_FALSE(g.name.empty());
        EXPECT_EQ(genres::name(g.number), g.name);
        numbers.insert(g.number);
    }
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(genres::kCount));
    auto lower = [](unsigned char c) { return std::tolower(c); };
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [&](const auto& a, const auto& b) {
        return std::ranges::lexicographical_compare(a.name, b.name, std::less{}, lower, lower);
    }));
    for (int n : {-1, genres::kCount, 255})
        EXPECT_EQ(genres::name(n), "") << n;
}

TEST(StreamCells, ProbeOpensReadsAndClosesOrRefusesTheFile) {
    test::FakePlayer player;
    player.files["/music/a.mp3"] = {26.1f, 205400, 7863, 44100, 128000};
    StreamValues values;
    ASSERT_TRUE(probeStream(player, "/music/a.mp3", values));
    EXPECT_EQ(player.calls.front(), "OpenStream /music/a.mp3|");
    EXPECT_EQ(player.calls.back(), "CloseStream");
    EXPECT_FALSE(player.open);

    player.calls.clear();
    EXPECT_FALSE(probeStream(player, "/music/missing.mp3", values));
    EXPECT_EQ(player.calls,
              (std::vector<std::string>{"OpenStream /music/missing.mp3|", "CloseStream"}));
}

} // namespace
} // namespace vantrel
