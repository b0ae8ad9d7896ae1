#include "storage/prize_level.h"

#include "base/gbk.h"

namespace {

const char* levelNameUtf8(PrizeLevel level)
{
    switch (level) {
    case PrizeLevel::Grand:
        return "特等奖";
    case PrizeLevel::First:
        return "一等奖";
    case PrizeLevel::Second:
        return "二等奖";
    case PrizeLevel::Third:
        return "三等奖";
    case PrizeLevel::Fourth:
        return "四等奖";
    case PrizeLevel::Fifth:
        return "五等奖";
    }
    return "";
}

} // namespace

QByteArray levelName(PrizeLevel level)
{
    return gbk::text(levelNameUtf8(level));
}

QByteArray levelLabel(PrizeLevel level)
{
    return levelName(level) + gbk::text("：");
}
