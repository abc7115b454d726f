#include "sound/capture_file_backend.h"

#include "documents/file_error.h"
#include "midi/monotonic_clock.h"

namespace velmora {

namespace {

// Lines are handed to the file in pieces of about this size.
constexpr std::size_t kFlushBytes = 4096;

std::string openFailure(const std::string& path, const FileError& error) {
    return "cannot write the capture file " + path + ": " + error.detail() +
           "; choose another file with --output capture:FILE";
}

}  // namespace

bool CaptureFileBackend::open() {
    file_.abandon();
    pending_.clear();
    error_.clear();
    writeFailure_.clear();
    failureTold_ = false;
    tick_ = 0;
    try {
        file_.open(path_);
    } catch (const FileError& error) {
        error_ = openFailure(path_, error);
        return false;
    }
    return true;
}

std::string CaptureFileBackend::check() {
    try {
        checkOutputTarget(path_);
    } catch (const FileError& error) {
        return openFailure(path_, error);
    }
    return {};
}

void CaptureFileBackend::flush() {
    if (!file_.isOpen() || pending_.empty()) return;
    try {
        file_.write(pending_);
    } catch (const FileError& error) {
        writeFailure_ = error.detail();
    }
    pending_.clear();
}

void CaptureFileBackend::close() {
    flush();
    if (!file_.isOpen()) return;
    try {
        file_.commit();
    } catch (const FileError& error) {
        writeFailure_ = error.detail();
    }
}

void CaptureFileBackend::sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!file_.isOpen()) return;
    pending_ += std::to_string(monotonicNowNs()) + ' ' + std::to_string(tick_) + ' ' + std::to_string(status) +
                ' ' + std::to_string(data1) + ' ' + std::to_string(data2) + '\n';
    if (pending_.size() >= kFlushBytes) flush();
}

std::optional<OutputWarning> CaptureFileBackend::takeWarning() {
    if (writeFailure_.empty() || failureTold_) return std::nullopt;
    failureTold_ = true;
    return OutputWarning{OutputWarning::Kind::CaptureNotWritten, path_, writeFailure_};
}

}  // namespace velmora
