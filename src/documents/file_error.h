#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// Why a file could not be read or written, where the system's error number
// alone does not say it.
enum class FileProblem {
    System,                 // systemError() says why (ENOSPC, EFBIG, EACCES, ...)
    Folder,                 // the name is a folder
    BlockDevice,            // a disk: never written to
    HardLinks,              // the file has other names, which replacing it would split off
    ReadOnly,               // its permissions let no one write it
    OwnerNotKept,           // another user's or group's file, whose owner a new file could not keep
    FolderRefusesNewFiles,  // the folder does not let a file be made in it (systemError() says why)
    NoReader,               // a FIFO that no process reads from
    Removed,                // the file being written was removed, with its folder or alone
    IsInput,                // it is one of the inputs of the work that writes it
};

// The one error type of the documents library. Every file operation here
// reports failure by throwing it; nothing is reported through return values.
// what() is the window's text without the final full stop (the caller adds
// it when it shows the message); english() is the same failure in English for
// the command line; path() names the file and detail() says why in English
// (the system's reason, or what about the file forbids the write).
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
    // A file that cannot be made or replaced (creating), or that failed while
    // it was written (writing), for `problem`; `systemError` is the errno
    // behind it (0: none), `about` what the reason names (a folder, an owner,
    // an input's role and name).
    static FileError creating(const std::string& path, FileProblem problem, int systemError = 0,
                              const std::string& about = {});
    static FileError writing(const std::string& path, FileProblem problem, int systemError = 0,
                             const std::string& about = {});

    const std::string& path() const { return path_; }
    const std::string& detail() const { return detail_; }
    FileProblem problem() const { return problem_; }
    // Whether detail() is one of the reasons above (else a free text).
    bool hasProblem() const { return problem_ != FileProblem::System || systemError_ != 0; }
    int systemError() const { return systemError_; }
    const std::string& about() const { return about_; }
    // "cannot read|write PATH", or what() when no English text was given.
    std::string english() const { return english_.empty() ? std::string(what()) : english_; }
    // english() and the detail, as the command line reports it.
    std::string englishWithDetail() const { return detail_.empty() ? english() : english() + ": " + detail_; }

private:
    FileError& withProblem(FileProblem problem, int systemError, const std::string& about);

    std::string path_;
    std::string detail_;
    std::string english_;
    FileProblem problem_ = FileProblem::System;
    int systemError_ = 0;
    std::string about_;
};

// The English reason for a problem, as detail() gives it.
std::string fileProblemReason(FileProblem problem, int systemError, const std::string& about);

// "ファイル %s は開けません" with the path in place of %s.
std::string cannotOpenMessage(const std::string& path);
// "ファイル %s を作成できません" with the path in place of %s.
std::string cannotCreateMessage(const std::string& path);
// "%s に書き込めません" with the path in place of %s.
std::string cannotWriteMessage(const std::string& path);

}  // namespace velmora
