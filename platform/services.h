#pragma once

class Clock;
class DesktopEnvironment;
class FileDialogs;
class MessageBoxes;
class SoundPlayer;

// The platform services the program uses, replaceable as a whole so tests can
// answer boxes, pick files, set the time and hear what was played.
struct Services
{
    MessageBoxes* boxes = nullptr;
    FileDialogs* dialogs = nullptr;
    SoundPlayer* sound = nullptr;
    Clock* clock = nullptr;
    DesktopEnvironment* desktop = nullptr;
};

Services& services();
