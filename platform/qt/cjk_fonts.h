#pragma once

#include <QFont>

// Maps the Windows font families the windows ask for ("宋体", "楷体", "仿宋",
// "黑体") to installed CJK fonts of a matching style.
void installCjkFontSubstitutions();

// A font by its Windows family name and character height in pixels; the
// family is mapped to an installed CJK font by the substitutions above.
QFont cjkFont(const char* familyUtf8, int pixelHeight, bool bold = false);
