#pragma once

#include <QDateTime>
#include <QFont>
#include <QString>
#include <QStringList>

// Fixed texts and fonts of the main window.
namespace main_window_texts {

QString caption();
QStringList menuEntries();
QString closeQuestion();
// "抽奖结果" + yyyymmddhhmmss + ".txt"
QString proposedResultsName(const QDateTime& localTime);
// The save dialog's picture types, all pictures first.
QStringList pictureFilters();
// A font by its Windows family name and character height in pixels; the
// family is mapped to an installed CJK font by substitution.
QFont font(const char* familyUtf8, int pixelHeight, bool bold = false);

} // namespace main_window_texts
