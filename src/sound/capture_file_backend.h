#pragma once

#include <cstdint>
#include <string>

#include "documents/safe_file_writer.h"
#include "midi/midi_backend.h"

namespace velmora {

// Writes every message as one line "TIME_NS TICK STATUS DATA1 DATA2" (steady
// clock ns, the tick given by beginTick, all decimal), for tests and timing
// measurements. The file is written as every output is (SafeFileWriter): a
// regular file is replaced by the complete capture at close(), a FIFO or
// device is written as the messages come. A write that fails, also the last
// one at close(), is told once by takeWarning().
class CaptureFileBackend final : public MidiBackend {
public:
    explicit CaptureFileBackend(std::string path) : path_(std::move(path)) {}

    bool open() override;
    void close() override;
    // Checks the file as open() would, without touching it.
    std::string check() override;
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void beginTick(std::uint64_t tick) override { tick_ = tick; }
    std::string lastError() const override { return error_; }
    std::optional<OutputWarning> takeWarning() override;
    std::string outputDescription() const override { return path_; }

    const std::string& path() const { return path_; }

private:
    void flush();

    std::string path_;
    SafeFileWriter file_;
    std::string pending_;  // lines not yet handed to the file
    std::uint64_t tick_ = 0;
    std::string error_;
    std::string writeFailure_;  // why writing failed; empty while it works
    bool failureTold_ = false;
};

}  // namespace velmora
