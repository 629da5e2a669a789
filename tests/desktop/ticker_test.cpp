#include "desktop/ticker.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// 200 bytes of audio, then a tag block with these texts (NUL-padded, as many tools write).
std::string taggedFile(const std::string& title, const std::string& artist,
                       const std::string& album) {
    auto field = [](std::string text) {
        text.resize(30, '\0');
        return text;
    };
    std::string block = "TaG" + field(title) + field(artist) + field(album);
    block.resize(128, '\0');
    return std::string(200, 'x') + block;
}

struct TipCase {
    const char* name;
    std::string bytes;
    bool fileName, artist, album;
    std::string text;
};

TEST(Ticker, SetTipBuildsTheTextForEachMode) {
    const std::string none = " * < < < <";
    const TipCase cases[] = {
        {"untagged title mode", std::string(300, 'x'), false, false, false, none},
        {"untagged, artist and album", std::string(300, 'x'), false, true, true,
         none + none + none},
        {"file-name mode ignores the flags", taggedFile("T", "A", "B"), true, true, true,
         " * song.mp3"},
        {"title, artist, album", taggedFile("Sun ", "Band", "Disc"), false, true, true,
         " * Sun * Band * Disc"},
        {"empty artist shows the placeholder", taggedFile("Sun", "  ", "Disc"), false, true, false,
         " * Sun * < < < <"},
        // Letters "TAG" that are not the last 128 bytes are audio, not a tag.
        {"a marker off the block", std::string(100, 'x') + "TAG" + std::string(100, 'y'), false,
         false, false, none},
    };
    for (const TipCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        test::writeFile(dir / "song.mp3", c.bytes);
        Ticker ticker;
        ticker.settings().trayFileName = c.fileName;
        ticker.settings().trayArtist = c.artist;
        ticker.settings().trayAlbum = c.album;
        ticker.setTip((dir / "song.mp3").string());
        EXPECT_EQ(ticker.tickerText(), c.text);
    }
}

TEST(Ticker, AFileItCannotUseLeavesTheText) {
    test::TempDir dir;
    test::writeFile(dir / "short.mp3", std::string(128, 'x'));
    Ticker ticker;
    const std::string before = ticker.tickerText();
    for (const std::string& path : {(dir / "short.mp3").string(), (dir / "gone.mp3").string(),
                                    dir.path().string(), std::string()}) {
        ticker.setTip(path);
        EXPECT_EQ(ticker.tickerText(), before) << path;
    }
}

TEST(Ticker, ScrollWrapsAndJoinsTheStartBehindTheEnd) {
    test::TempDir dir;
    // " * ab\u00e9": six characters, the last two bytes long in UTF-8.
    test::writeFile(dir / "a.mp3", taggedFile("ab\xE9", "", ""));
    Ticker ticker;
    ticker.setTip((dir / "a.mp3").string());
    const std::vector<std::string> lines = {" * ab\u00e9 ", "* ab\u00e9 *", " ab\u00e9 * ",
                                            "ab\u00e9 * a", "b\u00e9 * ab", "\u00e9 * ab\u00e9",
                                            " * ab\u00e9 "};
    for (std::size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(ticker.tick(), lines[k]) << k;
        EXPECT_EQ(ticker.scrollPos(), static_cast<int>(k % 6) + 1);
    }
}

TEST(Ticker, FasterScrollsSoonerAndTheTooltipNamesTheStatusOrNoTrack) {
    EXPECT_LT(Ticker::intervalMs(10), Ticker::intervalMs(0));
    EXPECT_LT(Ticker::intervalMs(0), Ticker::intervalMs(-10));
    EXPECT_NE(Ticker::tooltip("Paused", "0:01", "3:00").find("0:01"), std::string::npos);
    EXPECT_EQ(Ticker::tooltip("", "0:01", "3:00").find("0:01"), std::string::npos);
}

} // namespace
} // namespace vantrel
