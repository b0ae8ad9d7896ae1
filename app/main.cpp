#include "app/startup_single_copy.h"
#include "platform/qt/real_services.h"
#include "ui/guard/handler_guard.h"
#include "ui/main_window/cou.h"
#include "ui/settings_window/seti.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The title names the program in the taskbar and the error boxes; it is
    // not set as the display name, which Qt would append to every caption.
    QApplication::setApplicationName(QLatin1String(kApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.prizmora.Prizmora"));
    application.setQuitOnLastWindowClosed(false);
    installChineseUserInterface(application);
    installRealServices();
    SingleCopyPerFolder singleCopy;
    if (!singleCopy.runsHere())
        return singleCopy.handOver();

    TForm1 mainWindow;
    TForm2 settingsWindow(&mainWindow);
    mainWindow.setSettingsWindow(&settingsWindow);
    singleCopy.setMainWindow(&mainWindow);
    mainWindow.show();
    return application.exec();
}
