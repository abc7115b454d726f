#pragma once

#include <string>

#include "language/language_choice.h"

namespace velmora {

// The transport's status texts (演奏中, 休憩中, ...) in `language`; a text the
// table does not know is returned as it is.
std::string statusTextIn(Language language, const std::string& japaneseStatus);

}  // namespace velmora
