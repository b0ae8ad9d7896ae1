#pragma once

#include "storage/text_line_list.h"

// The main window's three program-wide lists. They exist from program start,
// so the draw always has lists even when the first start-up routine failed
// before creating its own; each run of the routine replaces them.
namespace cou {
extern TextLineList ParticipantList;
extern TextLineList ResultsList;
extern TextLineList LevelPrefixList;
} // namespace cou
