#include "roll/roll_model.h"

#include <algorithm>

namespace velmora {

RollBuilder::RollBuilder(std::int32_t meterKind, int nameBase) {
    model_.stepsPerBar = RollModel::stepsPerBarOf(meterKind);
    model_.nameBase = nameBase;
    for (auto& voice : open_) voice.fill(kSilent);
}

void RollBuilder::widenRange(std::uint8_t pitch) {
    if (model_.notes.size() == 1) {
        model_.lowestPitch = model_.highestPitch = pitch;
        return;
    }
    model_.lowestPitch = std::min(model_.lowestPitch, pitch);
    model_.highestPitch = std::max(model_.highestPitch, pitch);
}

void RollBuilder::noteOn(RollVoice voice, std::int32_t step, std::uint8_t pitch, std::int32_t memoOffset) {
    if (pitch > 127) return;
    std::int32_t& slot = open(voice)[pitch];
    if (slot != kSilent) {
        // The same pitch struck again in the same step (a chord doubling a note) is one note.
        if (model_.notes[static_cast<std::size_t>(slot)].startStep == step) return;
        close(slot, step);
    }
    slot = static_cast<std::int32_t>(model_.notes.size());
    model_.notes.push_back({step, 0, pitch, voice, memoOffset});
    sounding_.push_back(slot);
    widenRange(pitch);
    model_.totalSteps = std::max(model_.totalSteps, step);
}

void RollBuilder::noteOff(RollVoice voice, std::int32_t step, std::uint8_t pitch) {
    if (pitch > 127) return;
    const std::int32_t slot = open(voice)[pitch];
    if (slot != kSilent) close(slot, step);
}

void RollBuilder::allOff(RollVoice voice, std::int32_t step) {
    for (const std::int32_t slot : open(voice)) {
        if (slot != kSilent) close(slot, step);
    }
}

void RollBuilder::close(std::int32_t index, std::int32_t step) {
    RollNote& note = model_.notes[static_cast<std::size_t>(index)];
    note.lengthSteps = std::max(0, step - note.startStep);
    model_.longestNote = std::max(model_.longestNote, note.lengthSteps);
    model_.totalSteps = std::max(model_.totalSteps, step);
    open(note.voice)[note.pitch] = kSilent;
    sounding_.erase(std::find(sounding_.begin(), sounding_.end(), index));
}

const RollModel& RollBuilder::peek(std::int32_t currentStep) {
    for (const std::int32_t index : sounding_) {
        RollNote& note = model_.notes[static_cast<std::size_t>(index)];
        note.lengthSteps = std::max(0, currentStep - note.startStep);
        model_.longestNote = std::max(model_.longestNote, note.lengthSteps);
    }
    model_.totalSteps = std::max(model_.totalSteps, currentStep);
    return model_;
}

RollModel RollBuilder::finish(std::int32_t endStep) {
    while (!sounding_.empty()) close(sounding_.back(), endStep);
    model_.totalSteps = std::max(model_.totalSteps, endStep);
    // Melody and chords are written in passes of their own: merge them by start.
    std::stable_sort(model_.notes.begin(), model_.notes.end(),
                     [](const RollNote& a, const RollNote& b) { return a.startStep < b.startStep; });
    RollModel done = std::move(model_);
    model_ = RollModel{};
    for (auto& voice : open_) voice.fill(kSilent);
    return done;
}

}  // namespace velmora
