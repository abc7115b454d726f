#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace velmora {

// Work that runs on a thread of its own while the window stays responsive: it
// reports its progress (0..1) and looks at the cancel request between steps.
// The destructor asks it to stop and waits for it. The work reports its own
// failures; it must not throw.
class BackgroundTask {
public:
    using Progress = std::function<void(double done)>;
    using Work = std::function<void(const Progress& progress, const std::atomic<bool>& cancel)>;

    explicit BackgroundTask(Work work);
    ~BackgroundTask();

    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    bool finished() const { return finished_; }
    // Thousandths done, as last reported.
    int permille() const { return permille_; }
    void cancel() { cancel_ = true; }
    // Waits for the work to end.
    void join();

private:
    std::atomic<bool> cancel_{false};
    std::atomic<int> permille_{0};
    std::atomic<bool> finished_{false};
    std::thread worker_;
};

}  // namespace velmora
