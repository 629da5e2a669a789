#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <optional>

#include "engine_harness.h"
#include "support/lame_fixture.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"

// Without a server the output falls back to ALSA, whose library keeps its configuration for
// the life of the process. Held loaded here, so the leak checker can name it and let it be.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libasound.so\n";
}

namespace vantrel::test {
namespace {

[[maybe_unused]] void* const keepAlsaLoaded = dlopen("libasound.so.2", RTLD_NOW | RTLD_NODELETE);

// Points the sound library at a server that is not there, for one test.
class NoSoundServer : public testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("PULSE_SERVER")) saved_ = old;
        setenv("PULSE_SERVER", ("unix:" + (dir / "no-server").string()).c_str(), 1);
    }
    void TearDown() override {
        saved_ ? setenv("PULSE_SERVER", saved_->c_str(), 1) : unsetenv("PULSE_SERVER");
    }
    TempDir dir;
    std::optional<std::string> saved_;
};

TEST_F(NoSoundServer, HasNoDevicesAndSaysSoWhenPlayedToButStillWritesWaveFiles) {
    Mp3Engine engine;
    EXPECT_EQ(engine.DeviceCount(), 0);
    EXPECT_NE(engine.SelectDevice(0), 0);
    EXPECT_EQ(engine.DeviceName(0), "");
    EXPECT_EQ(engine.DeviceFormats(0), 0);

    writeSineMp3(dir / "in.mp3", SineMp3{});
    EventRecorder events;
    // Probing needs no device, so the open works; the device is only wanted to play.
    ASSERT_EQ(engine.OpenStream(dir / "in.mp3", ""), 0);
    engine.StartPlay();
    ASSERT_TRUE(pumpUntilEnded(engine, events));
    ASSERT_EQ(events.failures.size(), 1u);
    EXPECT_NE(events.failures[0].second.find("sound device"), std::string::npos);
    EXPECT_EQ(events.order.back(), "ThreadEnded");

    ASSERT_EQ(engine.OpenStream(dir / "in.mp3", dir / "out.wav"), 0);
    engine.StartPlay();
    ASSERT_TRUE(pumpUntilEnded(engine, events));
    EXPECT_TRUE(WaveFile::read(dir / "out.wav").valid);
}

} // namespace
} // namespace vantrel::test
