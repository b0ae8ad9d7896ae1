#include "ui/settings_window/import_texts.h"

#include <QDir>

namespace import_texts {

QString importFileButton()
{
    return QStringLiteral("从文件导入...");
}

QString openFilters()
{
    return QStringLiteral("表格和文本文件 (*.xlsx *.csv *.txt);;Excel 工作簿 (*.xlsx);;"
                          "CSV 文件 (*.csv);;文本文件 (*.txt);;所有文件 (*)");
}

QString participantCount(int count)
{
    return QStringLiteral("名单文件中现有 %1 人").arg(count);
}

QString noParticipantFile()
{
    return QStringLiteral("尚未导入名单");
}

QString cannotOpen(const QString& fileName, const QString& reason)
{
    return QStringLiteral("无法打开文件“%1”：%2").arg(fileName, reason);
}

QString encrypted(const QString& fileName)
{
    return QStringLiteral("文件“%1”已加密，或是旧版 Excel（.xls）文件，无法读取。\r\n"
                          "请在表格程序中取消密码，另存为 .xlsx 或 .csv 后再导入。")
        .arg(fileName);
}

QString notReadable(const QString& fileName)
{
    return QStringLiteral("文件“%1”无法读取：它不是 .xlsx 表格、CSV 或文本文件，或者已经损坏。")
        .arg(fileName);
}

QString binaryContent(const QString& fileName)
{
    return QStringLiteral("文件“%1”不是文本或 CSV 文件：其中有空字符等文本里不会出现的控制字符，"
                          "无法作为名单导入。\r\n"
                          "如果它是表格，请在表格程序中另存为 .xlsx 或 .csv 后再导入。")
        .arg(fileName);
}

namespace {

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + (1 << 20) - 1) >> 20);
}

} // namespace

QString fileTooLarge(const QString& fileName, qint64 limitBytes)
{
    return QStringLiteral("文件“%1”超过 %2 MB 的大小上限，不像是一份名单，无法导入。")
        .arg(fileName, megabytes(limitBytes));
}

QString rowTooLong(const QString& fileName, qint64 row, qint64 limitCharacters)
{
    return QStringLiteral("文件“%1”的第 %2 行超过 %3 个字符的长度上限，无法导入。\r\n"
                          "每行是一名参与者；请检查这一行，例如 CSV 文件中是否少了一个引号。")
        .arg(fileName)
        .arg(row)
        .arg(limitCharacters);
}

QString unpackedTooLarge(const QString& fileName, qint64 limitBytes)
{
    return QStringLiteral("工作簿“%1”中有一部分解压后超过 %2 MB 的上限，不像是一份名单，无法导入。")
        .arg(fileName, megabytes(limitBytes));
}

QString listTooLarge(const QString& fileName, qint64 limitBytes)
{
    return QStringLiteral("文件“%1”中的名单读入后要占用超过 %2 MB 的内存，超过了上限，无法导入。")
        .arg(fileName, megabytes(limitBytes));
}

QString emptyFile(const QString& fileName)
{
    return QStringLiteral("文件“%1”中没有数据。").arg(fileName);
}

QString titleRowQuestion(const QString& firstLine)
{
    return QStringLiteral("第一行像是列标题：\r\n%1\r\n\r\n"
                          "点击【是】不导入这一行。\r\n点击【否】把它当作参与者保留。")
        .arg(firstLine);
}

// No full stop: the handler guard's box adds one.
QString columnTitlesNotSaved(const QString& reason)
{
    return QStringLiteral("名单已导入，但列标题文件“rafflixcolumns.txt”无法更新：%1\r\n"
                          "导出中奖名单时各列将用默认的列名")
        .arg(reason);
}

QString outsideGbkQuestion(int characters, int lines, const QStringList& firstLines)
{
    QString text = QStringLiteral("名单中有 %1 个字符无法保存（共 %2 行），导入后会变成“?”，"
                                  "不同的人可能变成同一行：\r\n")
                       .arg(characters)
                       .arg(lines);
    text += firstLines.join(QStringLiteral("\r\n"));
    if (lines > firstLines.size())
        text += QStringLiteral("\r\n……");
    text += QStringLiteral("\r\n\r\n点击【是】仍然导入。\r\n点击【否】返回修改。");
    return text;
}

} // namespace import_texts
