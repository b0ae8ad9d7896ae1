#pragma once

// Test programs that need widgets link gui_test_main.cpp as their main: it
// starts a QApplication on the offscreen platform (unless another platform is
// asked for) with the program's Chinese texts and fonts.
