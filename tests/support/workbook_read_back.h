#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QString>
#include <optional>

// Every cell of a workbook's sheet (the first by default) as openpyxl reads
// it: rows of values, numbers as JSON numbers, empty cells as null. Nothing
// when Python or openpyxl is missing.
inline std::optional<QJsonArray> cellsReadByOpenpyxl(const QString& path, QString* why,
                                                     int sheet = 0)
{
    static const char script[] =
        "import json, sys\n"
        "from openpyxl import load_workbook\n"
        "sheet = load_workbook(sys.argv[1]).worksheets[int(sys.argv[2])]\n"
        "print(json.dumps([list(row) for row in sheet.iter_rows(values_only=True)]))\n";
    QProcess python;
    python.start(QStringLiteral(OPENPYXL_PYTHON),
                 {QStringLiteral("-c"), QString::fromLatin1(script), path, QString::number(sheet)});
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit) {
        *why = QStringLiteral("python3 did not run");
        return std::nullopt;
    }
    if (python.exitCode() != 0) {
        *why = QString::fromUtf8(python.readAllStandardError());
        return std::nullopt;
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

inline bool openpyxlAvailable()
{
    QProcess python;
    python.start(QStringLiteral(OPENPYXL_PYTHON),
                 {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    return python.waitForFinished(60000) && python.exitStatus() == QProcess::NormalExit &&
           python.exitCode() == 0;
}

// The names of a workbook's sheets as openpyxl reads them, in order.
inline QStringList sheetNamesReadByOpenpyxl(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral(OPENPYXL_PYTHON),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys\nfrom openpyxl import load_workbook\n"
                                 "print('\\n'.join(load_workbook(sys.argv[1]).sheetnames))"),
                  path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return {};
    return QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}
