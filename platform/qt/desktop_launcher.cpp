#include "platform/qt/desktop_launcher.h"

#include "platform/desktop_environment.h"

void writeDesktopLauncher(const DesktopEnvironment&) {}
