#include "participant_table_files.h"

#include "storage/winners_export.h"

#include <QList>
#include <QStringList>

#include <stdexcept>

namespace {

QList<QStringList> participantTable(int rows)
{
    QList<QStringList> table = {{QStringLiteral("序号"), QStringLiteral("姓名"),
                                 QStringLiteral("部门"), QStringLiteral("身份证号")}};
    table.reserve(rows + 1);
    for (int i = 0; i < rows; ++i)
        table << QStringList{QString::number(1000000 + i), QStringLiteral("参与者%1").arg(i),
                             QStringLiteral("第%1部").arg(i % 40),
                             QStringLiteral("1101011990%1").arg(i, 8, 10, QLatin1Char('0'))};
    return table;
}

} // namespace

namespace {

void write(const QString& path, winners_export::Format format, int rows)
{
    const winners_export::SaveResult saved =
        winners_export::save(path, format, participantTable(rows));
    if (!saved.ok())
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 saved.reason.toStdString());
}

} // namespace

void writeParticipantWorkbook(const QString& path, int rows)
{
    write(path, winners_export::Format::Xlsx, rows);
}

void writeParticipantCsv(const QString& path, int rows)
{
    write(path, winners_export::Format::Csv, rows);
}
