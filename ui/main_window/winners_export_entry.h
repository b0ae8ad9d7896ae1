#pragma once

class QMenu;
class QPlainTextEdit;
class QWidget;

// The right-click menu's entry that saves the winners of the results list as
// an .xlsx workbook or a CSV file.
void addWinnersExportEntry(QMenu* menu, QWidget* window, QPlainTextEdit* resultsList);

// The entry's handler; throws when the file cannot be written, in Chinese
// with the reason.
void exportWinners(QWidget* window, const QPlainTextEdit& resultsList);
