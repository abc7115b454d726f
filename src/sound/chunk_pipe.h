#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace velmora {

// Hands buffers of samples from a producing thread to a consuming one. A fixed
// number of buffers circulate (the producer takes an empty one, fills it and
// sends it; the consumer receives it, uses it and gives it back), so memory is
// bounded and a buffer keeps its storage from one round to the next; only the
// two queues' bookkeeping may allocate. close() ends the exchange from either
// side: every waiting call returns at once.
template <typename Buffer>
class ChunkPipe {
public:
    explicit ChunkPipe(int buffers) : empty_(static_cast<std::size_t>(buffers)) {}

    // Producer: an empty buffer to fill; none once closed.
    std::optional<Buffer> takeEmpty() { return pop(empty_); }
    void send(Buffer buffer) { push(full_, std::move(buffer)); }

    // Consumer: the next filled buffer; none once closed and drained.
    std::optional<Buffer> receive() { return pop(full_); }
    void giveBack(Buffer buffer) { push(empty_, std::move(buffer)); }

    void close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        changed_.notify_all();
    }

private:
    std::optional<Buffer> pop(std::deque<Buffer>& from) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !from.empty() || closed_; });
        // A closed pipe still delivers what was sent, but hands out no more empty buffers.
        if (from.empty() || (closed_ && &from == &empty_)) return std::nullopt;
        Buffer buffer = std::move(from.front());
        from.pop_front();
        return buffer;
    }

    void push(std::deque<Buffer>& to, Buffer buffer) {
        std::lock_guard lock(mutex_);
        to.push_back(std::move(buffer));
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Buffer> empty_;
    std::deque<Buffer> full_;
    bool closed_ = false;
};

}  // namespace velmora
