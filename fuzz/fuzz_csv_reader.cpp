// Any bytes as a list file named .csv: read without crashing, every line a
// participant (no breaks, no empty line). The records the CSV reader finds
// must come back unchanged when written the way the winners export writes
// CSV and read again.

#include "fuzz_support.h"
#include "storage/csv_reader.h"
#include "storage/list_file_reader.h"
#include "storage/text_file_decoding.h"
#include "storage/winners_export.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const list_file_reader::ListFile file = list_file_reader::fromBytes(bytes, "list.csv");
    if (file.problem != list_file_reader::Problem::None)
        FUZZ_CHECK(file.lines.isEmpty());
    for (const QString& line : file.lines.toList()) {
        FUZZ_CHECK(!line.isEmpty());
        FUZZ_CHECK(!line.contains(u'\n') && !line.contains(u'\r'));
    }

    // Through UTF-8 once, so both sides hold only well-formed text.
    const QString text = QString::fromUtf8(text_file_decoding::decode(bytes).toUtf8());
    const QList<QStringList> records = csv_reader::parse(text);
    const QByteArray written = winners_export::csvBytes(records);
    FUZZ_CHECK(written.startsWith("\xEF\xBB\xBF"));
    FUZZ_CHECK(csv_reader::parse(QString::fromUtf8(written.mid(3)), u',') == records);
    return 0;
}
