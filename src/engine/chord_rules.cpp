#include "engine/chord_rules.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "engine/range_fitting.h"
#include "mapping/scale_membership.h"
#include "mapping/scale_pattern.h"

namespace velmora {

namespace {

using Values = std::initializer_list<int>;

bool contains(Values values, std::uint8_t v) { return std::find(values.begin(), values.end(), v) != values.end(); }

std::uint8_t plus(std::uint8_t root, int interval) { return static_cast<std::uint8_t>(root + interval); }

// One chord rule application: the root r, its untransposed value v and the
// context the pattern rules read.
class ChordRule {
public:
    ChordRule(const PerformanceOptions& options, const PerformanceState& state, std::uint8_t root, int coin,
              ChordRules rules, ChordSink& sink)
        : options_(options),
          pattern_(options.scalePattern),
          mode_(options.tonicMode()),
          r_(root),
          v_(static_cast<std::uint8_t>(root - options.keyShift)),
          coin_(coin),
          file_(rules == ChordRules::File),
          thick_(options.thickChords),
          accentCut_(state.accentCut),
          sink_(sink) {}

    void apply();

private:
    bool in(int interval) const { return inScale(pattern_, plus(r_, interval), mode_, options_.keyShift); }
    bool inA(int interval) const {
        return inScale(pattern_, plus(r_, interval), TonicMode::A, options_.keyShift);
    }
    bool inTest(ScalePattern test, int interval) const {
        return inScale(indexOf(test), plus(r_, interval), mode_, options_.keyShift);
    }
    bool modeA() const { return mode_ == TonicMode::A; }
    bool modeE() const { return mode_ == TonicMode::E; }

    std::uint8_t accentedChordVelocity() const {
        return static_cast<std::uint8_t>(options_.chordVelocity - accentCut_);
    }
    void add(int interval) { add(interval, accentedChordVelocity()); }
    void add(int interval, std::uint8_t velocity) { sink_.addNote(plus(r_, interval), velocity); }
    void addIf(bool condition, int interval) {
        if (condition) add(interval);
    }

    // The third on coin 0: r+3 when the test admits it, else r+4 when it does.
    template <typename Test>
    void third(Test test) {
        if (coin_ != 0) return;
        if (test(3))
            add(3);
        else if (test(4))
            add(4);
    }

    void funny();
    void fantastic();
    void gypsy();
    void wholeTone() {
        add(8);
        add(4);
    }
    void ryo();
    void ritsu();
    void ryukyu();
    void majorLike();
    void minorLike();
    void bluesLike();
    void moreNatural();
    void spanish();

    const PerformanceOptions& options_;
    const int pattern_;
    const TonicMode mode_;
    const std::uint8_t r_;
    const std::uint8_t v_;
    const int coin_;
    const bool file_;
    const bool thick_;
    const std::uint8_t accentCut_;
    ChordSink& sink_;
};

void ChordRule::apply() {
    const std::optional<ScalePattern> pattern = scalePatternAt(pattern_);
    if (!pattern) return;  // no pattern selected: no chord rule
    // clang-format off
    switch (*pattern) {
        case ScalePattern::Funny: funny(); break;
        case ScalePattern::Fantastic: fantastic(); break;
        case ScalePattern::Gypsy: gypsy(); break;
        case ScalePattern::WholeTone: wholeTone(); break;
        case ScalePattern::Ryo: ryo(); break;
        case ScalePattern::Ritsu: ritsu(); break;
        case ScalePattern::Ryukyu: ryukyu(); break;
        case ScalePattern::MajorLike: majorLike(); break;
        case ScalePattern::MinorLike: minorLike(); break;
        case ScalePattern::BluesLike: bluesLike(); break;
        case ScalePattern::MoreNatural: moreNatural(); break;
        case ScalePattern::Spanish: spanish(); break;
    }
    // clang-format on
}

void ChordRule::funny() {
    third([this](int i) { return inA(i); });
    addIf(thick_ && inA(-5), -5);
    addIf(inA(7), 7);
    if (modeA() && contains({40, 52, 64, 76, 88}, v_)) add(10);
    if (modeE()) {
        const bool tenth = file_ ? contains({36, 48, 60, 72, 84}, v_) : contains({31, 43, 55, 67, 78, 90}, v_);
        if (tenth) add(10);
    }
}

void ChordRule::fantastic() {
    third([this](int i) { return inA(i); });
    addIf(thick_ && inA(-5), -5);
    addIf(inA(7), 7);
    if (modeE() && contains({40, 52, 64, 76, 88}, v_)) add(10);
    if (modeA() && contains({36, 48, 60, 72, 84}, v_)) add(10);
}

void ChordRule::gypsy() {
    if (modeA()) {
        if (contains({48, 60, 72, 84, 96}, v_)) {
            add(4);
            add(8);
        } else if (contains({51, 63, 75, 87, 99}, v_)) {
            add(5);
            add(8);
        } else if (contains({59, 71, 83, 94}, v_)) {
            add(6);
        } else {
            third([this](int i) { return inA(i); });
            addIf(inA(7), 7);
            addIf(thick_, -5);
        }
        return;
    }
    if (contains({47, 59, 71, 83, 95}, v_)) {
        add(4);
        add(7);
    } else if (contains({53, 65, 77, 89, 101}, v_)) {
        add(6);
    } else if (contains({54, 66, 78, 90}, v_)) {
        add(4);
        add(8);
    } else if (contains({57, 69, 81, 93}, v_)) {
        add(5);
        add(8);
    } else {
        third([this](int i) { return inA(i); });
        addIf(inA(7), 7);
        addIf(thick_ && in(-5), -5);
    }
}

void ChordRule::ryo() {
    if (thick_ && inA(-5)) {
        // The file writes the lower fourth without the accent.
        if (file_)
            add(-5, static_cast<std::uint8_t>(options_.chordVelocity));
        else
            add(-5);
    }
    addIf(in(7), 7);
    if (modeA() && contains({52, 64, 76, 88, 100}, v_)) add(10);
    if (modeE() && contains({43, 55, 77, 99}, v_)) add(10);
    third([this](int i) { return in(i); });
}

void ChordRule::ritsu() {
    addIf(thick_ && in(-5), -5);
    addIf(in(7), 7);
    if (modeA() && contains({45, 48, 57, 60, 69, 72, 81, 84, 93, 96}, v_)) add(10);
    if (modeE() && contains({43, 46, 55, 58, 67, 70, 79, 82, 91, 94}, v_)) add(10);
    if (coin_ != 0) return;
    int interval = 0;
    if (in(3))
        interval = 3;
    else if (in(4))
        interval = 4;
    if (interval == 0) return;
    if (file_) {
        add(interval);
        return;
    }
    // Live, the third sounds with the solo velocity and only the backing limits'
    // single octave steps, outside the range fitting.
    sink_.addUnfittedNote(stepIntoBackingRange(options_, plus(r_, interval)),
                          options_.accentedMelodyVelocity(0));
}

void ChordRule::ryukyu() {
    addIf(thick_ && inA(-5), -5);
    addIf(in(7), 7);
    if (modeA() && contains({41, 43, 53, 55, 65, 67, 77, 79, 89, 91}, v_)) add(10);
    if (modeE() && contains({44, 46, 56, 58, 68, 70, 80, 82, 92, 94}, v_)) add(10);
    if (file_) {
        if (coin_ == 0 && in(3)) add(3);
    } else {
        third([this](int i) { return in(i); });
    }
}

void ChordRule::majorLike() {
    addIf(thick_ && inA(-5), -5);
    if (coin_ == 0) {
        if (in(3))
            add(3, file_ ? static_cast<std::uint8_t>(options_.chordVelocity) : accentedChordVelocity());
        else if (in(4))
            add(4);
    }
    addIf(in(7), 7);
    if (contains({40, 43, 52, 55, 64, 67, 76, 79, 88, 91, 100}, v_)) add(10);
}

void ChordRule::minorLike() {
    addIf(thick_ && inA(-5), -5);
    third([this](int i) { return in(i); });
    addIf(in(7), 7);
    if (modeA() && contains({41, 43, 53, 55, 65, 67, 77, 79, 89, 91}, v_)) add(10);
    if (modeE() && contains({32, 46, 56, 58, 68, 70, 80, 82, 92, 94}, v_)) add(10);
}

void ChordRule::bluesLike() {
    addIf(thick_ && inA(-5), -5);
    addIf(in(7), 7);
    addIf(thick_ && inA(10), 10);
    third([this](int i) { return in(i); });
}

void ChordRule::moreNatural() {
    third([this](int i) { return inTest(ScalePattern::Spanish, i); });
    addIf(thick_ && in(-5), -5);
    addIf(in(7), 7);
    if (modeE() && contains({55, 67, 79, 91}, v_)) add(10);
}

void ChordRule::spanish() {
    addIf(thick_ && inA(-5), -5);
    addIf(in(7), 7);
    if (file_) {
        if (modeE() && contains({55, 67, 79, 91}, v_)) add(10);
        if (modeA() && contains({59, 71, 83, 95}, v_)) add(10);
    } else {
        if (modeE() && contains({43, 55, 67, 79, 91}, v_)) add(10);
        if (modeA() && contains({47, 59, 71, 83, 95}, v_)) add(10);
    }
    if (coin_ == 0) {
        if (in(3))
            add(3, file_ ? static_cast<std::uint8_t>(options_.chordVelocity - 2 * accentCut_)
                         : accentedChordVelocity());
        else if (in(4))
            add(4);
    } else {
        if (in(4))
            add(4);
        else if (in(3))
            add(3);
    }
}

// Root values whose chord is built a major third lower.
bool rootNeedsCorrection(int patternIndex, TonicMode mode, std::uint8_t rootValue) {
    const std::optional<ScalePattern> pattern = scalePatternAt(patternIndex);
    const bool modeE = mode == TonicMode::E;
    const bool natural = pattern == ScalePattern::MoreNatural;
    const bool minor = pattern == ScalePattern::MinorLike;
    if ((modeE && natural) || (!modeE && minor)) return contains({35, 47, 59, 71, 83, 95}, rootValue);
    if (modeE && minor) return contains({38, 50, 62, 74, 86, 98}, rootValue);
    if (!modeE && natural) return contains({37, 49, 61, 73, 85, 97}, rootValue);
    return false;
}

}  // namespace

void buildChord(std::uint8_t melodyNote, const PerformanceOptions& options, PerformanceState& state,
                RandomSource& rng, ChordRules rules, ChordSink& sink) {
    std::uint8_t root = static_cast<std::uint8_t>(melodyNote - options.chordDrop());
    state.wordStart = false;
    if (options.thickChords) {
        sink.addNote(static_cast<std::uint8_t>(root - 12),
                     static_cast<std::uint8_t>(options.chordVelocity - state.accentCut));
    }
    const auto rootValue = static_cast<std::uint8_t>(root - options.keyShift);
    if (rootNeedsCorrection(options.scalePattern, options.tonicMode(), rootValue))
        root = static_cast<std::uint8_t>(root - 4);
    const int coin = rng.below(2);
    ChordRule(options, state, root, coin, rules, sink).apply();
}

}  // namespace velmora
