#include "desktop_entry_reader.h"

namespace desktop_entry_reader {

QMap<QString, QString> group(const QByteArray& text, const QString& name)
{
    QMap<QString, QString> keys;
    bool inGroup = false;
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1Char('[') + name + QLatin1Char(']');
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inGroup && equals > 0)
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}

QString unescapedString(const QString& raw)
{
    QString value;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) != QLatin1Char('\\') || i + 1 == raw.size()) {
            value += raw.at(i);
            continue;
        }
        const QChar next = raw.at(++i);
        if (next == QLatin1Char('s'))
            value += QLatin1Char(' ');
        else if (next == QLatin1Char('n'))
            value += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            value += QLatin1Char('\t');
        else if (next == QLatin1Char('r'))
            value += QLatin1Char('\r');
        else if (next == QLatin1Char('\\'))
            value += QLatin1Char('\\');
        else
            value += QLatin1Char('\\') + QString(next);
    }
    return value;
}

std::optional<QStringList> execArguments(const QString& exec)
{
    const QString reservedOutsideQuotes = QStringLiteral("\t\n\"'\\><~|&;$*?#()`");
    const QString escapableInQuotes = QStringLiteral("\"`$\\");
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool inQuotes = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar ch = exec.at(i);
        if (ch == QLatin1Char('%')) {
            if (i + 1 == exec.size() || exec.at(i + 1) != QLatin1Char('%'))
                return std::nullopt;
            current += QLatin1Char('%');
            inArgument = true;
            ++i;
        } else if (inQuotes) {
            if (ch == QLatin1Char('"')) {
                inQuotes = false;
            } else if (ch == QLatin1Char('\\')) {
                if (i + 1 == exec.size() || !escapableInQuotes.contains(exec.at(i + 1)))
                    return std::nullopt;
                current += exec.at(++i);
            } else if (ch == QLatin1Char('`') || ch == QLatin1Char('$')) {
                return std::nullopt; // a shell would expand them
            } else {
                current += ch;
            }
        } else if (ch == QLatin1Char(' ')) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else if (ch == QLatin1Char('"')) {
            inQuotes = true;
            inArgument = true;
        } else if (reservedOutsideQuotes.contains(ch)) {
            return std::nullopt;
        } else {
            current += ch;
            inArgument = true;
        }
    }
    if (inQuotes)
        return std::nullopt;
    if (inArgument)
        arguments << current;
    return arguments;
}

} // namespace desktop_entry_reader
