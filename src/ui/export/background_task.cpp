#include "ui/export/background_task.h"

#include <algorithm>

namespace velmora {

BackgroundTask::BackgroundTask(Work work) {
    worker_ = std::thread([this, work = std::move(work)] {
        const Progress progress = [this](double done) {
            permille_ = static_cast<int>(std::clamp(done, 0.0, 1.0) * 1000);
        };
        work(progress, cancel_);
        finished_ = true;
    });
}

BackgroundTask::~BackgroundTask() {
    cancel();
    join();
}

void BackgroundTask::join() {
    if (worker_.joinable()) worker_.join();
}

}  // namespace velmora
