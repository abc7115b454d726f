#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// The one error type of the documents library. Every file operation here
// reports failure by throwing it; nothing is reported through return values.
// what() is the user-facing text without the final full stop (the caller adds
// it when it shows the message); path() names the file and detail() says what
// the system reported (for logs and command-line output).
class FileError : public std::runtime_error {
public:
    FileError(const std::string& message, std::string path, std::string detail)
        : std::runtime_error(message), path_(std::move(path)), detail_(std::move(detail)) {}

    const std::string& path() const { return path_; }
    const std::string& detail() const { return detail_; }

private:
    std::string path_;
    std::string detail_;
};

// "ファイル %s は開けません" with the path in place of %s.
std::string cannotOpenMessage(const std::string& path);
// "ファイル %s を作成できません" with the path in place of %s.
std::string cannotCreateMessage(const std::string& path);
// "%s に書き込めません" with the path in place of %s.
std::string cannotWriteMessage(const std::string& path);

}  // namespace velmora
