#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <vector>

#include "mapping/random_source.h"

namespace velmora::testing {

// A RandomSource that answers the queued values in order, then 0, and records
// the bound of every draw, so that tests choose the draws (the chord coin, the
// letter tables' choices) and count how many were made. A queued value must be
// a possible answer: below the bound asked.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<int> values) : values_(values) {}

    void push(int value) { values_.push_back(value); }

    int below(int bound) override {
        bounds_.push_back(bound);
        if (values_.empty()) return 0;
        const int value = values_.front();
        values_.pop_front();
        EXPECT_LT(value, bound) << "scripted value out of the requested range";
        return value;
    }

    int drawCount() const { return static_cast<int>(bounds_.size()); }
    const std::vector<int>& bounds() const { return bounds_; }
    // Whether every queued value has been drawn.
    bool exhausted() const { return values_.empty(); }

private:
    std::deque<int> values_;
    std::vector<int> bounds_;
};

}  // namespace velmora::testing
