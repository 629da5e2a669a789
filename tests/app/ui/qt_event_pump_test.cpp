#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/ui/qt_event_pump.h"
#include "engine/mp3_engine.h"
#include "support/lame_fixture.h"
#include "support/temp_dir.h"

namespace vantrel::test {
namespace {

// Notes on which thread each event arrived and ends the loop at ThreadEnded.
class ThreadCheckingListener : public Mp3PlayListener {
public:
    int events = 0;
    int offThread = 0;
    bool ended = false;
    void ActFrame(std::int32_t) override { note(); }
    void ThreadEnded() override {
        note();
        ended = true;
        QCoreApplication::quit();
    }
    void Failure(std::int32_t, const std::string&) override { note(); }

private:
    void note() {
        ++events;
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++offThread;
    }
};

struct QtEventPumpTest : testing::Test {
    TempDir dir;
    Mp3Engine engine;
    ThreadCheckingListener listener;
};

TEST_F(QtEventPumpTest, DeliversEveryEventOnTheUiThread) {
    writeSineMp3(dir / "in.mp3", {.seconds = 10});
    engine.setListener(&listener);
    QtEventPump pump(engine);
    ASSERT_EQ(engine.OpenStream(dir / "in.mp3", dir / "out.wav"), 0);
    engine.StartPlay();
    QTimer::singleShot(60000, qApp, &QCoreApplication::quit); // a hang guard only
    QCoreApplication::exec();

    EXPECT_TRUE(listener.ended);
    EXPECT_GE(listener.events, 2); // at least the first frame report and the end
    EXPECT_EQ(listener.offThread, 0);
}

TEST_F(QtEventPumpTest, EventsLeftWaitingAfterThePumpIsGoneAreNotDelivered) {
    writeSineMp3(dir / "in.mp3", SineMp3{});
    engine.setListener(&listener);
    {
        QtEventPump pump(engine);
        ASSERT_EQ(engine.OpenStream(dir / "in.mp3", dir / "out.wav"), 0);
        engine.StartPlay();
        engine.waitForEvents(std::chrono::seconds(30));
    } // the queued drain, if already posted, must not touch the destroyed pump
    QCoreApplication::processEvents();
    EXPECT_EQ(listener.events, 0);
}

} // namespace
} // namespace vantrel::test
