#include "language/status_texts.h"

#include <string_view>
#include <utility>

#include "engine/transport_display.h"

namespace velmora {

std::string statusTextIn(Language language, const std::string& japaneseStatus) {
    if (language == Language::Japanese) return japaneseStatus;
    static const std::pair<std::string_view, const char*> kEnglish[] = {
        {kStatusPreparing, "[!] Preparing, one moment please"},
        {kStatusPlaying, "Playing"},
        {kStatusResting, "Resting"},
        {kStatusLoading, "Loading"},
    };
    for (const auto& [japanese, english] : kEnglish) {
        if (japaneseStatus == japanese) return english;
    }
    return japaneseStatus;
}

}  // namespace velmora
