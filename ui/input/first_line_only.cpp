#include "ui/input/first_line_only.h"

#include <QLineEdit>

namespace {

qsizetype firstBreak(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return i;
    }
    return -1;
}

QString firstLine(const QString& text)
{
    const qsizetype at = firstBreak(text);
    return at < 0 ? text : text.left(at);
}

} // namespace

QValidator::State FirstLineOnly::validate(QString& input, int& position) const
{
    const qsizetype at = firstBreak(input);
    if (at < 0)
        return Acceptable;
    // The caret stands right after what was inserted, so the text after it
    // is what followed the insertion point and stays.
    const QString kept = input.left(at);
    const QString after = position > at ? firstLine(input.mid(position)) : QString();
    input = kept + after;
    position = static_cast<int>(kept.size());
    return Acceptable;
}

void FirstLineOnly::install(QLineEdit* field)
{
    field->setValidator(new FirstLineOnly(field));
}
