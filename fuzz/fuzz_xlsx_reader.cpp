// Any bytes as a workbook, or as the worksheet part of one (last byte odd).
// Nothing may crash, hang or read out of bounds, and what comes back keeps
// the reader's promises: no rows from a refused workbook, no empty row, no
// blank cell.

#include "fuzz_support.h"
#include "storage/xlsx_reader.h"

namespace {

// A string table and a date style, so worksheet inputs reach both.
const QByteArray kSharedStrings = "<sst><si><t>张三</t></si><si><r><t>a</t></r><rPh><t>x</t></rPh>"
                                  "</si><si><t/></si></sst>";
const QByteArray kStyles =
    "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy-mm-dd\"/>"
    "</numFmts><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/>"
    "<xf numFmtId=\"164\"/></cellXfs></styleSheet>";

void checkPromises(const xlsx_reader::Result& result)
{
    if (result.status != xlsx_reader::Status::Ok)
        FUZZ_CHECK(result.rows.isEmpty());
    for (const QStringList& row : result.rows) {
        FUZZ_CHECK(!row.isEmpty());
        for (const QString& cell : row)
            FUZZ_CHECK(!cell.trimmed().isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size - 1));
    if (data[size - 1] & 1)
        checkPromises(xlsx_reader::readParts(bytes, kSharedStrings, kStyles, data[size - 1] & 2));
    else
        checkPromises(xlsx_reader::read(bytes));
    return 0;
}
