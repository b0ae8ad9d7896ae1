#pragma once

#include "qt_printers.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// Reads Desktop Entry files by the rules desktops apply, to check what the
// program writes from the reader's side.
namespace desktop_entry_reader {

// The keys of one group with their raw values; empty when the group is missing.
QMap<QString, QString> group(const QByteArray& text,
                             const QString& name = QStringLiteral("Desktop Entry"));

// A value of type string with \s, \n, \t, \r and \\ undone.
QString unescapedString(const QString& raw);

// The arguments of an Exec value (already unescaped as a string): quoting
// undone and "%%" read as "%". Empty when the value is malformed: an open
// quote, a reserved character outside quotes, "`" or "$" unescaped inside
// them, an unknown escape, or a field code anywhere.
std::optional<QStringList> execArguments(const QString& exec);

} // namespace desktop_entry_reader
