#pragma once

class QWidget;

// The program window a message box is to stand over, so that it shows in
// front of every window of the program with the keyboard focus: a modal box
// already open, else a visible window kept on top (the settings window),
// else the active window, else the window that asked for the box.
QWidget* boxOwner(QWidget* requested);

// Whether the box must be kept on top itself to stay in front of its owner.
bool ownerStaysOnTop(const QWidget* owner);
