#include "participant_table_files.h"

#include "storage/winners_export.h"

#include <QList>
#include <QStringList>

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

void writeParticipantWorkbook(const QString& path, int rows)
{
    winners_export::save(path, winners_export::Format::Xlsx, participantTable(rows));
}

void writeParticipantCsv(const QString& path, int rows)
{
    winners_export::save(path, winners_export::Format::Csv, participantTable(rows));
}
