#include "platform/processes.h"
#include "playlist/playlist_reader.h"
#include "playlist/playlist_rig.h"
#include "playlist/playlist_writers.h"
#include "playlist/recent_lists.h"
#include <gtest/gtest.h>

#include <array>

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

TEST(PlaylistReader, EntriesOfPlaylistTexts) {
    using namespace std::literals;
    const std::pair<std::string_view, Strings> cases[] = {
        {"a.mp3\r\n/x/b.mp3\r\n", {"a.mp3", "/x/b.mp3"}},
        {"a.mp3,b.mp3\n", {"a.mp3", "b.mp3"}},
        {"\"/x/a, b.mp3\",c.mp3", {"/x/a, b.mp3", "c.mp3"}},
        {"   a.mp3,  b.mp3 ", {"a.mp3", "b.mp3 "}},
        {"\xEF\xBB\xBF"
         "a.mp3\n",
         {"a.mp3"}},
        // Another player's extended playlist: the comment lines go, commas and all.
        {"#EXTM3U\n#EXTINF:123,Artist, Title\na.mp3\n", {"a.mp3"}},
        {"a.mp3\n\n,\n  \nb.mp3", {"a.mp3", "b.mp3"}},
        {"\"unclosed, quote\nb.mp3", {"unclosed, quote", "b.mp3"}},
        // Hostile or foreign bytes: NULs, CR alone, UTF-16 with its byte-order mark.
        {"a.mp3\0x\na.mp3\0y,b\n"sv, {"a.mp3", "a.mp3"}},
        {"a.mp3\rb.mp3\r\rc.mp3", {"a.mp3", "b.mp3", "c.mp3"}},
        {"\xFF\xFE\xE9\0.\0\n\0\x3C\xD8\xB5\xDF"sv, {"\xC3\xA9.", "\xF0\x9F\x8E\xB5"}},
        {"\xFE\xFF\0a\0\r\0b"sv, {"a", "b"}},
    };
    for (const auto& [text, entries] : cases)
        EXPECT_EQ(playlistEntries(text), entries) << text;
    for (const char* name : {"a.m3u", "b.M3U8", "c.m4u"})
        EXPECT_TRUE(namesPlaylist(name)) << name;
    EXPECT_FALSE(namesPlaylist("d.m3u9"));
}

TEST(PlaylistReader, PathsOfEntries) {
    const std::array<const char*, 4> cases[] = {
        {"/lists", "a.mp3", "/lists/a.mp3", "a.mp3"},
        {"/lists", "sub/a.mp3", "/lists/sub/a.mp3", "sub/a.mp3"},
        {"/lists", " /x/b.mp3 ", "/x/b.mp3", "b.mp3"},
        {"/lists", " file:///x/a%20b%2C.mp3", "/x/a b,.mp3", "a b,.mp3"},
        // Another machine's file stays as written, for the missing-file box to name.
        {"/lists", "file://server/x/c.mp3", "file://server/x/c.mp3", "c.mp3"},
        {"", "a.mp3", "/a.mp3", "a.mp3"},
        // A path that only contains a colon is relative here.
        {"/lists", "c:/x.mp3", "/lists/c:/x.mp3", "c:/x.mp3"},
    };
    for (const auto& [folder, entry, path, fileName] : cases) {
        EXPECT_EQ(entryPath(folder, entry), path) << entry;
        EXPECT_EQ(entryFileName(entry), fileName) << entry;
    }
}

struct OpenPList : ::testing::Test {
    test::PlaylistRig rig;
};

// Relative and absolute entries are listed once each, however often the list opens; a No for
// each missing entry keeps the ones found.
TEST_F(OpenPList, FoundEntriesOnceEachAndANoForEveryMissingOne) {
    const std::string a = rig.track("lists/a.mp3"), b = rig.track("x/b.mp3");
    const std::string list =
        rig.playlist("lists/l.m3u", "a.mp3\r\ngone.mp3\r\n" + b + "\r\n/x/gone.mp3\r\n");
    rig.files.openPList(list);
    EXPECT_EQ(rig.dialogs.messages().size(), 2u);
    rig.files.openPList(list);
    EXPECT_EQ(rig.keys(), (Strings{a, b}));
}

TEST_F(OpenPList, MissingEntryCorrectedThenRetryFolderOfferedAgain) {
    const std::string b = rig.track("new/b.mp3"), c = rig.track("new/c.mp3");
    const std::string list = rig.playlist("l.m3u", "/old/b.mp3\n/old/c.mp3\n");
    rig.dialogs.answers = {Dialogs::Answer::Yes, Dialogs::Answer::Yes};
    rig.dialogs.inputs = {rig.folder + "/new", rig.folder + "/new"};
    rig.files.openPList(list);
    EXPECT_EQ(rig.keys(), (Strings{b, c}));
    ASSERT_EQ(rig.dialogs.shown.size(), 4u);
    EXPECT_EQ(rig.dialogs.shown[0].text.substr(0, 11), "/old/b.mp3\r");
    EXPECT_EQ(rig.dialogs.shown[1].initial, rig.folder + "/") << "first the playlist's folder";
    EXPECT_EQ(rig.dialogs.shown[3].initial, rig.folder + "/new/") << "then the typed one";
}

TEST_F(OpenPList, TrackWithACommaComesBackFromOurOwnM3u) {
    const std::string a = rig.track("a, b.mp3"), c = rig.track("x/c,d.mp3");
    rig.commands.GetListTag(a);
    rig.commands.GetListTag(c);
    const std::string list = rig.folder + "/l.m3u";
    ASSERT_TRUE(writeFileReplacing(list, writeM3u(rig.model, list)));
    rig.model.clearList();
    rig.files.openPList(list);
    EXPECT_EQ(rig.keys(), (Strings{a, c}));
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(OpenPList, MissingPlaylistLeavesTheRecentLists) {
    const std::string there = rig.playlist("l.m3u", "");
    rig.files.recentLists().mruAdd(rig.folder + "/gone.m3u");
    rig.files.recentLists().mruAdd(there);
    rig.files.openPList(rig.folder + "/gone.m3u");
    EXPECT_EQ(rig.files.recentLists().slot(1), there);
    EXPECT_EQ(rig.files.recentLists().slot(2), "");
    EXPECT_EQ(rig.ini.getIni("mru_list", "itm_2"), "");
}

TEST_F(OpenPList, MenuAddsAChosenPlaylistToRecentListsOrStartsANewPlayer) {
    struct Recorder : Processes {
        std::vector<std::vector<std::string>> started;
        bool startDetached(const std::string& program,
                           const std::vector<std::string>& arguments) override {
            started.push_back({program});
            started.back().insert(started.back().end(), arguments.begin(), arguments.end());
            return true;
        }
    } processes;
    rig.files.opener().setProcesses(&processes, "/app/vantrel");
    const std::string a = rig.track("a.mp3");
    const std::string list = rig.playlist("l.m3u", "a.mp3\n");
    rig.dialogs.inputs = {list, list, std::nullopt};
    rig.files.opener().mnuOpenPlay(1);
    EXPECT_EQ(rig.model.count(), 0);
    EXPECT_EQ(processes.started, (std::vector<Strings>{{"/app/vantrel", "/new", list}}));
    EXPECT_EQ(rig.files.recentLists().slot(1), "") << "a new player leaves the list alone";
    rig.files.opener().mnuOpenPlay(0);
    EXPECT_EQ(rig.keys(), (Strings{a}));
    EXPECT_EQ(rig.files.recentLists().slot(1), list);
    rig.files.opener().mnuOpenPlay(0); // cancelled
    EXPECT_EQ(processes.started.size(), 1u);
}

struct RecentListsTest : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    RecentLists recent{ini};

    void start(const std::string& stored) {
        test::writeFile(ini.file(), "[mru_list]\n" + stored);
        recent.load(ini);
    }
    // This run's slots, or what the settings file holds.
    Strings slots(bool stored = false) const {
        Strings out;
        for (int k = 1; k <= recent.mruMax(); ++k)
            out.push_back(stored ? ini.getIni("mru_list", "itm_" + std::to_string(k))
                                 : recent.slot(k));
        return out;
    }
};

TEST_F(RecentListsTest, AddAndRemoveSequences) {
    // Each step adds a path, or removes it when marked so.
    using Step = std::pair<char, const char*>;
    const std::tuple<const char*, std::vector<Step>, Strings> cases[] = {
        {"itm_1=A\nitm_2=B\nitm_3=C\n", {{'a', "D"}}, {"D", "A", "B"}},
        {"itm_1=A\nitm_2=B\nitm_3=C\n", {{'a', "B"}}, {"B", "A", "C"}},
        {"itm_1=A\nitm_2=B\nitm_3=C\n", {{'a', "A"}}, {"A", "B", "C"}},
        {"itm_1=A\nitm_2=B\n", {{'a', "C"}}, {"C", "A", "B"}},
        {"itm_1=A\nitm_2=B\n", {{'a', "C"}, {'r', "A"}}, {"C", "B", ""}},
        {"itm_1=A\nitm_2=B\n", {{'a', "C"}, {'r', "A"}, {'a', "E"}}, {"E", "C", "B"}},
        {"itm_1=A\nitm_2=B\n", {{'a', "a"}}, {"a", "A", "B"}},
        {"itm_1=A\nitm_2=B\n", {{'r', "Z"}}, {"A", "B", ""}},
    };
    for (const auto& [stored, steps, after] : cases) {
        start(std::string("mru_max=3\n") + stored);
        for (const auto& [op, path] : steps)
            op == 'a' ? recent.mruAdd(path) : recent.mruRemove(path);
        EXPECT_EQ(slots(), after) << stored << steps.back().second;
        EXPECT_EQ(slots(true), after) << stored << steps.back().second;
    }
}

TEST_F(RecentListsTest, SlotCountClampedAndPreset) {
    const std::pair<const char*, int> cases[] = {
        {"", 7}, {"mru_max=x\n", 7}, {"mru_max=0\n", 1}, {"mru_max=12\n", 9}, {"mru_max= 4\n", 4}};
    for (const auto& [text, count] : cases) {
        start(text);
        EXPECT_EQ(recent.mruMax(), count) << text;
    }
}

TEST_F(RecentListsTest, ClearEmptiesTheStoreButNotThisRun) {
    start("mru_max=3\nitm_1=A\nitm_2=B\n");
    recent.clear();
    EXPECT_EQ(slots(true), (Strings{"", "", ""}));
    EXPECT_EQ(slots(), (Strings{"A", "B", ""}));
    recent.mruAdd("C"); // the still-listed paths are written back
    EXPECT_EQ(slots(true), (Strings{"C", "A", "B"}));
}

using test::lines;

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

// A field a spreadsheet would run (the first three) is written as text behind a '.
TEST_F(Writers, CsvFieldsThatASpreadsheetWouldRunAreMadeText) {
    const Strings titles = {"=cmd|' /C calc'!A0", "+SUM(1+1)", "@A1", "-5", "a=b"};
    for (std::size_t i = 0; i < titles.size(); ++i)
        rig.commands.GetListTag(rig.track(std::to_string(i) + ".mp3", titles[i]));
    const Strings csv = lines(writeCsv(rig.model, {1, 2, 0}));
    for (std::size_t i = 0; i < titles.size(); ++i)
        EXPECT_NE(csv.at(i + 1).find(std::string(i < 3 ? ",'" : ",") + titles[i] + ","),
                  std::string::npos)
            << csv.at(i + 1);
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
    const std::string link = "<td><a href=\"../music/b%20c.mp3\">"; // from the page's folder
    EXPECT_NE(std::find_if(page.begin(), page.end(),
                           [&](const std::string& l) { return l.starts_with(link); }),
              page.end());
    EXPECT_EQ(std::count(page.begin(), page.end(), "<td>128 Kbit</td>"), 0);
}

// So is an export onto a track of the list, which would lose the track.
TEST_F(Writers, FailedWriteLeavesNoFileAndIsReported) {
    const std::string a = rig.track("a.mp3"), audio = test::readFile(a);
    rig.commands.GetListTag(a);
    const std::string target = rig.folder + "/nofolder/l.m3u";
    rig.dialogs.inputs = {target, a};
    EXPECT_TRUE(rig.files.saver().cmdPLtype(PlaylistSaver::M3u, {0, 1, 2}));
    EXPECT_TRUE(rig.files.saver().cmdPLtype(PlaylistSaver::Csv, {0, 1, 2}));
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(test::readFile(a), audio);
    EXPECT_EQ(rig.dialogs.messages().size(), 2u);
}

} // namespace
} // namespace vantrel
