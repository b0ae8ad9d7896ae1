#pragma once

#include <QString>
#include <optional>

// How many participants a participant file holds, by the same line rules the
// draw reads it with; nothing when there is no such regular file to read.
std::optional<int> participantCount(const QString& path);
