#include "storage/shared_string_table.h"

SharedStringTable::Outcome SharedStringTable::read(XmlScanner& xml, RowSink& sink)
{
    QString current;
    bool tooLong = false;
    bool inText = false;
    int phoneticDepth = 0; // inside a phonetic guide (rPh), which is not shown
    for (;;) {
        switch (xml.next()) {
        case XmlScanner::Token::StartElement:
            if (xml.nameIs("si")) {
                current.clear();
                tooLong = false;
            } else if (xml.nameIs("t")) {
                inText = true;
            } else if (xml.nameIs("rPh")) {
                ++phoneticDepth;
            }
            break;
        case XmlScanner::Token::EndElement:
            if (xml.nameIs("si")) {
                // Its characters as UTF-16, where it ends and whether it is kept.
                if (!sink.keep(2 * current.size() + 9))
                    return Outcome::Stopped;
                characters_ += current;
                ends_.push_back(static_cast<quint32>(characters_.size()));
                tooLong_.push_back(tooLong);
            } else if (xml.nameIs("t")) {
                inText = false;
            } else if (xml.nameIs("rPh")) {
                --phoneticDepth;
            }
            break;
        case XmlScanner::Token::Text:
            if (inText && phoneticDepth <= 0 && !tooLong) {
                current += xml.text();
                if (current.size() > sink.maxLineCharacters()) {
                    tooLong = true;
                    current.clear();
                }
            }
            break;
        case XmlScanner::Token::End:
            // Held while the worksheet is read: no room to spare.
            characters_.squeeze();
            ends_.shrink_to_fit();
            return Outcome::Read;
        case XmlScanner::Token::Error:
            return Outcome::Damaged;
        }
    }
}

QStringView SharedStringTable::at(qsizetype index) const
{
    const qsizetype begin = index > 0 ? qsizetype(ends_[static_cast<size_t>(index - 1)]) : 0;
    return QStringView(characters_)
        .sliced(begin, qsizetype(ends_[static_cast<size_t>(index)]) - begin);
}
