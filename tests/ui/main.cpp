#include <QApplication>

#include <gtest/gtest.h>

// The window's tests give the offscreen platform a screen the window fits on.
#ifndef VELMORA_OFFSCREEN
#define VELMORA_OFFSCREEN "offscreen"
#endif

// The window tests need a QApplication; listing the tests (as CTest's discovery does) does not.
int main(int argc, char *argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", VELMORA_OFFSCREEN);
    QApplication app(argc, argv);
    // Several tests close the window; the test program itself must go on.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
