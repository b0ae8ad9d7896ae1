// The tables of the winners export (winners_export.h).

#include "base/gbk.h"
#include "storage/winners_export.h"

#include <algorithm>

namespace winners_export {

namespace {

// The 奖项 and 奖品 columns: the level's, or the extra prize's.
QString prizeName(const Winner& winner)
{
    return gbk::decode(winner.extraPrize.isEmpty() ? levelName(winner.level) : winner.extraPrize);
}
QString prizeOf(const Winner& winner, const PrizeText& prizeText)
{
    return gbk::decode(winner.extraPrize.isEmpty() ? prizeText(winner.level)
                                                   : winner.extraPrizeText);
}

// The participant lines of the winners split into cells, each row as wide
// as the widest line or the titles, and the header of those columns.
struct ParticipantColumns
{
    QStringList header;
    std::vector<QStringList> rows;
};

ParticipantColumns participantColumns(const std::vector<const Winner*>& winners,
                                      const QByteArray& columnTitles)
{
    ParticipantColumns columns;
    const QStringList titles = columnTitles.isEmpty()
                                   ? QStringList()
                                   : gbk::decode(columnTitles).split(u'\t', Qt::SkipEmptyParts);
    qsizetype widest = std::max<qsizetype>(1, titles.size());
    for (const Winner* winner : winners) {
        columns.rows.push_back(gbk::decode(winner->participantLine).split(u'\t'));
        widest = std::max(widest, columns.rows.back().size());
    }
    for (QStringList& row : columns.rows)
        while (row.size() < widest)
            row << QString();
    for (qsizetype column = 0; column < widest; ++column)
        columns.header << (column < titles.size() ? titles[column]
                           : column == 0          ? QStringLiteral("中奖者")
                                                  : QStringLiteral("信息%1").arg(column + 1));
    return columns;
}

std::vector<const Winner*> select(const std::vector<Winner>& winners, bool voided)
{
    std::vector<const Winner*> selected;
    for (const Winner& winner : winners)
        if (winner.voided == voided)
            selected.push_back(&winner);
    return selected;
}

bool anyVoided(const std::vector<Winner>& winners)
{
    return std::any_of(winners.begin(), winners.end(),
                       [](const Winner& winner) { return winner.voided; });
}

} // namespace

QList<QStringList> table(const std::vector<Winner>& winners, const PrizeText& prizeText,
                         const QByteArray& columnTitles)
{
    const std::vector<const Winner*> kept = select(winners, false);
    const ParticipantColumns columns = participantColumns(kept, columnTitles);
    QList<QStringList> rows = {
        QStringList{QStringLiteral("序号"), QStringLiteral("奖项"), QStringLiteral("奖品")}
        << columns.header << QStringLiteral("时间")};
    for (size_t i = 0; i < kept.size(); ++i) {
        const Winner& winner = *kept[i];
        rows << (QStringList{QString::number(i + 1), prizeName(winner), prizeOf(winner, prizeText)}
                 << columns.rows[i] << gbk::decode(winner.time));
    }
    return rows;
}

QList<QStringList> voidsTable(const std::vector<Winner>& winners, const QByteArray& columnTitles)
{
    const std::vector<const Winner*> voided = select(winners, true);
    const ParticipantColumns columns = participantColumns(voided, columnTitles);
    QList<QStringList> rows = {QStringList{QStringLiteral("序号"), QStringLiteral("奖项")}
                               << columns.header << QStringLiteral("抽中时间")
                               << QStringLiteral("作废时间")};
    for (size_t i = 0; i < voided.size(); ++i) {
        const Winner& winner = *voided[i];
        rows << (QStringList{QString::number(i + 1), prizeName(winner)}
                 << columns.rows[i] << gbk::decode(winner.time) << gbk::decode(winner.voidedTime));
    }
    return rows;
}

QList<QStringList> csvTable(const std::vector<Winner>& winners, const PrizeText& prizeText,
                            const QByteArray& columnTitles)
{
    if (!anyVoided(winners))
        return table(winners, prizeText, columnTitles);
    std::vector<const Winner*> all;
    for (const Winner& winner : winners)
        all.push_back(&winner);
    const ParticipantColumns columns = participantColumns(all, columnTitles);
    QList<QStringList> rows = {
        QStringList{QStringLiteral("序号"), QStringLiteral("奖项"), QStringLiteral("奖品")}
        << columns.header << QStringLiteral("时间") << QStringLiteral("状态")
        << QStringLiteral("作废时间")};
    int kept = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        const Winner& winner = *all[i];
        rows << (QStringList{winner.voided ? QString() : QString::number(++kept), prizeName(winner),
                             prizeOf(winner, prizeText)}
                 << columns.rows[i] << gbk::decode(winner.time)
                 << (winner.voided ? QStringLiteral("作废") : QStringLiteral("有效"))
                 << gbk::decode(winner.voidedTime));
    }
    return rows;
}

std::vector<Sheet> workbookSheets(const std::vector<Winner>& winners, const PrizeText& prizeText,
                                  const QByteArray& columnTitles)
{
    std::vector<Sheet> sheets = {
        Sheet{QStringLiteral("中奖名单"), table(winners, prizeText, columnTitles)}};
    if (anyVoided(winners))
        sheets.push_back(Sheet{QStringLiteral("作废记录"), voidsTable(winners, columnTitles)});
    return sheets;
}

} // namespace winners_export
