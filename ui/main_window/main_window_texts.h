#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Fixed texts of the main window.
namespace main_window_texts {

QString caption();
QStringList menuEntries();
QString closeQuestion();
// "抽奖结果" + yyyymmddhhmmss + ".txt"
QString proposedResultsName(const QDateTime& localTime);
// The types the results save dialog offers: the picture types, all
// pictures first.
QStringList resultsSaveFilters();

} // namespace main_window_texts
