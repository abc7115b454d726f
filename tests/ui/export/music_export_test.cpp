// The window's exports in the background: progress while the file is built,
// and a cancel that ends the work where it is.
#include <QDir>
#include <chrono>
#include <thread>

#include "ui/export/music_export.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

using MusicExport = FolderTest;

// A text long enough that building its file takes a noticeable while.
ExportRequest longRequest() {
    ExportRequest request;
    request.playLines.assign(40000, std::string("THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG"));
    return request;
}

// Waits until the task has reported some progress, or has finished.
void waitForProgress(const BackgroundTask& task) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (task.permille() == 0 && !task.finished() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

TEST_F(MusicExport, MidiProgressRisesWhileTheFileIsBuiltAndCancelStopsItMidwayLeavingNoFile) {
    SeededRandom random(1);
    ExportOutcome outcome;
    const std::unique_ptr<BackgroundTask> task =
        startMidiExport(longRequest(), random, path("long.mid"), outcome);
    waitForProgress(*task);
    const int seen = task->permille();
    task->cancel();
    task->join();

    EXPECT_GT(seen, 0);
    EXPECT_LT(task->permille(), 1000);  // it stopped before the end
    EXPECT_EQ(outcome.status, ExportOutcome::Status::Cancelled);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(MusicExport, AnUncancelledMidiExportReachesTheEndAndWritesTheFile) {
    SeededRandom random(1);
    ExportOutcome outcome;
    ExportRequest request;
    request.playLines = {"HELLO WORLD", "AND GOOD NIGHT"};
    const std::unique_ptr<BackgroundTask> task = startMidiExport(request, random, path("short.mid"), outcome);
    task->join();

    EXPECT_EQ(outcome.status, ExportOutcome::Status::Written) << outcome.error;
    EXPECT_GT(task->permille(), 900);
    EXPECT_EQ(readFile("short.mid").substr(0, 4), "MThd");
}

}  // namespace
}  // namespace velmora::testing
