#pragma once

#include <QDate>
#include <QString>

// How a workbook's stored numbers are shown: whole numbers with every digit
// they were stored with (an employee number or a long identity number), never
// in exponent form, fractions to the fifteen significant digits a
// spreadsheet keeps, and dates as dates.
namespace spreadsheet_number {

// The stored text ("1000123", "1.2345E+17", "0.30000000000000004") shown
// plainly; a text that is not a number comes back unchanged.
QString shown(const QString& stored);

// A serial day number as a date ("2024-02-09"), with the time of day when it
// has one ("2024-02-09 18:30"). Days count from 1900, or from 1904 for
// workbooks that say so.
QString shownAsDate(const QString& stored, bool from1904);

// Whether a number format code shows a date: it holds a day or year part
// outside quotes, brackets and escapes.
bool isDateFormatCode(const QString& formatCode);
bool isBuiltInDateFormat(int numberFormatId);

} // namespace spreadsheet_number
