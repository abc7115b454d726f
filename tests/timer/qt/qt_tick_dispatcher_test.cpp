#include "midi/qt/qt_tick_dispatcher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <thread>
#include <vector>

#include "timer_test_support.h"

namespace velmora {
namespace {

using namespace velmora::testing;

TEST(QtTickDispatcher, RunsTheTicksInTheTargetsEventLoop) {
    int argc = 1;
    char name[] = "test_timer_qt";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QObject target;
    QtTickDispatcher dispatcher(target);
    RecordingOwner owner;
    TickTimer timer(owner, dispatcher);

    std::vector<std::thread::id> ranOn;
    timer.setHandler([&](TickTimer& sender) {
        ranOn.push_back(std::this_thread::get_id());
        if (ranOn.size() == 3) {
            sender.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    timer.setInterval(kPeriodMs);
    timer.setEnabled(true);
    QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(1); });

    EXPECT_EQ(app.exec(), 0);
    ASSERT_EQ(ranOn.size(), 3u);
    for (const auto& id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());
    EXPECT_EQ(owner.overruns, 0);
}

TEST(QtTickDispatcher, DeliversTheOverrunNoticeInTheEventLoop) {
    int argc = 1;
    char name[] = "test_timer_qt";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QObject target;
    QtTickDispatcher dispatcher(target);
    RecordingOwner owner;
    owner.onOverrun = [] { QCoreApplication::quit(); };
    TickTimer timer(owner, dispatcher);
    timer.setHandler([](TickTimer&) { std::this_thread::sleep_for(3 * kPeriod); });
    timer.setInterval(kPeriodMs);
    timer.setEnabled(true);
    QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(1); });

    EXPECT_EQ(app.exec(), 0);
    EXPECT_EQ(owner.overruns, 1);
    EXPECT_FALSE(timer.enabled());
}

}  // namespace
}  // namespace velmora
