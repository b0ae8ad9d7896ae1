#pragma once

#include <QString>

class QWidget;

// Before the import writes: when the list holds characters GBK cannot keep,
// asks whether to import anyway. True when there are none or the operator
// goes on.
bool confirmCharactersOutsideGbk(QWidget* parent, const QString& listText);
