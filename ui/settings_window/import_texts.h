#pragma once

#include <QString>
#include <QStringList>

// Texts of importing the participants from a file.
namespace import_texts {

QString importFileButton();          // 从文件导入...
QString openFilters();               // the open dialog's types
QString participantCount(int count); // 名单文件中现有 N 人
QString noParticipantFile();         // no list imported yet
QString cannotOpen(const QString& fileName, const QString& reason);
QString encrypted(const QString& fileName);
QString notReadable(const QString& fileName);
QString binaryContent(const QString& fileName);
QString fileTooLarge(const QString& fileName, qint64 limitBytes);
QString rowTooLong(const QString& fileName, qint64 row, qint64 limitCharacters);
QString unpackedTooLarge(const QString& fileName, qint64 limitBytes);
QString listTooLarge(const QString& fileName, qint64 limitBytes);
QString emptyFile(const QString& fileName);
QString titleRowQuestion(const QString& firstLine);
QString columnTitlesNotSaved(const QString& reason);
QString outsideGbkQuestion(int characters, int lines, const QStringList& firstLines);

} // namespace import_texts
