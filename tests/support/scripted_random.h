#pragma once

#include <deque>
#include <vector>

#include "mapping/random_source.h"

namespace velmora::testing {

// Answers the queued values in order, then `fallback`; records every bound asked.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> values = {}, int fallback = 0)
        : values_(values.begin(), values.end()), fallback_(fallback) {}

    int below(int bound) override {
        bounds.push_back(bound);
        if (values_.empty()) return fallback_ % bound;
        const int value = values_.front();
        values_.pop_front();
        return value % bound;
    }

    std::vector<int> bounds;

private:
    std::deque<int> values_;
    int fallback_;
};

}  // namespace velmora::testing
