#include "verify/draw_report.h"

#include "base/app_error.h"
#include "base/atomic_file.h"
#include "base/file_paths.h"
#include "base/gbk.h"
#include "platform/qt/cjk_fonts.h"
#include "storage/draw_history.h"
#include "storage/extra_prizes.h"
#include "storage/program_settings.h"
#include "storage/results_format.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <map>
#include <set>

namespace draw_report {

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString timeOf(const QDateTime& at)
{
    return at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Lines down the pages, a new page when the next one does not fit.
class Pages
{
  public:
    Pages(QPdfWriter& writer, QPainter& painter) : writer_(writer), painter_(painter)
    {
        area_ = painter_.viewport();
    }

    void text(const QString& line, int points = 10, bool bold = false, int spaceAfter = 0)
    {
        QFont font = cjkFont("宋体", 10, bold);
        font.setPointSizeF(points);
        painter_.setFont(font);
        const QRect bounds =
            painter_.boundingRect(QRect(0, 0, area_.width(), 100000), Qt::TextWordWrap, line);
        if (y_ + bounds.height() > area_.height())
            newPage();
        painter_.drawText(QRect(0, y_, area_.width(), bounds.height()), Qt::TextWordWrap, line);
        y_ += bounds.height() + spaceAfter * writer_.resolution() / 72;
    }
    void gap(int points) { y_ += points * writer_.resolution() / 72; }
    // The signature lines stay together on one page.
    void keepTogether(int points)
    {
        if (y_ + points * writer_.resolution() / 72 > area_.height())
            newPage();
    }

  private:
    void newPage()
    {
        writer_.newPage();
        y_ = 0;
    }

    QPdfWriter& writer_;
    QPainter& painter_;
    QRect area_;
    int y_ = 0;
};

QString pickLine(int number, const record_check::Stop& stop, const record_check::Pick& pick)
{
    return u("%1. %2  %3  k=%4  n=%5  序号=%6  %7")
        .arg(number)
        .arg(timeOf(pick.time), gbk::decode(stop.prizeName))
        .arg(pick.k)
        .arg(pick.n)
        .arg(pick.index)
        .arg(gbk::decode(results_format::recordedWinner(pick.resultsLine)));
}

} // namespace

Event eventOfWorkingFolder(const QDateTime& madeAt)
{
    Event event;
    event.madeAt = madeAt;
    event.title = program_settings::readBasic().title;
    const program_settings::PrizeSettings prizes = program_settings::readPrizes();
    for (PrizeLevel level : kAllPrizeLevels) {
        const auto i = static_cast<size_t>(levelIndex(level));
        if (!prizes.counts[i].isEmpty() && prizes.counts[i] != "0")
            event.prizes.push_back({levelName(level), prizes.counts[i], prizes.prizes[i]});
    }
    for (const extra_prizes::ExtraPrize& extra : extra_prizes::read())
        event.prizes.push_back({extra.name, QByteArray::number(extra.count), extra.prize});
    return event;
}

QString eventText(const QByteArray& historyLine)
{
    const draw_history::HistoryLine read = draw_history::readLine(historyLine);
    const QString at =
        QDateTime(read.date, read.time).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    switch (read.kind) {
    case draw_history::HistoryLine::Kind::Voided:
        return u("%1  作废：%2").arg(at, gbk::decode(read.resultsLine));
    case draw_history::HistoryLine::Kind::Withdrawn:
        return u("%1  撤回（结果文件未写入）：%2").arg(at, gbk::decode(read.resultsLine));
    case draw_history::HistoryLine::Kind::RoundStarted:
    case draw_history::HistoryLine::Kind::Resumed: {
        // The separator's own words: 程序启动, 初始化, 继续上一轮 ...
        const QByteArray words = historyLine.mid(5 + 19 + 1).chopped(5);
        return u("%1  %2").arg(at, gbk::decode(words));
    }
    case draw_history::HistoryLine::Kind::Winner:
    case draw_history::HistoryLine::Kind::Unknown:
        break;
    }
    return QString();
}

void write(const QString& pdfPath, const record_check::Result& record, const Event& event)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(u("抽奖报告"));
        writer.setCreator(QStringLiteral("prizmora-verify"));
        QPainter painter(&writer);
        Pages pages(writer, painter);

        const QString title = gbk::decode(event.title);
        pages.text(title.isEmpty() ? u("抽奖报告") : u("%1  抽奖报告").arg(title), 16, true, 4);
        if (!record.stops.empty())
            pages.text(u("抽奖日期：%1")
                           .arg(record.stops.front().time.toString(QStringLiteral("yyyy-MM-dd"))));
        pages.text(u("报告生成：%1").arg(timeOf(event.madeAt)), 10, false, 8);

        pages.text(u("参与名单"), 12, true, 2);
        std::set<QByteArray> lists;
        for (const record_check::Stop& stop : record.stops)
            if (lists.insert(stop.listSha).second)
                pages.text(u("%1 行，SHA-256 %2（自 %3 起使用）")
                               .arg(stop.listLines)
                               .arg(QString::fromLatin1(stop.listSha), timeOf(stop.time)),
                           9);
        pages.gap(8);

        pages.text(u("奖项"), 12, true, 2);
        for (const Prize& prize : event.prizes)
            pages.text(u("%1：%2 人  奖品：%3")
                           .arg(gbk::decode(prize.name), gbk::decode(prize.count),
                                gbk::decode(prize.prize)));
        pages.gap(8);

        pages.text(u("抽奖规则"), 12, true, 2);
        std::map<QByteArray, QByteArray> rules;
        for (const record_check::Stop& stop : record.stops)
            if (!stop.rulesText.isEmpty())
                rules[stop.prizeName] = stop.rulesText;
        if (rules.empty())
            pages.text(u("无：每位候选人机会相同。"));
        for (const auto& [prize, text] : rules)
            pages.text(u("%1：%2").arg(gbk::decode(prize), gbk::decode(text)));
        pages.text(u("抽取方法：k 为按下“停止”时时钟的秒数（北京时间自 1970-01-01 起），"
                     "n 为当时的候选人数，中奖者为候选名单中第 k mod n 位（从 0 数起）；"
                     "已中奖者（不允许重复时）与已作废者不再是候选人。"),
                   9);
        pages.gap(8);

        pages.text(u("抽奖经过"), 12, true, 2);
        // Stops and events in the record's order.
        size_t nextEvent = 0;
        int number = 0;
        const auto eventsBefore = [&](int entry) {
            for (; nextEvent < record.events.size() && record.events[nextEvent].entry < entry;
                 ++nextEvent) {
                const QString text = eventText(record.events[nextEvent].historyLine);
                if (!text.isEmpty())
                    pages.text(text, 9, true);
            }
        };
        for (const record_check::Stop& stop : record.stops) {
            eventsBefore(stop.entry);
            for (const record_check::Pick& pick : stop.picks)
                pages.text(pickLine(++number, stop, pick), 9);
        }
        eventsBefore(std::numeric_limits<int>::max());
        pages.gap(8);

        pages.text(u("复核"), 12, true, 2);
        pages.text(u("%1 条记录的哈希链完整，%2 位中奖者均按上述方法由名单快照重算一致。")
                       .arg(record.entries)
                       .arg(record.winners));
        pages.text(u("记录最终哈希：%1").arg(QString::fromLatin1(record.finalHash)), 9, false, 24);

        pages.keepTogether(120);
        pages.text(u("主办方签字：______________________    日期：______________"), 11, false, 30);
        pages.text(u("见证人签字：______________________    日期：______________"), 11);
    }
    const AtomicWriteResult written = writeFileAtomically(pdfPath, pdf);
    if (!written.ok())
        throw AppError(
            u("无法生成抽奖报告“%1”：%2").arg(file_paths::fullPath(pdfPath), written.reason));
}

} // namespace draw_report
