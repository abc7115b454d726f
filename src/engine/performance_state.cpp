#include "engine/performance_state.h"

namespace velmora {

std::vector<std::int32_t> lineStartsOfPlainLines(const std::vector<std::string>& lines) {
    std::vector<std::int32_t> starts;
    starts.reserve(lines.size());
    std::int64_t offset = 0;
    for (const auto& line : lines) {
        starts.push_back(static_cast<std::int32_t>(offset));
        offset += static_cast<std::int64_t>(line.size()) + 2;  // CR LF
    }
    return starts;
}

}  // namespace velmora
