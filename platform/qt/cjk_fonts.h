#pragma once

// Maps the Windows font families the windows ask for ("宋体", "楷体", "仿宋",
// "黑体") to installed CJK fonts of a matching style.
void installCjkFontSubstitutions();
