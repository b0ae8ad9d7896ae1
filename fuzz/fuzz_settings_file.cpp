// Any settings file, then one write of any value: the value must read back by
// the reading rules, every other key must read as before, and every other
// line of the file must stay as it was.
//
// Input: section, key, value and three probe section/key pairs, each ended by
// a backslash and one other byte (a doubled backslash is a backslash), then
// the file content.

#include "fuzz_support.h"
#include "storage/settings_file.h"

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

// What the program can name: no line breaks, no zero bytes, nothing that
// would read as a section line or end the key, no blanks at the ends.
QByteArray asName(const std::string& raw)
{
    QByteArray name;
    for (char c : raw) {
        if (c != '\r' && c != '\n' && c != '\0' && c != '=' && c != '[' && c != ']')
            name.append(c);
    }
    name = name.trimmed();
    return name.isEmpty() ? QByteArray("k") : name;
}

// A value typed into a one-line field: anything but a line break.
QByteArray asValue(const std::string& raw)
{
    QByteArray value;
    for (char c : raw) {
        if (c != '\r' && c != '\n')
            value.append(c);
    }
    return value;
}

QByteArray trimmedBlanks(QByteArray text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

// The reading rules applied to a written value.
QByteArray expectedReading(const QByteArray& written)
{
    QByteArray value = trimmedBlanks(written);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    const qsizetype zero = value.indexOf('\0');
    if (zero >= 0)
        value.truncate(zero);
    return value.left(SettingsFile::kMaxValueBytes);
}

// Lines as the settings file holds them: CR LF, CR or LF end a line.
std::vector<QByteArray> fileLines(const QByteArray& content)
{
    std::vector<QByteArray> lines;
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
    return lines;
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct Probe
{
    QByteArray section;
    QByteArray key;
    QByteArray before;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QByteArray section = asName(input.ConsumeRandomLengthString(64));
    const QByteArray key = asName(input.ConsumeRandomLengthString(64));
    const QByteArray value = asValue(input.ConsumeRandomLengthString(4096));
    std::vector<Probe> probes;
    for (int i = 0; i < 3; ++i) {
        Probe probe;
        probe.section = asName(input.ConsumeRandomLengthString(64));
        probe.key = asName(input.ConsumeRandomLengthString(64));
        probes.push_back(probe);
    }
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray content(rest.data(), static_cast<qsizetype>(rest.size()));

    const QString path = fuzzFolder().filePath(QStringLiteral("rafflixset.ini"));
    writeWholeFile(path, content);
    const SettingsFile settings(path);
    for (Probe& probe : probes)
        probe.before = settings.read(probe.section, probe.key);

    settings.write(section, key, value);

    FUZZ_CHECK(settings.read(section, key) == expectedReading(value));
    for (const Probe& probe : probes) {
        if (sameName(probe.section, section) && sameName(probe.key, key))
            continue;
        FUZZ_CHECK(settings.read(probe.section, probe.key) == probe.before);
    }

    // The write changed one line or added the entry (and its section); the
    // other lines are as they were.
    const std::vector<QByteArray> before = fileLines(content);
    const std::vector<QByteArray> after = fileLines(readWholeFile(path));
    const QByteArray entry = key + '=' + value;
    size_t same = 0;
    while (same < before.size() && same < after.size() && before[same] == after[same])
        ++same;
    if (after == before) {
        FUZZ_CHECK(std::find(after.begin(), after.end(), entry) != after.end());
    } else if (after.size() == before.size()) {
        FUZZ_CHECK(after[same] == entry);
        FUZZ_CHECK(std::equal(before.begin() + same + 1, before.end(), after.begin() + same + 1));
    } else if (after.size() == before.size() + 1) {
        FUZZ_CHECK(after[same] == entry);
        FUZZ_CHECK(std::equal(before.begin() + same, before.end(), after.begin() + same + 1));
    } else {
        FUZZ_CHECK(after.size() == before.size() + 2 && same == before.size());
        FUZZ_CHECK(after[same] == '[' + section + ']' && after[same + 1] == entry);
    }
    return 0;
}
