#pragma once

#include <QByteArray>
#include <vector>

// CR LF, a lone LF and a lone CR each end a line; a final break gives no empty
// last line; a zero byte ends the text.
std::vector<QByteArray> splitIntoLines(const QByteArray& text);

// Every line followed by CR LF, in order; no lines give no bytes.
QByteArray joinLinesWithCrLf(const std::vector<QByteArray>& lines);
