// Window tests share one application object, made before the first test and ended after the
// last, so Qt tears down in its own order.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
