#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <vector>

// Where a line lies in the text it was split from: bytes begin to end.
struct LineSpan
{
    quint32 begin = 0;
    quint32 end = 0;
};

// Texts up to this size can be split into spans; the offsets are 32 bits so
// that ten million lines take 80 MB beside the text, not 160.
inline constexpr qint64 kMaxSpannedTextBytes = 0xFFFFFFFFLL;

// The lines of the text as spans, appended to `spans`, by the rule of
// splitIntoLines: CR LF, a lone LF and a lone CR each end a line; a final
// break gives no empty last line; a zero byte ends the text. The text must not
// be longer than kMaxSpannedTextBytes.
void appendLineSpans(QByteArrayView text, std::vector<LineSpan>& spans);
