#include "documents/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "documents/file_error.h"

namespace velmora {

std::string readFileBytes(const std::string& path) {
    auto fail = [&](const std::string& detail) { throw FileError::opening(path, detail); };

    // O_NONBLOCK: a FIFO without a writer must not hold the open up; fstat refuses it.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) fail(std::strerror(errno));

    std::string bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            ::close(fd);
            fail("not a regular file");
        }
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[65536];
    for (;;) {
        ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            int error = errno;
            ::close(fd);
            fail(std::strerror(error));
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return bytes;
}

}  // namespace velmora
