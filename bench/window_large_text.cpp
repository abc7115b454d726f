// The window with large texts: the interface-thread time of opening a text, of
// one keystroke in the memo, of the piano roll's rebuild after an edit, of
// starting Play and of one performance tick, for texts of 1 MB and 20 MB (median and worst of
// several runs). Runs offscreen.

#include <QApplication>
#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ui/window/main_window.h"
#include "ui/memo/memo_edit.h"
#include "ui/roll/roll_panel.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Spread {
    double median;
    double worst;
};

Spread spread(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

std::string englishLikeText(std::size_t bytes) {
    const std::string line = "the quiet river sang its evening song to the hills and the light\r\n";
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text += line;
    return text;
}

void measure(const QTemporaryDir& folder, std::size_t megabytes) {
    const std::string path = folder.filePath(QString("text%1.txt").arg(megabytes)).toStdString();
    std::ofstream(path, std::ios::binary) << englishLikeText(megabytes << 20);

    velmora::MainWindowSetup setup;
    setup.settingsFolder = folder.path();
    setup.output = std::make_unique<velmora::NullBackend>();
    velmora::MainWindow window(std::move(setup));
    window.show();
    QApplication::processEvents();

    // Opening: until the text is shown, until the whole text is in, and the
    // longest single event-loop pass while the rest fills in.
    velmora::MemoEdit* memo = window.controls().memo;
    std::vector<double> shown, whole, stalls;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        window.document().open(path);
        QApplication::processEvents();
        shown.push_back(millisecondsSince(start));
        double longest = 0;
        while (memo->loader().loading()) {
            const auto pass = Clock::now();
            QApplication::processEvents();
            longest = std::max(longest, millisecondsSince(pass));
        }
        whole.push_back(millisecondsSince(start));
        stalls.push_back(longest);
    }
    // A keystroke, and the piano roll's rebuild that follows an edit.
    memo->setFocus();
    std::vector<double> keys, rolls;
    for (int key = 0; key < 15; ++key) {
        const auto start = Clock::now();
        QTest::keyClick(memo, Qt::Key_A);
        QApplication::processEvents();
        keys.push_back(millisecondsSince(start));
        const auto rollStart = Clock::now();
        window.rollPanel().refresh();
        rolls.push_back(millisecondsSince(rollStart));
    }
    // Play measures the whole text's lines once.
    const auto playStart = Clock::now();
    window.findChild<QAction*>("play")->trigger();
    const double play = millisecondsSince(playStart);
    std::vector<double> ticks;
    for (int tick = 0; tick < 200; ++tick) {
        const auto start = Clock::now();
        window.transport().tick();
        ticks.push_back(millisecondsSince(start));
    }
    window.findChild<QAction*>("play")->trigger();
    const Spread shownAt = spread(shown), wholeAt = spread(whole), stall = spread(stalls), key = spread(keys),
                 roll = spread(rolls), tick = spread(ticks);
    std::printf("%3zu MB  open: shown %6.1f ms (worst %6.1f), whole %6.1f ms (worst %6.1f), longest pass %5.1f ms"
                " (worst %5.1f)\n        key %5.2f ms (worst %5.2f)  roll rebuild %5.2f ms (worst %5.2f)"
                "  tick %6.3f ms (worst %6.3f)  Play %6.1f ms\n",
                megabytes, shownAt.median, shownAt.worst, wholeAt.median, wholeAt.worst, stall.median, stall.worst,
                key.median, key.worst, roll.median, roll.worst, tick.median, tick.worst, play);
    window.controls().memo->document()->setModified(false);  // no question at close
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    for (std::size_t megabytes : {std::size_t{1}, std::size_t{20}}) measure(folder, megabytes);
    return 0;
}
