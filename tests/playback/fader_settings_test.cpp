// The fader settings dialog's arithmetic and what its OK stores.
#include "playback/fader_settings.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(FaderSettings, LimiterLabelShowsTheLimitInTenths) {
    struct Case {
        int bar;
        const char* text;
    };
    for (Case c : {Case{20, "8"}, Case{15, "8.5"}, Case{0, "10"}, Case{100, "0"}, Case{99, "0.1"}})
        EXPECT_EQ(FaderSettings::lblAutoVol(c.bar), c.text) << c.bar;
}

TEST(FaderSettings, FadeLeadIsTheTimeToFadeTheVolumeOut) {
    struct Case {
        int volume, speed;
        std::int32_t lead;
    };
    for (Case c : {Case{100, 60, 1200}, Case{0, 60, 0}, Case{33, 60, 396}, Case{7, 1, 1},
                   Case{8, 1, 2}, Case{100, 120, 2400}})
        EXPECT_EQ(FaderSettings::fadeLeadFor(c.volume, c.speed), c.lead)
            << c.volume << " x " << c.speed;
}

struct FaderSettingsOk : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    test::FakePlayer player;
    test::ManualTimer timer;
    PlaybackState state;
    Fader fader{player, timer, state};
    FaderSettings settings{fader, ini};

    void SetUp() override {
        ini.putIni("options", "vol", "100");
        fader.loadVolume(ini);
        fader.loadFadeSettings(ini);
    }
};

TEST_F(FaderSettingsOk, OpensWithTheFadersValues) {
    EXPECT_EQ(settings.fadeInBar(), 120);
    EXPECT_EQ(settings.fadeOutBar(), 60);
    EXPECT_EQ(settings.volMaxBar(), 10);
}

TEST_F(FaderSettingsOk, OkAppliesAndStores) {
    settings.ok(150, 60, 20);
    EXPECT_EQ(fader.fadeInSpeed(), 150);
    EXPECT_EQ(fader.fadeOutSpeed(), 60);
    EXPECT_EQ(fader.fadeLead(), 1200);
    EXPECT_EQ(fader.volLimit(), 80);
    EXPECT_TRUE(fader.limitArmed());
    EXPECT_EQ(ini.getIni("options", "vol_pause"), "80");
    EXPECT_EQ(ini.getIni("options", "prem_fade"), "1200");
    EXPECT_EQ(ini.getIni("options", "vol_in"), "150");
    EXPECT_EQ(ini.getIni("options", "vol_out"), "60");

    settings.ok(150, 60, 100);
    EXPECT_EQ(fader.volLimit(), 0);
    EXPECT_FALSE(fader.limitArmed()) << "a limit of 0 leaves the limiter unarmed";
}

TEST_F(FaderSettingsOk, StoredValuesComeBackAtTheNextStart) {
    settings.ok(40, 7, 0);
    Fader next(player, timer, state);
    next.loadVolume(ini);
    next.loadFadeSettings(ini);
    EXPECT_EQ(next.fadeInSpeed(), 40);
    EXPECT_EQ(next.fadeOutSpeed(), 7);
    EXPECT_EQ(next.volLimit(), 100);
    EXPECT_EQ(next.fadeLead(), 140);
}

} // namespace
} // namespace vantrel
