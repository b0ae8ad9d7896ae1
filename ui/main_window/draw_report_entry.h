#pragma once

class QMenu;
class QWidget;

// The right-click menu's entry that checks the working folder's draw record
// and saves the report to sign as a PDF.
void addDrawReportEntry(QMenu* menu, QWidget* window);

// The entry's handler: a record that does not verify gets no report, only
// the reason; throws when the PDF cannot be written.
void saveDrawReport(QWidget* window);
