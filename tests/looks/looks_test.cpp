#include "looks/looks.h"
#include "looks/window_shape.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// A rounded window is taller than its square form, for the edge around it, and its region
// stays inside the window.
TEST(WindowShape, RoundedFormsKeepRoomForTheirEdge) {
    for (WindowKind kind : {WindowKind::MainLarge, WindowKind::MainSmall, WindowKind::TagEditor}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const WindowShape rounded = windowShape(kind, true), square = windowShape(kind, false);
        EXPECT_GT(rounded.height, square.height);
        EXPECT_GT(rounded.ellipse, 0);
        EXPECT_EQ(square.ellipse, 0);
        const RoundedRegion r = roundedRegion(640, rounded.height, rounded.ellipse);
        EXPECT_TRUE(r.left > 0 && r.right < 640 && r.top > 0 && r.bottom < rounded.height);
    }
}

// Records what the windows are told, in order.
struct RecordingTarget : LooksTarget {
    std::vector<std::string> calls;
    bool pictureLoads = true;
    bool loadPicture(const std::string& file) override {
        calls.push_back("load " + file.substr(file.find("Back/")));
        return pictureLoads;
    }
    void showPicture(bool shown) override { calls.push_back(shown ? "show" : "hide"); }
    void setTopmost(bool on) override { calls.push_back(on ? "top" : "untop"); }
    void setEdge(std::uint32_t colour, bool hidden) override {
        calls.push_back("edge " + std::to_string(colour) + (hidden ? " hidden" : ""));
    }
    void setFrames(std::uint32_t colour) override {
        calls.push_back("frames " + std::to_string(colour));
    }
};

struct LooksRig {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    test::ScriptedDialogs dialogs;
    RecordingTarget target;
    Looks looks;
    explicit LooksRig(bool useRound = false)
        : looks(ini, dialogs, dir.path().string() + "/", useRound) {
        std::filesystem::create_directories(dir / "Back");
        test::writeFile(dir / "Back/sky.jpg", "picture");
    }
};

TEST(Looks, LoadAppliesColoursEdgePictureAndOnTop) {
    const std::string white = std::to_string(Looks::kTextColour);
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {"edge " + white, "frames " + white}},
        {"[looks]\r\nedg_col=255\r\nfrm_col=65280\r\nedg_hide=1\r\nback_img=sky.jpg\r\n"
         "[options]\r\non_top=1\r\n",
         {"edge 255 hidden", "frames 65280", "load Back/sky.jpg", "show", "top"}},
        // "na", an empty name and a missing file load nothing, silently.
        {"[looks]\r\nback_img=na\r\n", {"edge " + white, "frames " + white}},
        {"[looks]\r\nback_img=\r\n", {"edge " + white, "frames " + white}},
        {"[looks]\r\nback_img=gone.jpg\r\n", {"edge " + white, "frames " + white}},
    };
    for (const auto& [text, calls] : cases) {
        SCOPED_TRACE(text);
        LooksRig rig;
        test::writeFile(rig.dir / "vantrel.ini", text);
        rig.looks.load(rig.ini);
        rig.looks.apply(rig.target);
        EXPECT_EQ(rig.target.calls, calls);
        EXPECT_TRUE(rig.dialogs.shown.empty());
    }
}

TEST(Looks, OkAppliesAndStoresInOrderAndTellsWhatWaitsForNextStart) {
    LooksRig rig(false);
    Looks::Options o = rig.looks.openOptions();
    o.round = true;
    o.onTop = true;
    o.noEdge = true;
    o.imageName = "sky.jpg ";
    o.edge = 255;
    o.frame = 16711680;
    rig.looks.ok(o, rig.target);
    EXPECT_EQ(rig.target.calls, (std::vector<std::string>{"load Back/sky.jpg ", "show", "top",
                                                          "edge 255 hidden", "frames 16711680"}));
    ASSERT_EQ(rig.dialogs.messages().size(), 1u);
    EXPECT_NE(rig.dialogs.messages()[0].find("\"Round Forms\""), std::string::npos);
    EXPECT_FALSE(rig.looks.useRound()); // the windows stay square this run
    std::string stored;
    for (const char* key : {"back_img", "edg_col", "edg_hide", "frm_col"})
        stored += rig.ini.getIni("looks", key) + " ";
    EXPECT_EQ(stored + rig.ini.getIni("options", "round") + rig.ini.getIni("options", "on_top"),
              "sky.jpg 255 1 16711680 11");

    // Reopening in the same run takes the stored choice, for the next layout switch.
    bool told = false;
    auto c = rig.looks.useRoundChanged.connect([&](bool on) { told = on; });
    rig.looks.openOptions();
    EXPECT_TRUE(rig.looks.useRound());
    EXPECT_TRUE(told);
}

TEST(Looks, APictureThatDoesNotLoadKeepsTheOldOneAndSaysSo) {
    LooksRig rig;
    test::writeFile(rig.dir / "vantrel.ini", "[looks]\r\nback_img=old.jpg\r\n");
    Looks::Options o = rig.looks.openOptions();
    o.imageName = "broken.emf";
    rig.target.pictureLoads = false;
    rig.looks.ok(o, rig.target);
    EXPECT_EQ(rig.ini.getIni("looks", "back_img"), "old.jpg");
    EXPECT_EQ(rig.dialogs.messages().size(), 1u);
    EXPECT_EQ(std::count(rig.target.calls.begin(), rig.target.calls.end(), "show"), 0);

    // "No Image" hides the picture and stores "na"; clearing rounded on a rounded run warns.
    LooksRig rounded(true);
    test::writeFile(rounded.dir / "vantrel.ini", "[options]\r\nround=1\r\n");
    Looks::Options none = rounded.looks.openOptions();
    none.noImage = true;
    none.round = false;
    rounded.looks.ok(none, rounded.target);
    EXPECT_EQ(rounded.target.calls.front(), "hide");
    EXPECT_EQ(rounded.ini.getIni("looks", "back_img"), "na");
    ASSERT_EQ(rounded.dialogs.messages().size(), 1u);
    EXPECT_NE(rounded.dialogs.messages()[0].find("\"Square Forms\""), std::string::npos);
}

TEST(Looks, BrowseKeepsOnlyTheFileName) {
    LooksRig rig;
    Looks::Options o;
    rig.dialogs.inputs = {std::string("/elsewhere/pics/dawn.gif"), std::nullopt};
    rig.looks.browse(o);
    EXPECT_EQ(o.imageName, "dawn.gif");
    rig.looks.browse(o); // cancelled
    EXPECT_EQ(o.imageName, "dawn.gif");
}

} // namespace
} // namespace vantrel
