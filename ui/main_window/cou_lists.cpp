#include "ui/main_window/cou_lists.h"

namespace cou {
TextLineList ParticipantList;
TextLineList ResultsList;
TextLineList LevelPrefixList;
} // namespace cou
