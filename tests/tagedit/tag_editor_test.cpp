#include "app/core_rig.h"
#include "metadata/genre_table.h"
#include "platform/drives.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"
#include "tagedit/editor_settings.h"
#include "tagedit/file_renamer.h"
#include "tagedit/folder_browser.h"
#include "tagedit/folder_walk.h"
#include "tagedit/tag_edit.h"
#include "tagedit/tag_editor.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

struct TagEditorTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = start();
    TagEditor& editor = core->tagEditor();

    TagValues tagOf(const std::string& path) {
        TagRead read;
        EXPECT_TRUE(id3v1::readTag(path, read));
        return read.values;
    }
    Strings rowKeys() { return CoreRig::rowKeys(*core); }
};

TEST_F(TagEditorTest, CarriesFieldsListsAndGenreFromTrackToTrack) {
    // A track, its tag, then the fields shown (artist, title, album, comment, year) and genre.
    const std::tuple<std::string, std::optional<TagValues>, std::array<std::string, 5>, int>
        steps[] = {
            {"a.mp3",
             TagValues{"One", "Band", "A", "1999", "", 17},
             {"Band", "One", "A", "", "1999"},
             17},
            // An empty album keeps the previous track's; letter case makes a new list entry.
            {"b.mp3",
             TagValues{"Two", "band", "", "", "c", 3},
             {"band", "Two", "A", "c", "1999"},
             3},
            // Untagged: the file's name as title, the rest emptied, the genre kept.
            {"song.mp3", std::nullopt, {"", "song.mp3", "", "", ""}, 3},
        };
    for (const auto& [name, tag, fields, genre] : steps) {
        ASSERT_TRUE(editor.GetIDTag(trackWith(name, tag)));
        EXPECT_EQ(editor.fields(), fields) << name;
        EXPECT_EQ(editor.tagGenre(), genre) << name;
    }
    EXPECT_EQ(editor.dropList(TagEditor::Artist), (Strings{"Band", "band"}));
    EXPECT_EQ(editor.dropList(TagEditor::Title), (Strings{"One", "Two"}));

    // Saving the untagged file unchanged writes its name as the title.
    editor.cmdSave();
    EXPECT_EQ(tagOf(folder + "song.mp3").title, "song.mp3");
    EXPECT_EQ(rowKeys(), Strings{folder + "song.mp3"});

    // Delete, then Cancel: the fields are emptied, the file is not touched.
    ASSERT_TRUE(editor.GetIDTag(folder + "a.mp3"));
    const std::string before = test::readFile(folder + "a.mp3");
    dialogs.answers.push_back(Dialogs::Answer::Cancel);
    editor.cmdDel();
    EXPECT_EQ(editor.fields(), (std::array<std::string, 5>{}));
    EXPECT_EQ(test::readFile(folder + "a.mp3"), before);
}

TEST_F(TagEditorTest, EditSelectedSavesEachRowInTurnAndPassesOverAFileThatHasGone) {
    const std::string a = trackWith("a.mp3", TagValues{"One", "", "Album A", "", "", 1});
    const std::string gone = trackWith("gone.mp3", TagValues{"Gone", "", "", "", "", 1});
    const std::string b = trackWith("b.mp3", TagValues{"Two", "", "", "", "", 1});
    const std::string c = trackWith("c.mp3", TagValues{"Three", "", "", "", "", 1});
    for (const std::string& f : {a, gone, b, c})
        ASSERT_TRUE(core->commands().GetListTag(f));
    for (const std::string& f : {a, gone, b})
        core->playlist().setSelected(core->playlist().indexOf(f), true);
    std::filesystem::remove(gone);
    Strings shown;
    editor.setShower([&] {
        shown.push_back(editor.tagFile());
        editor.cmdSave();
    });
    core->commands().editSelected();

    EXPECT_EQ(shown, (Strings{a, b}));
    EXPECT_EQ(tagOf(b).album, "Album A") << "the album carried over from the first track";
    EXPECT_EQ(rowKeys().size(), 4u) << "saved rows are listed again, the gone one kept";
}

TEST_F(TagEditorTest, AFailedSaveIsReportedAndLeavesTheRowAsItWas) {
    const std::string a = trackWith("a.mp3", TagValues{"One", "", "", "", "", 1});
    ASSERT_TRUE(core->commands().GetListTag(a));
    ASSERT_TRUE(editor.GetIDTag(a));
    std::filesystem::remove(a); // removed while the dialog was open
    dialogs.shown.clear();
    editor.cmdSave();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_NE(dialogs.messages()[0].find(a), std::string::npos) << "the message names the file";
    EXPECT_EQ(rowKeys(), Strings{a});
    EXPECT_FALSE(std::filesystem::exists(a)) << "nothing was written in its place";
}

// A listed track's genre carries over to an untagged file: the box shows what a save writes.
TEST_F(TagEditorTest, TheGenreBoxShowsTheGenreASaveWrites) {
    ASSERT_TRUE(core->commands().GetListTag(trackWith("a.mp3", TagValues{"", "", "", "", "", 8})));
    const std::string untagged = trackWith("b.mp3", std::nullopt);
    ASSERT_TRUE(editor.GetIDTag(untagged));
    editor.cmdSave();
    EXPECT_EQ(editor.genreText(), genres::name(tagOf(untagged).genre));
}

// Saving, or a delete even when cancelled, closes the playing track's stream; it plays on from
// where it was, or shows stopped.
TEST_F(TagEditorTest, APlayingTrackPlaysOnAfterASaveOrDeleteOrShowsStopped) {
    dialogs.answers.push_back(Dialogs::Answer::Cancel); // the delete's question
    for (const bool reopens : {true, false}) {
        const std::string a = trackWith(reopens ? "a.mp3" : "b.mp3", std::nullopt);
        player1.files[a] = player2.files[a];
        ASSERT_TRUE(core->commands().GetListTag(a));
        core->setFileIn(a);
        core->pressPlay();
        player1.raiseActFrame(40);
        ASSERT_TRUE(editor.GetIDTag(a));
        if (!reopens) player1.files.erase(a);
        player1.calls.clear();
        reopens ? editor.cmdDel() : editor.cmdSave();
        EXPECT_EQ(player1.callsTo("CloseStream").size(), 1u);
        EXPECT_EQ(core->transport().status(), reopens ? PlayStatus::Playing : PlayStatus::Stopped);
        EXPECT_EQ(core->transport().playEnabled(), !reopens);
        EXPECT_EQ(player1.callsTo("SeekFrame"), reopens ? Strings{"SeekFrame 40"} : Strings{});
        core->transport().stop();
    }
}

TEST_F(TagEditorTest, RemembersTypedTextsForTheNextRun) {
    ASSERT_TRUE(editor.GetIDTag(trackWith("a.mp3", std::nullopt)));
    editor.chooseSortedGenre(0);
    const int chosen = editor.tagGenre();
    ASSERT_FALSE(editor.standardGenreShown()) << "a fresh start shows the alphabetical list";
    editor.cmdSortGenre();
    // Each button writes the texts at once: a run that is killed keeps them.
    for (const bool closes : {true, false}) {
        const std::string year = closes ? "2024" : "1990";
        editor.setField(TagEditor::Year, year);
        closes ? editor.cmdDone() : editor.cmdSave();
        EditorSettings written;
        written.load(ini);
        EXPECT_EQ(written.tagFields[TagEditor::Year], year);
        EXPECT_EQ(written.rememberedGenre, chosen);
    }
    core->unload();
    auto next = start();
    EXPECT_EQ(next->tagEditor().genreText(), genres::name(chosen));
    EXPECT_TRUE(next->tagEditor().standardGenreShown());
}

using tagedit::NameTemplate;

TEST(FileRenamer, TemplatesJoinTrimmedFieldsAndNeverMakeAFolderPath) {
    // Artist, Title and Album checked; the template they make and the name it proposes.
    const std::tuple<std::array<bool, 3>, std::optional<NameTemplate>, std::string> cases[] = {
        {{false, true, false}, NameTemplate::Title, "Yester day.mp3"},
        {{true, true, false}, NameTemplate::TitleArtist, "Yester day - AC-DC.mp3"},
        {{true, true, true}, NameTemplate::TitleArtistAlbum, "Yester day - AC-DC - Help.mp3"},
        {{false, true, true}, std::nullopt, ""},
        {{true, false, true}, std::nullopt, ""},
        {{false, false, false}, std::nullopt, ""},
    };
    for (const auto& [checked, use, name] : cases) {
        EXPECT_EQ(tagedit::templateFor(checked), use);
        if (!use) continue;
        EXPECT_EQ(
            tagedit::proposeName(*use, "  Yester day  ", "AC/DC", std::string("Help\0\0pad", 9)),
            name);
    }
}

struct RenameTest : TagEditorTest {
    std::string track = trackWith("old.mp3", TagValues{"New", "", "", "", "", 1});

    void SetUp() override {
        player2.files[folder + "New.mp3"] = player2.files[folder + "sub/New.mp3"] =
            player2.files[track];
        ASSERT_TRUE(core->commands().GetListTag(track));
        ASSERT_TRUE(editor.GetIDTag(track));
        dialogs.answers.push_back(Dialogs::Answer::Ok); // the "File Re-Naming" note
        editor.chkFileAsClick(TagEditor::UseTitle, true);
    }
};

TEST_F(RenameTest, EnablingRulesAndTheProposalFollowTheClicks) {
    editor.setField(TagEditor::Artist, "Band");
    const std::tuple<int, bool, std::array<bool, 3>, std::string> clicks[] = {
        {TagEditor::UseArtist, true, {true, true, true}, "New - Band.mp3"},
        {TagEditor::UseAlbum, true, {true, true, true}, "New - Band - .mp3"},
        {TagEditor::UseTitle, false, {false, true, false}, "New - Band - .mp3"},
        {TagEditor::UseTitle, true, {true, true, false}, "New - Band - .mp3"},
        {TagEditor::UseArtist, false, {true, true, false}, "New - Band - .mp3"},
        {TagEditor::UseArtist, true, {true, true, true}, "New - Band - .mp3"},
        {TagEditor::UseAlbum, false, {true, true, true}, "New - Band.mp3"},
    };
    for (const auto& [element, on, enabled, proposal] : clicks) {
        editor.chkFileAsClick(element, on);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(editor.checkEnabled(i), enabled[i]) << element << on << i;
        EXPECT_EQ(editor.proposalEnabled(), editor.checked(TagEditor::UseTitle));
        EXPECT_NE(editor.fileNameEnabled(), editor.proposalEnabled());
        EXPECT_EQ(editor.proposal(), proposal);
    }
}

// An answer in the way of another file, into a missing folder or too long is refused; a
// cancel saves under the old name. Either way the file keeps its name and its row.
TEST_F(RenameTest, TheTypedNameIsTakenOnlyWhenNothingIsInTheWay) {
    const std::string existing = folder + "New.mp3";
    test::writeFile(existing, "someone else's file");
    const std::optional<std::string> answers[] = {"New.mp3", "missing/New.mp3",
                                                  std::string(300, 'n') + ".mp3", std::nullopt};
    for (const std::optional<std::string>& answer : answers) {
        SCOPED_TRACE(answer.value_or("cancelled"));
        dialogs.shown.clear();
        dialogs.inputs.push_back(answer);
        ASSERT_TRUE(editor.GetIDTag(track));
        editor.setField(TagEditor::Title, "Saved");
        editor.cmdSave();
        EXPECT_TRUE(std::filesystem::exists(track));
        EXPECT_EQ(test::readFile(existing), "someone else's file");
        EXPECT_TRUE(core->playlist().contains(track));
        EXPECT_EQ(dialogs.messages().size(), answer ? 1u : 0u);
    }
    EXPECT_EQ(tagOf(track).title, "Saved");
    std::filesystem::create_directory(folder + "sub");
    dialogs.inputs.push_back("sub/New.mp3");
    ASSERT_TRUE(editor.GetIDTag(track));
    editor.cmdSave();
    EXPECT_FALSE(std::filesystem::exists(track));
    EXPECT_TRUE(core->playlist().contains(folder + "sub/New.mp3"));
}

// vantrel-cli's search and rename, run as a user would.
namespace fs = std::filesystem;
using test::CliOutcome;

struct CliFilesTest : ::testing::Test, test::CoreRig {
    CliOutcome cli(const std::vector<std::string>& args) {
        return test::runProgram(dir.path(), VANTREL_CLI, args);
    }
};

TEST_F(CliFilesTest, RenameUsesTheTemplatesAndRefusesToReplace) {
    const std::string a = trackWith("a.mp3", TagValues{"AC/DC live", "Band", "Best", "", "", 1});
    const std::string b = trackWith("b.mp3", TagValues{"Taken", "", "", "", "", 1});
    test::writeFile(folder + "Taken.mp3", "keep me");

    CliOutcome dry = cli({"rename", "--use", "title-artist-album", "--dry-run", "a.mp3"});
    EXPECT_EQ(dry.out, a + "\t" + folder + "AC-DC live - Band - Best.mp3\n");
    EXPECT_TRUE(fs::exists(a));

    CliOutcome r = cli({"rename", "--use", "title", a, b});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(fs::exists(folder + "AC-DC live.mp3"));
    EXPECT_TRUE(fs::exists(b));
    EXPECT_EQ(test::readFile(folder + "Taken.mp3"), "keep me");
    EXPECT_EQ(cli({"rename", "--use", "artist", b}).status, 2);
}

// Search prints what the walk finds (its order is the folder browser's test). Scripts get
// every name whole: one a line with a line break escaped, or NUL-ended.
TEST_F(CliFilesTest, SearchAndRenameGiveOddNamesToScriptsWhole) {
    const std::string odd = trackWith("A/x\ny.mp3", TagValues{"T", "", "", "", "", 1});
    EXPECT_EQ(cli({"search", "--pattern", "*.WAV", folder + "A"}).out,
              trackWith("A/C/z.wav", std::nullopt) + "\n");
    EXPECT_EQ(cli({"search", folder + "nothing"}).status, 1);
    const CliOutcome lines = cli({"search", folder + "A"});
    EXPECT_EQ(lines.status, 0) << lines.err;
    EXPECT_EQ(std::count(lines.out.begin(), lines.out.end(), '\n'), 1) << lines.out;
    EXPECT_EQ(cli({"search", "--null", folder + "A"}).out, odd + '\0');
    EXPECT_EQ(cli({"rename", "--use", "title", "--dry-run", "--null", odd}).out,
              odd + '\0' + folder + "A/T.mp3" + '\0');
}

// A name that would hide the file or break a line is never taken; a dry run refuses what the
// real run refuses, two files taking one name included.
TEST_F(CliFilesTest, RenameNeverHidesAFileAndADryRunRefusesWhatTheRunWould) {
    const std::string titles[] = {"", ".", "...", "Same", "Same", "a\nb"};
    std::vector<std::string> args = {"rename", "--use", "title", "--dry-run"};
    for (int i = 0; i < 6; ++i)
        args.push_back(
            trackWith("r/" + std::to_string(i) + ".mp3", TagValues{titles[i], "", "", "", "", 1}));
    const CliOutcome dry = cli(args);
    args.erase(args.begin() + 3);
    for (const CliOutcome& r : {dry, cli(args)}) {
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 4) << r.err;
    }
    EXPECT_EQ(std::count(dry.out.begin(), dry.out.end(), '\n'), 2) << dry.out;
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder + "r"))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left,
              (std::set<std::string>{"0.mp3", "1.mp3", "2.mp3", "4.mp3", "Same.mp3", "a b.mp3"}));
}

struct FixedDrives : Drives {
    Strings drives;
    Strings list() override { return drives; }
};

struct FolderSearchTest : TagEditorTest {
    FixedDrives drives;
    FolderBrowser browser{drives, dialogs, core->playlist(), core->commands()};

    std::string file(const std::string& relative) { return trackWith(relative, std::nullopt); }
};

TEST_F(FolderSearchTest, WalksDepthFirstSkippingDotFoldersLinksAndNeverOpeningAPipe) {
    const std::string a1 = file("A/a1.mp3"), b = file("A/B/b.mp3"), bb = file("A/B/B2/bb.MP3"),
                      c = file("A/C/c.mp3");
    file("A/.hidden/h.mp3");
    file("A/note.txt");
    fs::create_directory_symlink(folder + "A", folder + "A/C/loop");
    const std::string fifo = folder + "A/x.mp3";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);

    Strings found;
    ASSERT_TRUE(tagedit::walkFolder(folder + "A", "*.mp3", [&](const std::string& p) {
        found.push_back(p);
        return true;
    }));
    ASSERT_EQ(found.size(), 5u);
    // A's own matches first, then each subfolder's whole tree.
    const Strings own(found.begin(), found.begin() + 2);
    EXPECT_TRUE(own == (Strings{a1, fifo}) || own == (Strings{fifo, a1})) << own[0];
    const Strings rest(found.begin() + 2, found.end());
    EXPECT_TRUE(rest == (Strings{b, bb, c}) || rest == (Strings{c, b, bb})) << rest[0];

    // Selecting every result adds the files; the pipe is passed over, not read.
    browser.openFolder(folder + "A");
    browser.cmdSearchAll();
    EXPECT_EQ(browser.results(), found);
    browser.cmdSelAll();
    EXPECT_EQ(rowKeys(), (Strings{bb, b, c, a1}));
}

TEST_F(FolderSearchTest, SelectionInTheFileListIsMirroredInThePlaylist) {
    const std::string a = file("a.mp3"), b = file("b.mp3"), c = file("c.mp3");
    ASSERT_TRUE(browser.openFolder(folder));
    ASSERT_EQ(browser.files(), (Strings{"a.mp3", "b.mp3", "c.mp3"}));
    const std::tuple<int, std::vector<bool>, Strings> clicks[] = {
        {0, {true, false, false}, {a}},
        {1, {true, true, true}, {a, b, c}}, // a shift-click adds a range
        {2, {false, false, true}, {c}},     // a plain click keeps only its own
        {0, {true, false, true}, {a, c}},   // ctrl-click adds
        {2, {true, false, false}, {a}},     // ctrl-click on a selected one removes it alone
    };
    for (const auto& [clicked, selected, rows] : clicks) {
        browser.listClick(clicked, selected);
        EXPECT_EQ(rowKeys(), rows) << clicked;
    }
    browser.cmdSelAll();
    EXPECT_EQ(rowKeys(), (Strings{a, b, c}));
}

TEST_F(FolderSearchTest, PatternsFromTheOptionsAndTheBox) {
    file("a.mp3");
    file("b.wav");
    file("c.ogg");
    ASSERT_TRUE(browser.openFolder(folder));
    browser.setExtText(" wav ");
    browser.optionClick(0);
    EXPECT_EQ(browser.files(), Strings{"b.wav"});
    EXPECT_EQ(browser.searchPattern(), "*.wav");
    browser.setExtText("*.ogg");
    browser.extLeave();
    EXPECT_EQ(browser.files(), Strings{"c.ogg"});
    EXPECT_EQ(browser.searchPattern(), "*.wav") << "searches keep the option's pattern";
    browser.optionClick(1);
    EXPECT_EQ(browser.files(), Strings{"a.mp3"});
}

TEST_F(FolderSearchTest, ASecondPressStopsTheSearch) {
    for (int i = 0; i < 50; ++i)
        file("F" + std::to_string(i) + "/x.mp3");
    ASSERT_TRUE(browser.openFolder(folder));
    int pumps = 0;
    browser.setEventPump([&] {
        if (++pumps == 1) browser.cmdSearchAll();
    });
    browser.cmdSearchAll();
    EXPECT_FALSE(browser.searching());
    EXPECT_LT(browser.results().size(), 50u);
    EXPECT_GE(pumps, 1);
}

TEST_F(FolderSearchTest, ADriveThatCannotBeOpenedIsReportedAndTheSecondIsChosen) {
    drives.drives = {folder + "no-medium", folder};
    browser.load(folder);
    browser.chooseDrive(0);
    EXPECT_EQ(dialogs.shown.back().icon, Dialogs::Icon::Critical);
    EXPECT_EQ(browser.drive(), 1);
    EXPECT_EQ(browser.folder(), folder);
}

TEST(MountedDrives, RealFileSystemsRootFirstThenInPathOrder) {
    const std::string mounts = "proc /proc proc rw 0 0\n"
                               "/dev/sdb1 /mnt/My\\040Music ext4 rw 0 0\n"
                               "tmpfs /run tmpfs rw 0 0\n"
                               "/dev/sda2 /home ext4 rw 0 0\n"
                               "overlay / overlay rw 0 0\n"
                               "/dev/sda2 /home ext4 rw 0 0\n";
    EXPECT_EQ(MountedDrives::parseMounts(mounts), (Strings{"/", "/home", "/mnt/My Music"}));
}

TEST(TagEdit, ParsesFieldOptionsAndRefusesWhatWouldWriteNothingOrGuess) {
    const std::pair<Strings, bool> cases[] = {
        {{"--title", "T", "--album=A", "--genre", "rock", "--", "--a.mp3", "b.mp3"}, true},
        {{"--genre", "255", "a.mp3"}, true},
        {{"--genre", "256", "a.mp3"}, false},
        {{"--genre", "Polkadot", "a.mp3"}, false},
        {{"--colour", "red", "a.mp3"}, false},
        {{"--title"}, false},
        {{"--title", "x"}, false}, // no file
        {{"a.mp3"}, false},        // no field: nothing to write
    };
    for (const auto& [args, ok] : cases) {
        TagChanges changes;
        std::vector<std::string> files;
        Result r = tagedit::parseFieldArgs(args, changes, files);
        EXPECT_EQ(r.isOk(), ok) << args[0] << ": " << r.error();
    }
    TagChanges changes;
    std::vector<std::string> files;
    ASSERT_TRUE(tagedit::parseFieldArgs(cases[0].first, changes, files));
    EXPECT_EQ(files, (std::vector<std::string>{"--a.mp3", "b.mp3"}));
    TagValues values{"old", "keep", "old", "1999", "keep", 3};
    changes.applyTo(values);
    EXPECT_EQ(values, (TagValues{"T", "keep", "A", "1999", "keep", 17}));
}

TEST(TagEdit, AnUntaggedFileStartsFromNothing) {
    TagRead untagged;
    untagged.state = TagState::Untagged;
    untagged.values.title = "ignored";
    TagChanges changes;
    changes.artist = "A";
    EXPECT_EQ(id3v1::takeFields(tagedit::composeEdited(untagged, changes)),
              (TagValues{"", "A", "", "", "", 255}));
}

} // namespace
} // namespace vantrel
