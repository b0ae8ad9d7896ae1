#pragma once

#include <QByteArray>
#include <QString>

// The import page's text as a multi-line field holds it: lines separated by
// '\n'. Both steps are single passes, so a pasted list of a hundred thousand
// lines is cleaned and written at once.
namespace import_text {

// Deletes every empty line together with the break that ends it: runs of
// breaks shrink to one, breaks at the start go, a single break at the end
// stays, and a line of blanks is not empty.
QString withoutEmptyLines(const QString& fieldText);

// The participant file's bytes: GBK (a character it cannot hold becomes "?"),
// every break written as CR LF, no break added or removed.
QByteArray participantFileBytes(const QString& fieldText);

} // namespace import_text
