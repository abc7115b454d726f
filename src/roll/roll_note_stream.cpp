#include "roll/roll_note_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "documents/file_error.h"

namespace velmora {

// Fixed records of ended notes in an unnamed file, written and then read
// back in order through a buffer.
class RollNoteStream::Scratch {
public:
    Scratch(const std::string& folder, const std::string& target) : target_(target) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            // A file system without unnamed files: a named one, gone at once.
            std::string name = folder + "/.velmora-roll-XXXXXX";
            fd_ = ::mkostemp(name.data(), O_CLOEXEC);
            if (fd_ >= 0) ::unlink(name.c_str());
        }
        if (fd_ < 0) fail();
    }
    ~Scratch() {
        if (fd_ >= 0) ::close(fd_);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    void put(const RollNote& note) {
        Record record{note.startStep, note.lengthSteps, note.pitch};
        buffer_.insert(buffer_.end(), reinterpret_cast<const char*>(&record),
                       reinterpret_cast<const char*>(&record) + sizeof record);
        if (buffer_.size() >= kBufferBytes) drain();
    }
    void finishWriting() { drain(); }
    bool peek(RollNote& note) {
        if (readAt_ == buffer_.size() && !refill()) return false;
        Record record;
        std::memcpy(&record, buffer_.data() + readAt_, sizeof record);
        note = {record.start, record.length, record.pitch, RollVoice::Melody, -1};
        return true;
    }
    void next() { readAt_ += sizeof(Record); }

private:
    struct Record {
        std::int32_t start;
        std::int32_t length;
        std::uint8_t pitch;
    };
    static constexpr std::size_t kBufferBytes = 1 << 20;

    [[noreturn]] void fail() const { throw FileError::creating(target_, FileProblem::System, errno); }

    void drain() {
        for (std::size_t done = 0; done < buffer_.size();) {
            const ssize_t count = ::pwrite(fd_, buffer_.data() + done, buffer_.size() - done, end_);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) fail();
            done += static_cast<std::size_t>(count);
            end_ += count;
        }
        buffer_.clear();
    }
    bool refill() {
        buffer_.resize(kBufferBytes / sizeof(Record) * sizeof(Record));
        readAt_ = 0;
        std::size_t got = 0;
        while (got < buffer_.size() && readFrom_ < end_) {
            const ssize_t count = ::pread(fd_, buffer_.data() + got, buffer_.size() - got, readFrom_);
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) fail();
            got += static_cast<std::size_t>(count);
            readFrom_ += count;
        }
        buffer_.resize(got);
        return got >= sizeof(Record);
    }

    std::string target_;
    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t readAt_ = 0;
    off_t end_ = 0;
    off_t readFrom_ = 0;
};

RollNoteStream::RollNoteStream(std::int32_t meterKind, int nameBase, const std::string& scratchFolder,
                               const std::string& target) {
    summary_.stepsPerBar = RollModel::stepsPerBarOf(meterKind);
    summary_.nameBase = nameBase;
    for (Voice& voice : voices_) {
        voice.openStart.fill(-1);
        voice.ended = std::make_unique<Scratch>(scratchFolder, target);
    }
}

RollNoteStream::~RollNoteStream() = default;

// The same pairing as RollBuilder's: the same pitch struck again in the same
// step is one note; struck again later, it ends the note that sounds.
void RollNoteStream::start(RollVoice voice, std::int32_t step, std::uint8_t pitch) {
    std::int32_t& open = voices_[static_cast<std::size_t>(voice)].openStart[pitch];
    if (open == step) return;
    if (open >= 0) end(voice, step, pitch);
    open = step;
    summary_.lowestPitch = anyNote_ ? std::min(summary_.lowestPitch, pitch) : pitch;
    summary_.highestPitch = anyNote_ ? std::max(summary_.highestPitch, pitch) : pitch;
    anyNote_ = true;
}

void RollNoteStream::end(RollVoice voice, std::int32_t step, std::uint8_t pitch) {
    Voice& v = voices_[static_cast<std::size_t>(voice)];
    const std::int32_t startStep = v.openStart[pitch];
    if (startStep < 0) return;
    const RollNote note{startStep, std::max(0, step - startStep), pitch, voice, -1};
    summary_.longestNote = std::max(summary_.longestNote, note.lengthSteps);
    v.ended->put(note);
    v.openStart[pitch] = -1;
}

void RollNoteStream::noteWritten(SmfTrack track, std::int32_t step, std::uint8_t note, std::uint8_t velocity,
                                 std::int32_t) {
    lastStep_ = std::max(lastStep_, step);
    if (note > 127) return;
    const RollVoice voice = track == SmfTrack::Melody ? RollVoice::Melody : RollVoice::Chord;
    if (velocity == 0) {
        end(voice, step, note);
    } else {
        start(voice, step, note);
    }
}

void RollNoteStream::finish() {
    for (const RollVoice voice : {RollVoice::Melody, RollVoice::Chord}) {
        for (int pitch = 0; pitch < 128; ++pitch) end(voice, lastStep_, static_cast<std::uint8_t>(pitch));
        voices_[static_cast<std::size_t>(voice)].ended->finishWriting();
    }
    summary_.totalSteps = lastStep_;
}

RollModel RollNoteStream::notesFor(std::int32_t firstStep, std::int32_t lastStep) {
    RollModel page = summary_;
    for (const RollVoice voice : {RollVoice::Melody, RollVoice::Chord}) {
        Voice& v = voices_[static_cast<std::size_t>(voice)];
        // Notes end in order: one that ends later than this cannot start in the stretch.
        const std::int64_t readUpTo = std::int64_t{lastStep} + summary_.longestNote + 1;
        RollNote note;
        while (v.ended->peek(note) && note.endStep() <= readUpTo) {
            note.voice = voice;
            v.carried.push_back(note);
            v.ended->next();
        }
        for (const RollNote& carried : v.carried) {
            if (carried.startStep <= lastStep + 1 && carried.endStep() >= firstStep - 1) page.notes.push_back(carried);
        }
        // Later stretches start after lastStep.
        std::erase_if(v.carried, [lastStep](const RollNote& n) { return n.endStep() < lastStep; });
    }
    std::stable_sort(page.notes.begin(), page.notes.end(),
                     [](const RollNote& a, const RollNote& b) { return a.startStep < b.startStep; });
    return page;
}

}  // namespace velmora
