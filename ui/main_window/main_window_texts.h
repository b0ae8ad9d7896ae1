#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// Fixed texts of the main window.
namespace main_window_texts {

QString caption();
// The first entries of the right-click menu, for the operator: where the
// program works, how many are in the participant list (none: no list file),
// the keys.
QStringList menuEntries(const QString& workingFolder, std::optional<qint64> participants);
QString closeQuestion();
// "抽奖结果" + yyyymmddhhmmss + ".txt"
QString proposedResultsName(const QDateTime& localTime);
// The types the results save dialog offers: the picture types, all
// pictures first.
QStringList resultsSaveFilters();

} // namespace main_window_texts
