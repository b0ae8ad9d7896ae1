#include "platform/qt/cjk_fonts.h"

#include <QFont>
#include <QStringList>

void installCjkFontSubstitutions()
{
    const QString uming = QStringLiteral("AR PL UMing CN");
    const QString ukai = QStringLiteral("AR PL UKai CN");
    const QString zenhei = QStringLiteral("WenQuanYi Zen Hei");
    QFont::insertSubstitutions(QStringLiteral("宋体"), QStringList{uming, zenhei});
    QFont::insertSubstitutions(QStringLiteral("仿宋"), QStringList{uming, ukai, zenhei});
    QFont::insertSubstitutions(QStringLiteral("楷体"), QStringList{ukai, uming, zenhei});
    QFont::insertSubstitutions(QStringLiteral("黑体"), QStringList{zenhei, uming});
}
