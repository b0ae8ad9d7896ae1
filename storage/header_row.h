#pragma once

#include <QStringList>

// Whether a list's first row is column titles rather than a participant: one
// of its cells is a usual title (姓名, 部门, 工号, 编号, 手机, Name ...), with
// case, blanks and a trailing colon ignored.
bool looksLikeColumnTitles(const QStringList& cells);
