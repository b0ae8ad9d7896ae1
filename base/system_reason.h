#pragma once

#include <QString>

// The reason a file operation failed, as the error messages show it after
// the path: always in Chinese, whichever locale the program runs under, so a
// message never mixes two languages.
namespace system_reason {

// Not an errno value: the path names a pipe, a device, a socket or anything
// else that is not a regular file, which the program never reads or replaces.
inline constexpr int kNotARegularFile = -1;

QString text(int errorNumber);

} // namespace system_reason
