#pragma once

#include "storage/screen_privacy_settings.h"

#include <QByteArray>
#include <vector>

// What the audience sees of a participant line (the display field, the roll,
// the results list and the stage board); the files, the history and the
// export keep every byte. GBK in, GBK out.
namespace screen_privacy {

// Every run of 11 or more ASCII digits (an identity number's last character
// may be X) shows its first 3 digits, or 6 from 15 digits on, and its last 4;
// the rest are '*': 110101********1234, 138****1234. Shorter runs (staff
// numbers, dates, times) stay as they are.
QByteArray maskedDigitRuns(const QByteArray& text);

// The chosen cells of a tab-separated line, in their order, joined by tabs;
// the whole line when no column is chosen. A line without a chosen cell
// shows its first cell, so a winner never shows as nothing.
QByteArray chosenColumns(const QByteArray& line, const std::vector<int>& columns);

QByteArray shownParticipant(const QByteArray& line, const ScreenPrivacy& privacy);
// A results-list line: its level label (up to the first "：") and the time
// after " 时间：" stay, its participant part is shown as above.
QByteArray shownResultsListLine(const QByteArray& line, const ScreenPrivacy& privacy);

// The line holds an identity number (17 digits and a digit or X) or a
// mobile number (11 digits from 13 to 19).
bool holdsPersonalNumbers(const QByteArray& line);

} // namespace screen_privacy
