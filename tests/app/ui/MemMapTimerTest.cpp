// The channel's poll on the Qt event loop, and bringing the window forward.
#include "app/ui/MemMapTimer.h"

#include "../../support/RecordingSink.h"
#include "../MemoryMapTestProcess.h"

#include <QTest>
#include <QWidget>

TEST(MemMapTimer, WaitsWhileOpenAndPollsOnlyWhenTheBlockChanges) {
    TempRuntimeDir dir;
    TMemMapEvt m, other;
    m.SetMapName("QtTick");
    other.SetMapName("QtTick");
    TMemMapTimer timer(m);
    EXPECT_FALSE(timer.IsRunning());
    int enters = 0, updates = 0, exits = 0;
    m.OnEnter = [&](TCustomMemMapEvt&, std::uint16_t) { ++enters; };
    m.OnUpdate = [&](TCustomMemMapEvt&, std::uint16_t s) { updates += s == 1; };
    m.OnExit = [&](TCustomMemMapEvt&, std::uint16_t) { ++exits; };
    m.SetActive(true);
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return enters == 1; })); // itself, seen at once
    other.SetActive(true);
    other.Update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return enters == 2 && updates == 1; }));
    other.SetActive(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return exits == 1; }));
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
