#include "ui/stage/draw_status_text.h"

#include "base/gbk.h"

namespace draw_status_text {

namespace {
const QString kGap = QStringLiteral("　");

QString levelAndPrize(const DrawStatus& status, const QByteArray& prizeText)
{
    QString text = gbk::decode(levelName(status.level));
    if (!prizeText.isEmpty())
        text += kGap + QStringLiteral("奖品：") + gbk::decode(prizeText);
    return text;
}
} // namespace

QString headline(const DrawStatus& status, const QByteArray& prizeText)
{
    switch (status.phase) {
    case DrawStatus::Phase::Idle:
        return QString();
    case DrawStatus::Phase::Rolling:
        return QStringLiteral("正在抽取：") + levelAndPrize(status, prizeText) + kGap +
               QStringLiteral("本次 %1 名").arg(status.batch) + kGap +
               QStringLiteral("剩余 %1 名").arg(status.placesLeft);
    case DrawStatus::Phase::Drawn:
        return levelAndPrize(status, prizeText) + kGap +
               QStringLiteral("本次抽出 %1 名").arg(status.batch) + kGap +
               QStringLiteral("剩余 %1 名").arg(status.placesLeft);
    case DrawStatus::Phase::Complete:
        return QStringLiteral("抽奖完毕！全部奖项已抽出") + kGap +
               levelAndPrize(status, prizeText) + kGap +
               QStringLiteral("本次抽出 %1 名").arg(status.batch);
    }
    return QString();
}

QString levelEntry(PrizeLevel level, qint64 openPlaces)
{
    return gbk::decode(levelName(level)) + QStringLiteral("（剩余 %1 名）").arg(openPlaces);
}

} // namespace draw_status_text
