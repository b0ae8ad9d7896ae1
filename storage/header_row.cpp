#include "storage/header_row.h"

#include <QSet>
#include <QString>

namespace {

const QSet<QString>& columnTitles()
{
    static const QSet<QString> titles = {
        QStringLiteral("姓名"),     QStringLiteral("名字"),      QStringLiteral("员工姓名"),
        QStringLiteral("部门"),     QStringLiteral("所属部门"),  QStringLiteral("单位"),
        QStringLiteral("工号"),     QStringLiteral("员工编号"),  QStringLiteral("编号"),
        QStringLiteral("序号"),     QStringLiteral("手机"),      QStringLiteral("手机号"),
        QStringLiteral("手机号码"), QStringLiteral("电话"),      QStringLiteral("联系电话"),
        QStringLiteral("身份证"),   QStringLiteral("身份证号"),  QStringLiteral("身份证号码"),
        QStringLiteral("邮箱"),     QStringLiteral("性别"),      QStringLiteral("职位"),
        QStringLiteral("name"),     QStringLiteral("full name"), QStringLiteral("department"),
        QStringLiteral("dept"),     QStringLiteral("id"),        QStringLiteral("no"),
        QStringLiteral("no."),      QStringLiteral("number"),    QStringLiteral("employee id"),
        QStringLiteral("phone"),    QStringLiteral("mobile"),    QStringLiteral("email"),
        QStringLiteral("e-mail"),
    };
    return titles;
}

QString normalized(const QString& cell)
{
    QString text = cell.simplified().toLower();
    while (text.endsWith(u':') || text.endsWith(u'：'))
        text.chop(1);
    return text.trimmed();
}

} // namespace

bool looksLikeColumnTitles(const QStringList& cells)
{
    for (const QString& cell : cells)
        if (columnTitles().contains(normalized(cell)))
            return true;
    return false;
}
