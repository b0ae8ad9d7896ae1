#include "ui/stage/draw_status_text.h"

#include "base/gbk.h"
#include "base/screen_text.h"

namespace draw_status_text {

namespace {

// The level, and the prize after it as a part of its own.
void addLevelAndPrize(HeadlineParts& headline, const QString& before, const DrawStatus& status,
                      const QByteArray& prizeText)
{
    headline.parts << before + (status.extraPrize.isEmpty() ? gbk::decode(levelName(status.level))
                                                            : gbk::decode(status.extraPrize));
    if (!prizeText.isEmpty()) {
        headline.prize = static_cast<int>(headline.parts.size());
        headline.parts << QStringLiteral("奖品：") + screen_text::shown(prizeText);
    }
}

} // namespace

HeadlineParts headlineParts(const DrawStatus& status, const QByteArray& prizeText)
{
    HeadlineParts headline;
    switch (status.phase) {
    case DrawStatus::Phase::Idle:
        break;
    case DrawStatus::Phase::Rolling:
        addLevelAndPrize(headline, QStringLiteral("正在抽取："), status, prizeText);
        headline.parts << QStringLiteral("本次 %1 名").arg(status.batch)
                       << QStringLiteral("剩余 %1 名").arg(status.placesLeft);
        // Every rule in force is on the screen while its level rolls.
        if (!status.rules.isEmpty())
            headline.parts << screen_text::shown(status.rules);
        break;
    case DrawStatus::Phase::Drawn:
        addLevelAndPrize(headline, QString(), status, prizeText);
        headline.parts << QStringLiteral("本次抽出 %1 名").arg(status.batch)
                       << QStringLiteral("剩余 %1 名").arg(status.placesLeft);
        break;
    case DrawStatus::Phase::Complete:
        headline.parts << QStringLiteral("抽奖完毕！全部奖项已抽出");
        addLevelAndPrize(headline, QString(), status, prizeText);
        headline.parts << QStringLiteral("本次抽出 %1 名").arg(status.batch);
        break;
    }
    return headline;
}

QString headline(const DrawStatus& status, const QByteArray& prizeText)
{
    return headlineParts(status, prizeText).parts.join(kGap);
}

QString levelEntry(PrizeLevel level, qint64 openPlaces)
{
    return prizeEntry(levelName(level), openPlaces);
}

QString prizeEntry(const QByteArray& name, qint64 openPlaces)
{
    return gbk::decode(name) + QStringLiteral("（剩余 %1 名）").arg(openPlaces);
}

} // namespace draw_status_text
