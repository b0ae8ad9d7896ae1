#pragma once

#include <QString>

// Where the launcher goes and what it starts; tests point it elsewhere.
class DesktopEnvironment
{
  public:
    virtual ~DesktopEnvironment() = default;
    // The user's desktop folder; empty when none is known.
    virtual QString desktopFolder() const = 0;
    virtual QString executablePath() const = 0;
};
