#pragma once

#include <QByteArray>
#include <QString>

class DesktopEnvironment;

// What the desktop launcher starts and shows.
struct DesktopLauncher
{
    QString program;  // absolute path of the file to start
    QString folder;   // its working folder
    QString iconPath; // absolute path of the icon; empty for none
};

namespace desktop_entry {

// The file name of the launcher inside the desktop folder.
inline constexpr char kLauncherFileName[] = "Tombolex.desktop";

// One argument of an Exec line, quoted so that blanks, quotes, "$", "`", "\"
// and "%" reach the program unchanged, and escaped as a string value.
QString quotedExecArgument(const QString& argument);

// A value of type string: backslashes and control characters escaped.
QString escapedString(const QString& value);

// The Exec value that starts the program with no arguments; a path holding
// "%" is started through /bin/sh, the only form GLib accepts for it.
QString execLine(const QString& program);

// The UTF-8 text of the launcher's Desktop Entry file.
QByteArray launcherText(const DesktopLauncher& launcher);

// The launcher for the program at executablePath, started in the working
// folder the launcher is written from: the folder whose settings,
// participants and results it then opens. The icon lies beside the program.
DesktopLauncher launcherFor(const QString& executablePath, const QString& workingFolder);

// The desktop folder as reported by the system, or empty when there is none
// to write to: no report, a relative path, the root, or the home folder itself
// (user-dirs.dirs names $HOME for a desktop the user switched off).
QString usableDesktopFolder(const QString& reported, const QString& homeFolder);

} // namespace desktop_entry

// Writes the program's launcher onto the user's desktop, replacing one of the
// same name. Every failure is silent; with no desktop folder nothing is written.
void writeDesktopLauncher(const DesktopEnvironment& environment);
