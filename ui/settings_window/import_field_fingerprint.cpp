#include "ui/settings_window/import_field_fingerprint.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace import_field_fingerprint {

namespace {

void addText(QCryptographicHash& hash, QStringView text)
{
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(text.data()),
                                text.size() * qsizetype(sizeof(QChar))));
}

constexpr QChar kBreak = u'\n';

} // namespace

QByteArray of(const QTextDocument& document)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // As the field's plain text has them: a long list's lines share blocks.
        addText(hash, block.text().replace(QChar::LineSeparator, kBreak));
        addText(hash, QStringView(&kBreak, 1));
    }
    return hash.result();
}

void OfLines::add(QStringView lines)
{
    // Besides '\n' (and '\r', which no line holds) a text field starts a
    // block at these, or breaks a line there.
    unknown_ = unknown_ || std::any_of(lines.begin(), lines.end(), [](QChar c) {
                   return c == QChar::ParagraphSeparator || c == QChar::LineSeparator ||
                          c == QChar(0xFDD0) || c == QChar(0xFDD1);
               });
    addText(hash_, lines);
}

QByteArray OfLines::result()
{
    if (unknown_)
        return {};
    // The empty block after the last break.
    addText(hash_, QStringView(&kBreak, 1));
    return hash_.result();
}

} // namespace import_field_fingerprint
