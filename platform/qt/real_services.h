#pragma once

class QApplication;

// Installs the real platform services for the running program.
void installRealServices();

// Chinese standard button texts whatever the system locale, and CJK fonts in
// place of the Windows family names the windows ask for.
void installChineseUserInterface(QApplication& application);
