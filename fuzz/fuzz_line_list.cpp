// Any bytes as a participant or results file. The split must agree with a
// plain reference of the line rules, load must give the same lines, and a
// save followed by a load must give them back unchanged.

#include "base/line_splitting.h"
#include "fuzz_support.h"
#include "storage/case_fold.h"
#include "storage/text_line_list.h"

#include <string>
#include <vector>

namespace {

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The rules stated plainly: the text ends at a zero byte; CR LF, CR and LF
// each end a line; a final break gives no empty last line.
std::vector<QByteArray> referenceLines(const QByteArray& bytes)
{
    std::string text(bytes.constData(), static_cast<size_t>(bytes.size()));
    text = text.substr(0, text.find('\0'));
    replaceAll(text, "\r\n", "\n");
    replaceAll(text, "\r", "\n");
    std::vector<QByteArray> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.emplace_back(text.data() + start, static_cast<qsizetype>(end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::vector<QByteArray> lines = splitIntoLines(bytes);
    FUZZ_CHECK(lines == referenceLines(bytes));

    const QString path = fuzzFolder().filePath(QStringLiteral("rafflixlist.txt"));
    writeWholeFile(path, bytes);
    TextLineList list;
    list.add("left over");
    list.load(path);
    FUZZ_CHECK(list.copyLines() == lines);

    list.save(path);
    FUZZ_CHECK(readWholeFile(path) == joinLinesWithCrLf(lines));
    TextLineList again;
    again.load(path);
    FUZZ_CHECK(again.copyLines() == lines);

    // The search finds every line at or before its own place, by its key.
    const int probes = std::min(list.count(), 64);
    for (int i = 0; i < probes; ++i) {
        const int found = list.find(list.get(i));
        FUZZ_CHECK(found >= 0 && found <= i);
        FUZZ_CHECK(caseFoldKey(list.get(found)) == caseFoldKey(list.get(i)));
    }
    return 0;
}
