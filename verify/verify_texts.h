#pragma once

#include "verify/record_check.h"

#include <QString>

// What prizmora-verify says, in Chinese or English.
namespace verify_texts {

// Chinese when LC_ALL, else LC_MESSAGES, else LANG begins with "zh".
bool chineseLocale();

// The one line for the result: the summary, or the failing entry and why.
QString resultLine(const record_check::Result& result, bool chinese);
QString usage(bool chinese);
QString reportWritten(const QString& path, bool chinese);

} // namespace verify_texts
