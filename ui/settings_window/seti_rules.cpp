#include "ui/settings_window/seti_rules.h"

#include "base/gbk.h"
#include "storage/prize_level.h"

namespace seti_rules {

namespace {
constexpr char16_t kBackspace = 8;
}

bool titleAcceptsCharacter(const QByteArray& titleBefore, QChar character)
{
    return titleBefore.size() < kTitleFullBytes || character == QChar(kBackspace);
}

CountCharacter countFieldDecision(int caretPosition, QChar character)
{
    const bool isDigit = character >= QLatin1Char('0') && character <= QLatin1Char('9');
    if (!isDigit && character != QChar(kBackspace))
        return CountCharacter::NotADigit;
    if (caretPosition == 0 && character == QLatin1Char('0'))
        return CountCharacter::LeadingZero;
    return CountCharacter::Accepted;
}

QString countFieldRefusalText(CountCharacter decision)
{
    switch (decision) {
    case CountCharacter::LeadingZero:
        return QStringLiteral("第一个数字不能为0！");
    case CountCharacter::NotADigit:
        return QStringLiteral("只能输入0-9的数字！");
    case CountCharacter::Accepted:
        break;
    }
    return QString();
}

std::optional<QString> basicPageProblem(const program_settings::BasicSettings& page)
{
    if (page.title.isEmpty())
        return QStringLiteral("标题不能为空，请检查！");
    if (page.picture.isEmpty())
        return QStringLiteral("标题背景路径不能为空，请检查！");
    if (page.startMusic.isEmpty())
        return QStringLiteral("开始音乐路径不能为空，请检查！");
    if (page.stopMusic.isEmpty())
        return QStringLiteral("停止音乐路径不能为空，请检查！");
    return std::nullopt;
}

std::optional<QString> prizePageProblem(const program_settings::PrizeSettings& page)
{
    bool anyCount = false;
    for (const QByteArray& count : page.counts)
        anyCount = anyCount || !count.isEmpty();
    if (!anyCount)
        return QStringLiteral("请至少设置一个等级名额和奖项！");
    for (PrizeLevel level : kAllPrizeLevels) {
        const auto index = static_cast<size_t>(levelIndex(level));
        if (!page.counts[index].isEmpty() && page.prizes[index].isEmpty())
            return gbk::decode(levelName(level)) + QStringLiteral("人数设定未设置奖品，请检查 !");
    }
    return std::nullopt;
}

int yesNoIndex(const QByteArray& stored)
{
    return stored == setting_names::yes() ? 0 : 1;
}

} // namespace seti_rules
