#include "platform/qt/desktop_launcher.h"

#include "base/atomic_file.h"
#include "platform/desktop_environment.h"

#include <QDir>
#include <QFileInfo>

namespace desktop_entry {

namespace {

const char kContactNote[] = "Prizmora 抽奖 · 联系 Prizmora event team: prizmora@example.org";
const char kIconName[] = "org.prizmora.Prizmora.png";

// Where the icon lies beside an installed copy (bin/../share) or beside the
// program in the build folder (build/share).
QString iconBeside(const QString& programFolder)
{
    const QString themePath =
        QStringLiteral("share/icons/hicolor/256x256/apps/") + QLatin1String(kIconName);
    for (const QString& base : {programFolder + QStringLiteral("/.."), programFolder}) {
        const QFileInfo icon(base + QLatin1Char('/') + themePath);
        if (icon.isFile())
            return QDir::cleanPath(icon.absoluteFilePath());
    }
    return QString();
}

bool hasAnyWriteBit(const QFileInfo& info)
{
    return info.permissions() &
           (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther);
}

} // namespace

QString escapedString(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar ch = value.at(i);
        if (ch == QLatin1Char('\\'))
            escaped += QLatin1String("\\\\");
        else if (ch == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (ch == QLatin1Char('\t'))
            escaped += QLatin1String("\\t");
        else if (ch == QLatin1Char('\r'))
            escaped += QLatin1String("\\r");
        else if (ch == QLatin1Char(' ') && (i == 0 || i + 1 == value.size()))
            escaped += QLatin1String("\\s"); // readers drop blanks at either end
        else
            escaped += ch;
    }
    return escaped;
}

QString quotedExecArgument(const QString& argument)
{
    // Quoting rule first, then the field-code rule, then the string escapes:
    // readers undo them in the opposite order.
    QString quoted = QStringLiteral("\"");
    for (const QChar ch : argument) {
        if (ch == QLatin1Char('"') || ch == QLatin1Char('`') || ch == QLatin1Char('$') ||
            ch == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += ch;
    }
    quoted += QLatin1Char('"');
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    return escapedString(quoted);
}

QString execLine(const QString& program)
{
    if (!program.contains(QLatin1Char('%')))
        return quotedExecArgument(program);
    // GLib looks the first word of Exec up before it turns "%%" back into
    // "%", finds no such program and refuses the whole launcher; the shell
    // starts the program from an argument that GLib does decode.
    return QStringLiteral("/bin/sh -c ") + quotedExecArgument(QStringLiteral("exec \"$0\"")) +
           QLatin1Char(' ') + quotedExecArgument(program);
}

QByteArray launcherText(const DesktopLauncher& launcher)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Tombolex\n");
    text += QStringLiteral("Comment=") + QString::fromUtf8(kContactNote) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + execLine(launcher.program) + QLatin1Char('\n');
    text += QStringLiteral("Path=") + escapedString(launcher.folder) + QLatin1Char('\n');
    if (!launcher.iconPath.isEmpty())
        text += QStringLiteral("Icon=") + escapedString(launcher.iconPath) + QLatin1Char('\n');
    return text.toUtf8();
}

DesktopLauncher launcherFor(const QString& executablePath, const QString& workingFolder)
{
    const QFileInfo executable(executablePath);
    DesktopLauncher launcher;
    launcher.program = executable.absoluteFilePath();
    launcher.folder = QDir(workingFolder).absolutePath();
    launcher.iconPath = iconBeside(executable.absolutePath());
    return launcher;
}

QString usableDesktopFolder(const QString& reported, const QString& homeFolder)
{
    if (reported.isEmpty() || QDir::isRelativePath(reported))
        return QString();
    const QString folder = QDir::cleanPath(reported);
    if (folder == QDir::rootPath())
        return QString();
    if (!homeFolder.isEmpty() && folder == QDir::cleanPath(homeFolder))
        return QString();
    return folder;
}

} // namespace desktop_entry

void writeDesktopLauncher(const DesktopEnvironment& environment)
{
    const QString folder = environment.desktopFolder();
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        return;
    const QFileInfo folderInfo(folder);
    // A folder without any write permission counts as read-only even for
    // root, who could write into it regardless.
    if (!folderInfo.isDir() || !desktop_entry::hasAnyWriteBit(folderInfo))
        return;
    const QString path =
        folder + QLatin1Char('/') + QLatin1String(desktop_entry::kLauncherFileName);
    const QFileInfo existing(path);
    if (existing.isDir() || (existing.exists() && !desktop_entry::hasAnyWriteBit(existing)))
        return;

    const QByteArray text = desktop_entry::launcherText(
        desktop_entry::launcherFor(environment.executablePath(), QDir::currentPath()));
    // Executable as it appears, so desktops offer to launch it at once.
    AtomicWriteOptions executable;
    executable.mode = 0755;
    writeFileAtomically(path, text, executable);
}
