#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// The import page's list as its field holds it: one line per block, or lines
// joined by line separators (U+2028) in a block, as a long list goes in.
namespace import_text {

// Deletes every empty line together with the break that ends it, in place
// and as one undo step: runs of breaks shrink to one, breaks at the start go,
// a single break at the end stays, and a line of blanks is not empty. Only the
// empty lines are touched, so a long list with few of them is cleaned at once.
void removeEmptyLines(QTextDocument& document);

// The participant file's bytes for the field's plain text (lines separated by
// '\n'): GBK, a character it cannot hold written as "?", every break written
// as CR LF, no break added or removed.
QByteArray participantFileBytes(const QString& fieldText);

} // namespace import_text
