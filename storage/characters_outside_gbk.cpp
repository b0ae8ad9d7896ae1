#include "storage/characters_outside_gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringView>

namespace {

class GbkRoundTrip
{
  public:
    bool holds(QStringView text)
    {
        const QString back = decoder_.decode(QByteArray(encoder_.encode(text)));
        return back == text;
    }

  private:
    QStringEncoder encoder_{"GBK", QStringConverter::Flag::Stateless};
    QStringDecoder decoder_{"GBK", QStringConverter::Flag::Stateless};
};

bool isAscii(QStringView line)
{
    for (const QChar character : line)
        if (character.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

CharactersOutsideGbk findCharactersOutsideGbk(const QString& text, int linesToShow)
{
    CharactersOutsideGbk found;
    GbkRoundTrip gbk;
    qsizetype start = 0;
    for (int lineNumber = 1; start <= text.size(); ++lineNumber) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(start, end - start);
        start = end + 1;
        if (isAscii(line) || gbk.holds(line))
            continue;
        int inLine = 0;
        for (qsizetype at = 0; at < line.size();) {
            // A character beyond the basic plane is a surrogate pair, one character.
            const qsizetype width =
                line[at].isHighSurrogate() && at + 1 < line.size() && line[at + 1].isLowSurrogate()
                    ? 2
                    : 1;
            if (!gbk.holds(line.mid(at, width)))
                ++inLine;
            at += width;
        }
        if (inLine == 0)
            continue;
        found.count += inLine;
        ++found.lineCount;
        if (found.firstLines.size() < linesToShow)
            found.firstLines << QStringLiteral("第 %1 行：%2").arg(lineNumber).arg(line);
    }
    return found;
}
