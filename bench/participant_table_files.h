#pragma once

#include <QString>

// A participant list as a company's spreadsheet has it, written as the
// import page reads it: a title row (序号, 姓名, 部门, 身份证号), then per row
// an employee number, a name, one of 40 departments and an identity number.
// The workbook by libxlsxwriter, the CSV file in UTF-8 with a byte-order mark.
void writeParticipantWorkbook(const QString& path, int rows);
void writeParticipantCsv(const QString& path, int rows);
