// Other programs read what the playlist exports write: mpg123 plays our .m3u, Python's
// html.parser reads our web page.
#include "playlist/playlist_writers.h"

#include "playlist_rig.h"
#include "support/cli_runner.h"
#include "support/lame_fixture.h"

#include <fstream>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

struct Peers : ::testing::Test {
    test::PlaylistRig rig;
    Peers() { rig.showFields({2, 0, 10}); }
    std::string mp3(const std::string& name, const std::string& title) {
        const std::string path = rig.track(name, title);
        test::writeSineMp3(path, {.seconds = 0.2});
        std::ofstream(path, std::ios::app) << id3v1::compose({title, "", "", "", "", 17});
        rig.commands.GetListTag(path);
        return path;
    }
};

TEST_F(Peers, Mpg123PlaysEveryEntryOfOurM3u) {
    mp3("lists/in here.mp3", "A");
    mp3("elsewhere/b.mp3", "B");
    const std::string list = rig.folder + "/lists/l.m3u";
    ASSERT_TRUE(writeFileReplacing(list, writeM3u(rig.model, list)));
    const auto run = test::runProgram(rig.dir.path(), "mpg123", {"-t", "-q", "--list", list});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("ailed"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("annot"), std::string::npos) << run.err;
}

TEST_F(Peers, PythonHtmlParserFindsOneRowPerTrackAndScriptAsText) {
    mp3("a.mp3", "<script>alert(1)</script>");
    mp3("b.mp3", "B & \xC3\xA9");
    const std::string file = rig.folder + "/p.html";
    ASSERT_TRUE(
        writeFileReplacing(file, writeHtml(rig.model, {0, 1, 2}, file, "<b>T</b>", "today")));
    const auto run = test::runProgram(rig.dir.path(), "python3",
                                      {"-c",
                                       "import html.parser, sys\n"
                                       "class P(html.parser.HTMLParser):\n"
                                       "    rows, tags, cells, cell = 0, [], [], None\n"
                                       "    def handle_starttag(self, tag, attrs):\n"
                                       "        self.tags.append(tag)\n"
                                       "        if tag == 'tr': self.rows += 1\n"
                                       "        if tag == 'td': self.cell = ''\n"
                                       "    def handle_endtag(self, tag):\n"
                                       "        if tag == 'td': self.cells.append(self.cell)\n"
                                       "    def handle_data(self, data):\n"
                                       "        if self.cell is not None: self.cell += data\n"
                                       "p = P(convert_charrefs=True)\n"
                                       "text = open(sys.argv[1], encoding='ascii').read()\n"
                                       "p.feed(text)\n"
                                       "print(p.rows - 1)\n"
                                       "print('script' in p.tags, 'b' in p.tags)\n"
                                       "for c in p.cells: print(c)\n",
                                       file});
    ASSERT_EQ(run.status, 0) << run.err;
    const Strings out = test::lines(run.out, "\n");
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out[0], "2") << run.out;
    EXPECT_EQ(out[1], "False False");
    EXPECT_NE(std::find(out.begin(), out.end(), "<script>alert(1)</script>"), out.end());
    EXPECT_NE(std::find(out.begin(), out.end(), "B & \xC3\xA9"), out.end());
}

} // namespace
} // namespace vantrel
