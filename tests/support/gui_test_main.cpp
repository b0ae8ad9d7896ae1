#include "platform/qt/real_services.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// Linked only into widget test programs (see tests/CMakeLists.txt).
int prizmoraGuiTestMain(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    installChineseUserInterface(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
