#include "draw/extra_prize_edits.h"

#include "base/app_error.h"
#include "base/gbk.h"
#include "base/working_files.h"
#include "draw/extra_prize_tally.h"
#include "storage/text_line_list.h"

using extra_prizes::ExtraPrizeList;

namespace extra_prize_edits {

QString add(const extra_prizes::Fields& fields)
{
    ExtraPrizeList prizes = extra_prizes::read();
    const extra_prizes::Checked checked = extra_prizes::check(fields, prizes);
    if (!checked.prize)
        return checked.problem;
    prizes.push_back(*checked.prize);
    extra_prizes::write(prizes);
    return {};
}

QString change(const QByteArray& name, const extra_prizes::Fields& fields)
{
    ExtraPrizeList prizes = extra_prizes::read();
    const int at = extra_prizes::find(prizes, name);
    if (at < 0)
        return QStringLiteral("加奖“%1”已经不在列表中。").arg(gbk::decode(name));
    ExtraPrizeList others = prizes;
    others.erase(others.begin() + at);
    const extra_prizes::Checked checked = extra_prizes::check(fields, others);
    if (!checked.prize)
        return checked.problem;
    // The winners' lines carry the name: a new one would leave them behind.
    if (checked.prize->name != name) {
        if (const qint64 winners = winnersOf(name); winners > 0)
            return QStringLiteral("加奖“%1”已抽出 %2 名中奖者，名称不能再改；"
                                  "奖品和人数可以修改。")
                .arg(gbk::decode(name))
                .arg(winners);
    }
    prizes[static_cast<size_t>(at)] = *checked.prize;
    extra_prizes::write(prizes);
    return {};
}

qint64 winnersOf(const QByteArray& name)
{
    TextLineList results;
    try {
        results.load(QLatin1String(working_files::kResults));
    } catch (const AppError&) {
        return 0; // no results file: no winners yet
    }
    const ExtraPrizeTally tally = tallyExtraPrizes({{name, {}, 1, 1}}, results);
    return tally.recorded.front();
}

QString removeQuestion(const QByteArray& name, qint64 winners)
{
    return QStringLiteral("加奖“%1”已抽出 %2 名中奖者。\r\n确定删除这个加奖吗？\r\n\r\n"
                          "删除后不再抽取它，已抽出的中奖者仍保留在抽奖结果中。")
        .arg(gbk::decode(name))
        .arg(winners);
}

void remove(const QByteArray& name)
{
    ExtraPrizeList prizes = extra_prizes::read();
    const int at = extra_prizes::find(prizes, name);
    if (at < 0)
        return;
    prizes.erase(prizes.begin() + at);
    extra_prizes::write(prizes);
}

} // namespace extra_prize_edits
