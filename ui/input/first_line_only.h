#pragma once

#include <QValidator>

class QLineEdit;

// Keeps a one-line field on one line, as a one-line edit control does: a
// pasted or dropped text with line breaks leaves its first line at the caret
// and drops the rest. A line break in a field would otherwise reach the
// settings file, where it starts a new key or section.
class FirstLineOnly : public QValidator
{
    Q_OBJECT
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;

    // Installs it on the field; it goes with the field.
    static void install(QLineEdit* field);
};
