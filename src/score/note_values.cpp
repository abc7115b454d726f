#include "score/note_values.h"

namespace velmora {

namespace {

struct Candidate {
    int steps;
    int undotted;
};

// Longest first; a dotted value starts where its undotted value could.
constexpr Candidate kCandidates[] = {{8, 8}, {6, 4}, {4, 4}, {3, 2}, {2, 2}, {1, 1}};

bool startsOnItsBeat(const ScoreMetre& metre, int offset, const Candidate& candidate) {
    // In 3/4 the quarter beats carry halves and dotted halves as well.
    const int grid = metre.beats == 3 && candidate.undotted > 2 ? 2 : candidate.undotted;
    return offset % grid == 0;
}

bool crossesMiddle(const ScoreMetre& metre, int offset, int steps) {
    if (metre.beats != 4 || offset == 0) return false;
    const int middle = metre.barSteps / 2;
    return offset < middle && offset + steps > middle;
}

}  // namespace

int nextWrittenSteps(const ScoreMetre& metre, int offset, int length) {
    for (const Candidate& candidate : kCandidates) {
        if (candidate.steps > length || offset + candidate.steps > metre.barSteps) continue;
        if (!startsOnItsBeat(metre, offset, candidate) || crossesMiddle(metre, offset, candidate.steps))
            continue;
        return candidate.steps;
    }
    return 1;
}

WrittenValue writtenValue(int steps) {
    switch (steps) {
        case 8:
            return {"whole", 0};
        case 6:
            return {"half", 1};
        case 4:
            return {"half", 0};
        case 3:
            return {"quarter", 1};
        case 2:
            return {"quarter", 0};
        default:
            return {"eighth", 0};
    }
}

}  // namespace velmora
