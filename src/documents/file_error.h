#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// The one error type of the documents library. Every file operation here
// reports failure by throwing it; nothing is reported through return values.
// what() is the window's text without the final full stop (the caller adds
// it when it shows the message); english() is the same failure in English for
// the command line; path() names the file and detail() says what the system
// reported (for logs and command-line output).
class FileError : public std::runtime_error {
public:
    FileError(const std::string& message, std::string path, std::string detail, std::string english = {})
        : std::runtime_error(message),
          path_(std::move(path)),
          detail_(std::move(detail)),
          english_(std::move(english)) {}

    // The three failures of this library, with both texts.
    static FileError opening(const std::string& path, std::string detail);   // cannotOpenMessage
    static FileError creating(const std::string& path, std::string detail);  // cannotCreateMessage
    static FileError writing(const std::string& path, std::string detail);   // cannotWriteMessage

    const std::string& path() const { return path_; }
    const std::string& detail() const { return detail_; }
    // "cannot read|write PATH", or what() when no English text was given.
    std::string english() const { return english_.empty() ? std::string(what()) : english_; }
    // english() and the detail, as the command line reports it.
    std::string englishWithDetail() const { return detail_.empty() ? english() : english() + ": " + detail_; }

private:
    std::string path_;
    std::string detail_;
    std::string english_;
};

// "ファイル %s は開けません" with the path in place of %s.
std::string cannotOpenMessage(const std::string& path);
// "ファイル %s を作成できません" with the path in place of %s.
std::string cannotCreateMessage(const std::string& path);
// "%s に書き込めません" with the path in place of %s.
std::string cannotWriteMessage(const std::string& path);

}  // namespace velmora
