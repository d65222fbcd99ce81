// The window tests need a QApplication; Qt's offscreen platform lets them
// run without a display.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // each test closes its own window
    return RUN_ALL_TESTS();
}
