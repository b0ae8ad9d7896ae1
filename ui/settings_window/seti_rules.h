#pragma once

#include "storage/program_settings.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The settings window's decisions, free of widgets: what a typed character
// may do to a field and what a page must hold before it is saved. Texts are
// the GBK bytes the settings file keeps.
namespace seti_rules {

// From this many bytes on the title takes nothing but Backspace (9 Chinese
// characters fill it).
inline constexpr qsizetype kTitleFullBytes = 18;

bool titleAcceptsCharacter(const QByteArray& titleBefore, QChar character);

enum class CountCharacter { Accepted, LeadingZero, NotADigit };

// The digit filter of a count field; it looks only at where the typed
// character goes (the start of the selection), never at the field's text.
CountCharacter countFieldDecision(int caretPosition, QChar character);
// The top-most notice for a refused character.
QString countFieldRefusalText(CountCharacter decision);

// The warning of the first empty field, in page order; nothing when it may be saved.
std::optional<QString> basicPageProblem(const program_settings::BasicSettings& page);
std::optional<QString> prizePageProblem(const program_settings::PrizeSettings& page);

// A yes/no combo box selects "是" (index 0) only for exactly that stored text.
int yesNoIndex(const QByteArray& stored);

} // namespace seti_rules
