#include "playlist/playlist_writers.h"

#include "playlist_rig.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

Strings lines(const std::string& text) {
    Strings out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos) break;
        out.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

struct Writers : ::testing::Test {
    test::PlaylistRig rig;
    // File name, title, bit rate.
    Writers() { rig.showFields({0, 2, 10}); }
};

TEST_F(Writers, EmptyListInAllThreeFormats) {
    EXPECT_EQ(writeM3u(rig.model, rig.folder + "/l.m3u"), "");
    EXPECT_EQ(lines(writeCsv(rig.model, {0, 1, 2})).size(), 1u);
    const Strings page = lines(writeHtml(rig.model, {0, 1, 2}, "/p.html", "T", "D"));
    EXPECT_EQ(page.front().substr(0, 9), "<!DOCTYPE");
    EXPECT_EQ(std::count(page.begin(), page.end(), "<tr>"), 1) << "the header row only";
    EXPECT_EQ(page.back(), "</html>");
}

TEST_F(Writers, M3uNamesTracksBesideItByName) {
    const std::string a = rig.track("lists/a.mp3"), b = rig.track("x/b.mp3");
    rig.files.openPList(rig.playlist("lists/in.m3u", "a.mp3\n" + b));
    std::filesystem::remove(rig.folder + "/lists/in.m3u");
    const std::string gone = rig.track("lists/gone.mp3");
    rig.commands.GetListTag(gone);
    std::filesystem::remove(gone);
    EXPECT_EQ(lines(writeM3u(rig.model, rig.folder + "/lists/new.m3u")),
              (Strings{"a.mp3", b, gone}));
    EXPECT_EQ(lines(writeM3u(rig.model, rig.folder + "/LISTS/new.m3u")), (Strings{a, b, gone}))
        << "another folder on this system, whatever its letters";
}

TEST_F(Writers, CsvHeaderCarriesTheSortMarkAndFieldsAreQuotedOnlyWhenNeeded) {
    rig.track("a.mp3", "Plain");
    rig.track("b,c.mp3", "Say \"hi\", then go");
    rig.commands.GetListTag(rig.folder + "/a.mp3");
    rig.commands.GetListTag(rig.folder + "/b,c.mp3");
    rig.model.headerClick(2, 96);
    const Strings csv = lines(writeCsv(rig.model, {1, 2, 0}));
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0].find(','), 14u);
    EXPECT_TRUE(csv[0].find("A>Z") != std::string::npos || csv[0].find("A<Z") != std::string::npos);
    EXPECT_EQ(csv[0].find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
    const std::string quoted =
        "\"" + rig.folder + "/b,c.mp3\",\"Say \"\"hi\"\", then go\", 128 Kbit,\"b,c.mp3\"";
    const std::string plain = rig.folder + "/a.mp3,Plain, 128 Kbit,a.mp3";
    EXPECT_EQ(Strings(csv.begin() + 1, csv.end()), (Strings{quoted, plain}))
        << "the bit rate keeps its leading blank";
}

// How the cells are escaped, a peer parser checks.
TEST_F(Writers, HtmlTrimsSubItemsLinksAndEscapes) {
    const std::string a = rig.track("pages/a.mp3", "<script>x</script> & \xC3\xA9");
    const std::string b = rig.track("music/b c.mp3", "B");
    rig.commands.GetListTag(a);
    rig.commands.GetListTag(b);
    const Strings page = lines(writeHtml(rig.model, {2, 1, 0}, rig.folder + "/pages/p.html",
                                         "Mine & \"yours\"", "2026-01-02"));
    EXPECT_NE(std::find(page.begin(), page.end(), "<h1>Mine &amp; &quot;yours&quot;</h1>"),
              page.end());
    EXPECT_NE(std::find(page.begin(), page.end(), R"(<meta name="Date" content="2026-01-02">)"),
              page.end());
    EXPECT_NE(std::find(page.begin(), page.end(), R"(<td><a href="a.mp3"> 128 Kbit</a></td>)"),
              page.end())
        << "the first column unchanged, linked by bare name beside the page";
    const std::string link = "<td><a href=\"" + rig.folder.substr(1) + "/music/b%20c.mp3\">";
    EXPECT_NE(std::find_if(page.begin(), page.end(),
                           [&](const std::string& l) { return l.starts_with(link); }),
              page.end());
    EXPECT_EQ(std::count(page.begin(), page.end(), "<td>128 Kbit</td>"), 0);
}

TEST_F(Writers, FailedWriteLeavesNoFileAndIsReported) {
    rig.track("a.mp3");
    rig.commands.GetListTag(rig.folder + "/a.mp3");
    const std::string target = rig.folder + "/nofolder/l.m3u";
    rig.dialogs.inputs = {target};
    EXPECT_TRUE(rig.files.saver().cmdPLtype(PlaylistSaver::M3u, {0, 1, 2}));
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(rig.dialogs.messages().size(), 1u);
}

} // namespace
} // namespace vantrel
