// The channel's poll on the Qt event loop, and bringing the window forward.
#include "app/ui/MemMapTimer.h"

#include "../../support/RecordingSink.h"
#include "../MemoryMapTestProcess.h"

#include <QTest>
#include <QWidget>

TEST(MemMapTimer, RunsWhileOpenAndNeverFasterThanTenMs) {
    TempRuntimeDir dir;
    TMemMapEvt m;
    m.SetMapName("QtTick");
    TMemMapTimer timer(m);
    EXPECT_FALSE(timer.IsRunning());
    m.SetActive(true);
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_EQ(timer.Interval(), 10); // the channel's floor
    int enters = 0;
    m.OnEnter = [&](TCustomMemMapEvt&, std::uint16_t) { ++enters; };
    EXPECT_TRUE(QTest::qWaitFor([&] { return enters == 1; }));
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return !sink.boxes.empty(); }));
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"handler failed"});
    EXPECT_TRUE(timer.IsRunning());
    int exits = 0;
    a.OnExit = [&](TCustomMemMapEvt&, std::uint16_t s) { exits += s == 1; };
    b.SetActive(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return exits == 1; }));
    EXPECT_EQ(sink.boxes.size(), 1u);
}

TEST(MemMapEvt1, BringToFrontRestoresAMinimisedWindow) {
    QWidget w;
    w.showMinimized();
    BringToFront(&w);
    EXPECT_FALSE(w.isMinimized());
    EXPECT_TRUE(w.isVisible());
}
