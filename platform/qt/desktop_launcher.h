#pragma once

class DesktopEnvironment;

// Writes the program's launcher onto the user's desktop, replacing one of the
// same name. Every failure is silent.
void writeDesktopLauncher(const DesktopEnvironment& environment);
