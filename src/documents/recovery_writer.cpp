#include "documents/recovery_writer.h"

#include <utility>

namespace velmora {

RecoveryWriter::RecoveryWriter(RecoveryStore& store) : store_(store), thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void RecoveryWriter::keepLater(std::string textPath, std::string text) {
    {
        std::lock_guard lock(mutex_);
        waiting_ = Job{std::move(textPath), std::move(text), false};
    }
    changed_.notify_all();
}

void RecoveryWriter::forget() {
    {
        std::lock_guard lock(mutex_);
        waiting_ = Job{{}, {}, true};
    }
    changed_.notify_all();
}

void RecoveryWriter::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_ && !busy_; });
}

std::optional<FileError> RecoveryWriter::takeError() {
    std::lock_guard lock(mutex_);
    return std::exchange(error_, std::nullopt);
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return waiting_ || ending_; });
        if (!waiting_) return;
        const Job job = std::move(*waiting_);
        waiting_.reset();
        busy_ = true;
        lock.unlock();
        std::optional<FileError> error;
        try {
            if (job.forget) store_.forget();
            else store_.keep(job.textPath, job.text);
        } catch (const FileError& failure) {
            error = failure;
        }
        lock.lock();
        busy_ = false;
        if (error) error_ = error;
        changed_.notify_all();
    }
}

}  // namespace velmora
