// The window with large texts: the interface-thread time of opening a text, of
// one keystroke in the memo and of one performance tick, for texts of 1 MB and
// 20 MB (median and worst of several runs). Runs offscreen.

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

#include "ui/main_window.h"
#include "ui/memo_edit.h"

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
    velmora::TForm1 window(std::move(setup));
    window.show();
    QApplication::processEvents();

    std::vector<double> opens;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        window.FileOpen1Accept(QString::fromStdString(path));
        QApplication::processEvents();
        opens.push_back(millisecondsSince(start));
    }
    velmora::MemoEdit* memo = window.controls().Memo1;
    memo->setFocus();
    std::vector<double> keys;
    for (int key = 0; key < 15; ++key) {
        const auto start = Clock::now();
        QTest::keyClick(memo, Qt::Key_A);
        QApplication::processEvents();
        keys.push_back(millisecondsSince(start));
    }
    window.findChild<QAction*>("playShortcut")->trigger();
    std::vector<double> ticks;
    for (int tick = 0; tick < 200; ++tick) {
        const auto start = Clock::now();
        window.transport().tick();
        ticks.push_back(millisecondsSince(start));
    }
    window.findChild<QAction*>("playShortcut")->trigger();
    const Spread open = spread(opens), key = spread(keys), tick = spread(ticks);
    std::printf("%3zu MB  open %8.1f ms (worst %8.1f)  key %7.2f ms (worst %7.2f)  tick %6.3f ms (worst %6.3f)\n",
                megabytes, open.median, open.worst, key.median, key.worst, tick.median, tick.worst);
    window.controls().Memo1->document()->setModified(false);  // no question at close
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    for (std::size_t megabytes : {std::size_t{1}, std::size_t{20}}) measure(folder, megabytes);
    return 0;
}
