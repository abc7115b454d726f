#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "mapping/random_source.h"

namespace velmora {

// A RandomSource that hands out queued values and records the bound of every draw, so tests
// can choose the draw and count how many were made.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<int> values) : values_(values) {}

    void push(int value) { values_.push_back(value); }

    int below(int bound) override {
        bounds_.push_back(bound);
        if (values_.empty()) {
            ADD_FAILURE() << "unexpected draw below " << bound;
            return 0;
        }
        const int value = values_.front();
        values_.pop_front();
        EXPECT_LT(value, bound) << "scripted value out of the requested range";
        return value;
    }

    int drawCount() const { return static_cast<int>(bounds_.size()); }
    const std::vector<int>& bounds() const { return bounds_; }
    bool exhausted() const { return values_.empty(); }

private:
    std::deque<int> values_;
    std::vector<int> bounds_;
};

}  // namespace velmora
