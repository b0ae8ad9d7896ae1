#include "platform/qt/real_services.h"

#include "platform/desktop_environment.h"
#include "platform/qt/cjk_fonts.h"
#include "platform/qt/desktop_launcher.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/wav_sound_player.h"
#include "platform/services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

namespace {

class XdgDesktopEnvironment : public DesktopEnvironment
{
  public:
    // Qt answers the home folder (or "/" with no home) when it knows no
    // desktop; that is no place for a launcher.
    QString desktopFolder() const override
    {
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty())
            return QString();
        return desktop_entry::usableDesktopFolder(
            QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), home);
    }
    QString executablePath() const override { return QCoreApplication::applicationFilePath(); }
};

} // namespace

void installRealServices()
{
    static QtMessageBoxes boxes;
    static QtFileDialogs dialogs;
    static WavSoundPlayer sound;
    static XdgDesktopEnvironment desktop;
    Services& current = services();
    current.boxes = &boxes;
    current.dialogs = &dialogs;
    current.sound = &sound;
    current.desktop = &desktop;
}

void installChineseUserInterface(QApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    installCjkFontSubstitutions();
}
