// The channel's poll on the Qt event loop and the main window's channel component.
#include "app/ui/MemMapTimer.h"

#include "../../support/RecordingSink.h"
#include "../MemoryMapTestProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>

namespace {

void Spin(int ms) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    } while (t.elapsed() < ms);
}

bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        Spin(5);
    return done();
}

} // namespace

TEST(MemMapTimer, RunsWhileOpenAndNeverFasterThanTenMs) {
    TempRuntimeDir dir;
    TMemMapEvt m;
    m.SetMapName("QtTick");
    TMemMapTimer timer(m);
    EXPECT_FALSE(timer.IsRunning());
    m.SetActive(true);
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_EQ(timer.Interval(), 10); // CheckInterval 1 asks for 1 ms
    timer.Start(2);
    EXPECT_EQ(timer.Interval(), 10);
    int enters = 0;
    m.OnEnter = [&](TCustomMemMapEvt&, std::uint16_t) { ++enters; };
    EXPECT_TRUE(WaitFor([&] { return enters == 1; }));
    m.SetActive(false);
    EXPECT_FALSE(timer.IsRunning());
}

TEST(MemMapTimer, HandlerErrorsGoToTheErrorBoxAndPollingGoesOn) {
    TempRuntimeDir dir;
    RecordingSink sink;
    TMemMapEvt a, b;
    a.SetMapName("QtErr");
    b.SetMapName("QtErr");
    TMemMapTimer timer(a);
    a.OnUpdate = [](TCustomMemMapEvt&, std::uint16_t) { throw EMemMapEvt("handler failed"); };
    a.SetActive(true);
    b.SetActive(true);
    b.Update();
    EXPECT_TRUE(WaitFor([&] { return !sink.boxes.empty(); }));
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"handler failed"});
    EXPECT_TRUE(timer.IsRunning());
    int exits = 0;
    a.OnExit = [&](TCustomMemMapEvt&, std::uint16_t s) { exits += s == 1; };
    b.SetActive(false);
    EXPECT_TRUE(WaitFor([&] { return exits == 1; }));
    EXPECT_EQ(sink.boxes.size(), 1u);
}

TEST(MemMapEvt1, HandOffFromAnotherProcessArrivesAsSignals) {
    TempRuntimeDir dir;
    TMemMapEvt1 evt;
    int arrived = 0;
    std::vector<QStringList> lines;
    QObject::connect(&evt, &TMemMapEvt1::messengerArrived, [&] { ++arrived; });
    QObject::connect(&evt, &TMemMapEvt1::linesReceived,
                     [&](const QStringList& l) { lines.push_back(l); });
    EXPECT_FALSE(evt.IsActive());
    EXPECT_EQ(TCustomMemMapEvt::FindResident(kHandOffMapName), -1);
    evt.Activate();
    ASSERT_TRUE(evt.IsActive());
    EXPECT_EQ(TCustomMemMapEvt::FindResident(kHandOffMapName), 0);
    Child messenger([](Child& c) {
        c.Tell(SendHandOff({"/p/メモ.txt", "/p/b_\\Sp\\_c.txt"}).delivered ? 1 : 0);
        return 0;
    });
    EXPECT_TRUE(WaitFor([&] { return messenger.Ready(0); }));
    EXPECT_EQ(messenger.Receive(), 1);
    EXPECT_EQ(messenger.Wait(), 0);
    Spin(50);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (QStringList{QString::fromUtf8("/p/メモ.txt"), "/p/b c.txt"}));
    EXPECT_GE(arrived, 1);
}

TEST(MemMapEvt1, BringToFrontRestoresAMinimisedWindow) {
    QWidget w;
    w.showMinimized();
    BringToFront(&w);
    EXPECT_FALSE(w.isMinimized());
    EXPECT_TRUE(w.isVisible());
}
