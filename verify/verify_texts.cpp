#include "verify/verify_texts.h"

namespace verify_texts {

bool chineseLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return value.startsWith("zh");
    }
    return false;
}

QString resultLine(const record_check::Result& result, bool chinese)
{
    using Outcome = record_check::Result::Outcome;
    const QString reason = chinese ? result.reason.chinese : result.reason.english;
    switch (result.outcome) {
    case Outcome::Verified:
        return chinese ? QString::fromUtf8("抽奖记录复核通过：%1 条记录，%2 位中奖者全部重算一致，"
                                           "最终哈希 %3")
                             .arg(result.entries)
                             .arg(result.winners)
                             .arg(QString::fromLatin1(result.finalHash))
                       : QStringLiteral("Draw record verified: %1 entries, %2 winners recomputed "
                                        "and matching, final hash %3")
                             .arg(result.entries)
                             .arg(result.winners)
                             .arg(QString::fromLatin1(result.finalHash));
    case Outcome::Broken:
        return chinese ? QString::fromUtf8("复核未通过：第 %1 条记录：%2")
                             .arg(result.failedEntry)
                             .arg(reason)
                       : QStringLiteral("Verification failed at entry %1: %2")
                             .arg(result.failedEntry)
                             .arg(reason);
    case Outcome::NoRecord:
        break;
    }
    return reason;
}

QString reportWritten(const QString& path, bool chinese)
{
    return chinese ? QString::fromUtf8("已生成抽奖报告：%1").arg(path)
                   : QStringLiteral("Report written: %1").arg(path);
}

QString usage(bool chinese)
{
    return chinese ? QString::fromUtf8("用法：prizmora-verify [--report 文件.pdf] [文件夹]")
                   : QStringLiteral("usage: prizmora-verify [--report FILE.pdf] [FOLDER]");
}

} // namespace verify_texts
