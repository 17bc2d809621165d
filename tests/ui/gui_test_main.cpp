#include <QApplication>
#include <gtest/gtest.h>

// GUI tests draw on Qt's offscreen platform unless told otherwise, so that they need no display
// (test discovery runs this binary too).
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
