#include "storage/settings_file.h"

#include "base/app_error.h"
#include "base/atomic_file.h"
#include "base/regular_file.h"
#include "base/working_files.h"

#include <QDir>
#include <optional>
#include <vector>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimBlanks(const QByteArray& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct FileLines
{
    std::vector<QByteArray> lines;
    int error = 0;
};

// Lines of the file without their terminators; zero bytes are kept so that
// rewriting a key never drops the rest of the file.
FileLines readLines(const QString& path)
{
    FileLines result;
    const regular_file::Content read = regular_file::readAll(path);
    result.error = read.error;
    const QByteArray& content = read.bytes;
    std::vector<QByteArray>& lines = result.lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = start;
        while (end < content.size() && content[end] != '\r' && content[end] != '\n')
            ++end;
        lines.push_back(content.mid(start, end - start));
        start = end;
        if (start < content.size() && content[start] == '\r')
            ++start;
        if (start < content.size() && content[start] == '\n')
            ++start;
    }
    return result;
}

// A line break inside a value would end its line and start a new key or
// section. The part before it is what a reader would have seen of it.
QByteArray firstLine(const QByteArray& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n')
            return text.left(i);
    }
    return text;
}

std::optional<QByteArray> sectionName(const QByteArray& line)
{
    const QByteArray trimmed = trimBlanks(line);
    if (!trimmed.startsWith('['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(']');
    const QByteArray name = close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1);
    return trimBlanks(name);
}

struct KeyLine
{
    QByteArray key;
    QByteArray value;
};

std::optional<KeyLine> keyLine(const QByteArray& line)
{
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    return KeyLine{trimBlanks(line.left(equals)), trimBlanks(line.mid(equals + 1))};
}

QByteArray unquoted(const QByteArray& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

struct Location
{
    std::optional<size_t> sectionLine;
    std::optional<size_t> keyLine;
    size_t insertAt = 0; // after the section's last non-blank line
};

Location locate(const std::vector<QByteArray>& lines, const QByteArray& section,
                const QByteArray& key)
{
    Location location;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::optional<QByteArray> name = sectionName(lines[i]);
        if (location.sectionLine) {
            if (name)
                break;
            if (!trimBlanks(lines[i]).isEmpty())
                location.insertAt = i + 1;
            const std::optional<KeyLine> entry = keyLine(lines[i]);
            if (!location.keyLine && entry && sameName(entry->key, key))
                location.keyLine = i;
        } else if (name && sameName(*name, section)) {
            location.sectionLine = i;
            location.insertAt = i + 1;
        }
    }
    return location;
}

} // namespace

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {}

SettingsFile SettingsFile::inWorkingDirectory()
{
    return SettingsFile(QDir::toNativeSeparators(QDir::currentPath() + QLatin1Char('/') +
                                                 QLatin1String(working_files::kSettings)));
}

QByteArray SettingsFile::read(const QByteArray& section, const QByteArray& key) const
{
    const std::vector<QByteArray> lines = readLines(path_).lines;
    const Location location = locate(lines, section, key);
    if (!location.keyLine)
        return QByteArray();
    QByteArray value = unquoted(keyLine(lines[*location.keyLine])->value);
    // Values travel as zero-terminated texts: a zero byte ends them.
    const qsizetype zero = value.indexOf('\0');
    if (zero >= 0)
        value.truncate(zero);
    return value.left(kMaxValueBytes);
}

void SettingsFile::write(const QByteArray& section, const QByteArray& key,
                         const QByteArray& value) const
{
    FileLines file = readLines(path_);
    // A file that is there but cannot be read is not empty: writing the one
    // key would replace every other.
    if (file.error && !regular_file::isMissing(file.error))
        throw AppError::unableToWriteTo(path_);
    std::vector<QByteArray>& lines = file.lines;
    const QByteArray sectionName = firstLine(section);
    const QByteArray keyName = firstLine(key);
    const Location location = locate(lines, sectionName, keyName);
    const QByteArray entry = keyName + '=' + firstLine(value);
    if (location.keyLine) {
        lines[*location.keyLine] = entry;
    } else if (location.sectionLine) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(location.insertAt), entry);
    } else {
        lines.push_back('[' + sectionName + ']');
        lines.push_back(entry);
    }
    QByteArray content;
    for (const QByteArray& line : lines)
        content += line + "\r\n";
    if (!writeFileAtomically(path_, content).ok())
        throw AppError::unableToWriteTo(path_);
}

QByteArray readSetting(const QByteArray& section, const QByteArray& key)
{
    return SettingsFile::inWorkingDirectory().read(section, key);
}

void writeSetting(const QByteArray& section, const QByteArray& key, const QByteArray& value)
{
    SettingsFile::inWorkingDirectory().write(section, key, value);
}
