#pragma once

class QWidget;

// Restores a window that is minimized (keeping full screen or maximized),
// shows it and brings it to the front with the keyboard focus, whatever state
// it was left in.
void bringToFront(QWidget* window);
