#pragma once

#include <QByteArray>
#include <QString>

// The column titles of the participant list, in a file of their own beside
// it: the title row of the file the list was read from (姓名, 部门, 工号 ...),
// GBK, its cells joined by tabs, one line ended by CR LF. It names the
// columns of the winners export. Only a list read from a file whose title
// row was left out has one; saving any other list removes it, since its
// columns are unknown.
namespace column_titles_file {

inline constexpr char kFileName[] = "rafflixcolumns.txt";

// The title line, GBK, tabs between the titles; empty when there is no such
// file or it cannot be read.
QByteArray read(const QString& path);

// Writes the line through the checked atomic write; 0, or the system's
// error number (system_reason.h).
int write(const QString& path, const QByteArray& titleLine);
// Removes the file; 0 when none is left, else the system's error number.
// Anything but a regular file in its place is left alone, and read() takes
// nothing from it.
int remove(const QString& path);

} // namespace column_titles_file
