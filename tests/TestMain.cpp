#include "base/Thread.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Window tests run without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InstallMainThreadDispatcher();
    const int result = RUN_ALL_TESTS();
    RemoveMainThreadDispatcher();
    return result;
}
