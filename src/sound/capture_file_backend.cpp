#include "sound/capture_file_backend.h"

#include <cerrno>
#include <cstring>

#include "midi/monotonic_clock.h"

namespace velmora {

bool CaptureFileBackend::open() {
    if (file_.is_open()) file_.close();
    file_.open(path_, std::ios::out | std::ios::trunc);
    if (!file_) {
        error_ = "cannot write the capture file " + path_ + ": " + std::strerror(errno) +
                 "; choose another file with --output capture:FILE";
        return false;
    }
    error_.clear();
    writeFailure_.clear();
    failureTold_ = false;
    tick_ = 0;
    return true;
}

void CaptureFileBackend::noteWriteFailure() {
    if (file_ || !writeFailure_.empty()) return;
    writeFailure_ = errno != 0 ? std::strerror(errno) : "the file refused the data";
}

void CaptureFileBackend::close() {
    if (!file_.is_open()) return;
    errno = 0;
    file_.flush();
    noteWriteFailure();
    file_.close();
}

void CaptureFileBackend::sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!file_.is_open() || !writeFailure_.empty()) return;
    errno = 0;
    file_ << monotonicNowNs() << ' ' << tick_ << ' '
          << static_cast<unsigned>(status) << ' ' << static_cast<unsigned>(data1) << ' '
          << static_cast<unsigned>(data2) << '\n';
    noteWriteFailure();
}

std::optional<OutputWarning> CaptureFileBackend::takeWarning() {
    if (writeFailure_.empty() || failureTold_) return std::nullopt;
    failureTold_ = true;
    return OutputWarning{OutputWarning::Kind::CaptureNotWritten, path_, writeFailure_};
}

}  // namespace velmora
