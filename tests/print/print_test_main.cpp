#include <QGuiApplication>
#include <gtest/gtest.h>

// The printed plan needs the toolkit's fonts and painting, not widgets nor a display: Qt Gui on
// the offscreen platform unless told otherwise (test discovery runs this binary too).
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
