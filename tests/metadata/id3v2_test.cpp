#include "metadata/genre_table.h"
#include "metadata/track_tag.h"
#include "support/id3v2_bytes.h"
#include "support/temp_dir.h"
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {
namespace {

using namespace test;

// Audio that looks like frames to a scanner, so a writer that touched it would show.
const std::string kAudio = [] {
    std::string a;
    for (int i = 0; i < 3000; ++i)
        a += std::string("\xFF\xFB\x90\x64", 4) + static_cast<char>(i);
    return a;
}();

std::size_t tagEnd(const std::string& file) {
    if (file.rfind("ID3", 0) != 0) return 0;
    std::size_t size = 0;
    for (int i = 6; i < 10; ++i)
        size = size << 7 | (static_cast<unsigned char>(file[i]) & 0x7F);
    return 10 + size;
}

std::string audioOf(const std::string& file) {
    const bool v1 = file.size() >= 128 && file.compare(file.size() - 128, 3, "TAG") == 0;
    return file.substr(tagEnd(file), file.size() - tagEnd(file) - (v1 ? 128 : 0));
}

struct Id3v2Test : ::testing::Test {
    TempDir dir;
    std::filesystem::path file = dir / "track.mp3";
    TagValues read() {
        TagRead tag;
        EXPECT_TRUE(readTrackTag(file, tag));
        return tag.values;
    }
    // The ID3v2 fields alone (empty when none), and the picture's bytes.
    TagValues id3v2Fields() {
        TagValues v;
        bool found = false;
        EXPECT_TRUE(id3v2::readFields(file, v, found));
        return found ? v : TagValues{};
    }
    std::string pictureBytes() {
        TagPicture picture;
        bool found = false;
        EXPECT_TRUE(id3v2::readPicture(file, picture, found));
        return picture.bytes;
    }
};

TEST_F(Id3v2Test, FillsTheFieldsOfAFileWithoutAnId3v1Tag) {
    const std::string utf16 = std::string("\xFF\xFE\xDC\x00n\x00", 6); // "Ün", little-endian
    const std::pair<std::string, TagValues> cases[] = {
        {id3v2Tag(2,
                  {text("TT2", "Two"), text("TP1", "B"), text("TYE", "1998"), text("TCO", "(17)")}),
         {"Two", "B", "", "1998", "", 17}},
        {id3v2Tag(3, {text("TIT2", utf16, 1),
                      text("TYER", "1999"),
                      text("TCON", "17"),
                      {"COMM", std::string("\0engdesc\0x", 10)},
                      {"COMM", std::string("\0eng\0plain", 10)}}),
         {"\xC3\x9Cn", "", "", "1999", "plain", 17}},
        {id3v2Tag(4, {text("TIT2", "A title well beyond thirty characters", 3),
                      text("TALB", "Alb\xC3\xBCm", 3), text("TDRC", "2001-05-12"),
                      text("TCON", "rock")}),
         {"A title well beyond thirty characters", "", "Alb\xC3\xBCm", "2001", "", 17}},
        {id3v2Tag(3, {picture("\xFF\xE0\xFF"), text("TIT2", "Unsync"), text("TCON", "Nope")}, 0,
                  true),
         {"Unsync", "", "", "", "", 255}},
    };
    for (const auto& [tag, values] : cases) {
        writeFile(file, tag + kAudio);
        EXPECT_EQ(read(), values) << values.title;
    }
    // An ID3v1 tag is the file's tag, whatever the ID3v2 tag says.
    const TagValues v1{"One", "", "", "", "", 3};
    writeFile(file, id3v2Tag(4, {text("TIT2", "Two")}) + kAudio + id3v1::compose(v1));
    EXPECT_EQ(read(), v1);
}

TEST_F(Id3v2Test, SavingKeepsAudioOtherFramesAndVersionByteForByte) {
    const std::string lyrics("\0eng\0la la", 10);
    const std::pair<std::string, int> cases[] = {
        {id3v2Tag(3, {text("TIT2", "Old"), text("TPE1", "Band"), {"USLT", lyrics}}, 500), 3},
        {id3v2Tag(4, {text("TIT2", "Old", 3), text("TPE1", "Band")}, 500), 4},
        {id3v2Tag(3, {text("TPE1", "Band"), picture(std::string(100 << 10, '\xFF'))}), 3},
        {id3v2Tag(3, {text("TPE1", "Band"), picture("\xFF\xFF\x00\xFF")}, 0, true), 3},
        {id3v2Tag(2, {text("TT2", "Old"), text("TP1", "Band")}), 3},
    };
    const TagValues saved{
        "A n\xC3\xA9w title, longer than the thirty of ID3v1", "Band", "", "2020", "", 17};
    TagChanges changes{saved.title, {}, {}, saved.year, {}, saved.genre};
    const std::string block = id3v1::compose(saved);
    for (const auto& [tag, version] : cases) {
        for (const std::string& v1 : {std::string(), id3v1::compose({"Old", "", "", "", "", 1})}) {
            writeFile(file, tag + kAudio + v1);
            const std::string picture = pictureBytes();
            ASSERT_TRUE(writeTrackTag(file, block, changes));
            std::string after = readFile(file);
            EXPECT_EQ(audioOf(after), kAudio);
            EXPECT_EQ(after[3], version);
            EXPECT_EQ(after.substr(after.size() - 128), block);
            EXPECT_EQ(id3v2Fields(), saved);
            EXPECT_EQ(pictureBytes(), picture);

            ASSERT_TRUE(deleteTrackTag(file));
            after = readFile(file);
            EXPECT_EQ(audioOf(after), kAudio);
            EXPECT_EQ(after.substr(after.size() - 128), id3v1::blank());
            EXPECT_EQ(id3v2Fields(), TagValues{});
            EXPECT_EQ(pictureBytes(), picture);
        }
    }
    // A file without an ID3v2 tag gets none.
    writeFile(file, kAudio);
    ASSERT_TRUE(writeTrackTag(file, block, changes));
    EXPECT_EQ(readFile(file), kAudio + block);
    // Saved through a link, the file it names takes the tag and the link stays a link.
    writeFile(file, cases[0].first + kAudio);
    const auto link = dir / "link.mp3";
    std::filesystem::create_symlink(file, link);
    ASSERT_TRUE(writeTrackTag(link, block, changes));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(id3v2Fields(), saved);
}

TEST_F(Id3v2Test, AFailedSaveLeavesTheWholeFileAsItWas) {
    const std::string original = id3v2Tag(3, {text("TIT2", "Old")}, 100) + kAudio;
    writeFile(file, original);
    const TagChanges changes{"New", {}, {}, {}, {}, {}};
    const std::string block = id3v1::compose({"New", "", "", "", "", 1});
    // A full file system: the new copy cannot be written beyond this size.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = original.size() / 2;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeTrackTag(file, block, changes) || deleteTrackTag(file);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(written);
    EXPECT_EQ(readFile(file), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    // A read-only file, though its folder would take a replacement (root may write anyway).
    if (::geteuid() == 0) return;
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(writeTrackTag(file, block, changes));
    EXPECT_EQ(readFile(file), original);
}

TEST_F(Id3v2Test, HostileTagsAreReadPromptlyWithoutHarm) {
    // Sizes past the end of the file: the tag's (at 6) and its first frame's (at 14).
    auto pastEnd = [](std::string tag, std::size_t at) { return tag.replace(at, 4, 4, '\x7F'); };
    const std::string cases[] = {
        id3v2Tag(3, {text("TIT2", "Big"), picture(std::string(50 << 20, 'p'))}),
        pastEnd(id3v2Tag(3, {text("TIT2", "Liar")}), 6),
        pastEnd(id3v2Tag(4, {text("TIT2", "Cut"), text("TPE1", "x")}), 14),
        id3v2Tag(4, {text("TIT2", "Odd", 7)})};
    for (const std::string& tag : cases) {
        writeFile(file, tag + kAudio);
        const auto start = std::chrono::steady_clock::now();
        read();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    }
}

} // namespace
} // namespace vantrel
