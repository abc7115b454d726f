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
    TMMTimer timer(owner, dispatcher);

    std::vector<std::thread::id> ranOn;
    timer.SetOnTimer([&](TMMTimer& sender) {
        ranOn.push_back(std::this_thread::get_id());
        if (ranOn.size() == 3) {
            sender.SetEnabled(false);
            QCoreApplication::quit();
        }
    });
    timer.SetInterval(kPeriodMs);
    timer.SetEnabled(true);
    QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(1); });

    EXPECT_EQ(app.exec(), 0);
    ASSERT_EQ(ranOn.size(), 3u);
    for (const auto& id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());
    EXPECT_TRUE(owner.notices.empty());
}

TEST(QtTickDispatcher, DeliversTheOverrunNoticeInTheEventLoop) {
    int argc = 1;
    char name[] = "test_timer_qt";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QObject target;
    QtTickDispatcher dispatcher(target);
    RecordingOwner owner;
    owner.onNotice = [] { QCoreApplication::quit(); };
    TMMTimer timer(owner, dispatcher);
    timer.SetOnTimer([](TMMTimer&) { std::this_thread::sleep_for(3 * kPeriod); });
    timer.SetInterval(kPeriodMs);
    timer.SetEnabled(true);
    QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(1); });

    EXPECT_EQ(app.exec(), 0);
    EXPECT_EQ(owner.notices, std::vector<Notice>{kOverrunNotice});
    EXPECT_FALSE(timer.Enabled());
}

}  // namespace
}  // namespace velmora
