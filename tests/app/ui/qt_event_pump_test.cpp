#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/ui/qt_event_pump.h"
#include "engine/engine_harness.h"
#include "engine/mp3_engine.h"
#include "support/lame_fixture.h"
#include "support/temp_dir.h"

namespace vantrel::test {
namespace {

// Notes on which thread each event arrived and ends the loop at ThreadEnded.
struct ThreadCheckingListener : EventRecorder {
    int offThread = 0;
    void ActFrame(std::int32_t frame) override {
        note();
        EventRecorder::ActFrame(frame);
    }
    void Failure(std::int32_t code, const std::string& text) override {
        note();
        EventRecorder::Failure(code, text);
    }
    void ThreadEnded() override {
        note();
        EventRecorder::ThreadEnded();
        QCoreApplication::quit();
    }
    void note() { offThread += QThread::currentThread() != QCoreApplication::instance()->thread(); }
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

    EXPECT_EQ(listener.ended, 1);
    EXPECT_GE(listener.order.size(), 2u); // at least the first frame report and the end
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
    EXPECT_TRUE(listener.order.empty());
}

} // namespace
} // namespace vantrel::test
