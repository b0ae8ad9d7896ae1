#include "platform/qt/real_services.h"

#include "platform/desktop_environment.h"
#include "platform/qt/cjk_fonts.h"
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
    QString desktopFolder() const override
    {
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
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
