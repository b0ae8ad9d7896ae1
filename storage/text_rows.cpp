#include "storage/text_rows.h"

void TextRowParser::endLine()
{
    if (!sink_.addRow(line_.split(u'\t'), lineNumber_))
        stopped_ = true;
    line_.clear();
    ++lineNumber_;
}

bool TextRowParser::feed(QStringView text)
{
    const qsizetype size = text.size();
    qsizetype at = 0;
    while (at < size && !stopped_) {
        if (afterCarriageReturn_) {
            afterCarriageReturn_ = false;
            if (text[at] == u'\n') {
                ++at;
                continue;
            }
        }
        qsizetype end = at;
        while (end < size && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        if (line_.size() + (end - at) > sink_.maxLineCharacters()) {
            sink_.rowTooLong(lineNumber_);
            stopped_ = true;
            break;
        }
        line_ += text.sliced(at, end - at);
        if (end == size)
            break;
        afterCarriageReturn_ = text[end] == u'\r';
        endLine();
        at = end + 1;
    }
    return !stopped_;
}

bool TextRowParser::finish()
{
    if (!stopped_)
        endLine();
    return !stopped_;
}
