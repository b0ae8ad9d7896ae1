#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QStringView>

class QTextDocument;

// What tells whether the import field still holds the list a file gave it:
// a hash of its plain text, block by block.
namespace import_field_fingerprint {

QByteArray of(const QTextDocument& document);

// The same for the field a list's lines will make, worked out as they go
// in rather than by reading a million blocks back: the lines each followed
// by '\n', in pieces. Unknown (empty) when a line holds a character the
// field starts a block at besides '\n'.
class OfLines
{
  public:
    void add(QStringView lines);
    QByteArray result();

  private:
    QCryptographicHash hash_{QCryptographicHash::Sha1};
    bool unknown_ = false;
};

} // namespace import_field_fingerprint
