#pragma once

#include <QString>
#include <QStringList>

// Characters that GBK cannot hold, such as the 䶮 in 王䶮: written to the
// participant file they become "?", so two people can turn into one line.
struct CharactersOutsideGbk
{
    int count = 0;          // characters, not lines
    int lineCount = 0;      // lines holding at least one
    QStringList firstLines; // "第 N 行：text" for the first few such lines
};

// Lines are separated by '\n', numbered from 1.
CharactersOutsideGbk findCharactersOutsideGbk(const QString& text, int linesToShow = 5);
