#include "platform/qt/cjk_fonts.h"

#include <QFont>
#include <QStringList>

void installCjkFontSubstitutions()
{
    // These fonts have no bold face; Qt draws their bold itself, but by
    // default only below 64 pixels, so the stage view's large bold texts
    // would come out regular.
    if (!qEnvironmentVariableIsSet("QT_NO_SYNTHESIZED_BOLD_LIMIT"))
        qputenv("QT_NO_SYNTHESIZED_BOLD_LIMIT", "1");
    const QString uming = QStringLiteral("AR PL UMing CN");
    const QString ukai = QStringLiteral("AR PL UKai CN");
    const QString zenhei = QStringLiteral("WenQuanYi Zen Hei");
    QFont::insertSubstitutions(QStringLiteral("宋体"), QStringList{uming, zenhei});
    QFont::insertSubstitutions(QStringLiteral("仿宋"), QStringList{uming, ukai, zenhei});
    QFont::insertSubstitutions(QStringLiteral("楷体"), QStringList{ukai, uming, zenhei});
    QFont::insertSubstitutions(QStringLiteral("黑体"), QStringList{zenhei, uming});
}

QFont cjkFont(const char* familyUtf8, int pixelHeight, bool bold)
{
    QFont result(QString::fromUtf8(familyUtf8));
    result.setPixelSize(pixelHeight);
    result.setBold(bold);
    return result;
}
