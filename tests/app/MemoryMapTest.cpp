// The shared-memory event channel between real processes: slots, events, layout, failures.
#include "app/MemoryMap.h"

#include "MemoryMapTestProcess.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <vector>

namespace {

void Configure(TCustomMemMapEvt& m, const std::string& name, int processMax, int size = 256) {
    m.SetMapName(name);
    m.SetProcessMax(processMax);
    m.SetSize(size);
}

// Configures the channel and opens it.
void Activate(TCustomMemMapEvt& m, const std::string& name, int processMax, int size = 256) {
    Configure(m, name, processMax, size);
    m.SetActive(true);
}

struct Seen {
    std::vector<std::string> events;
    void Attach(TCustomMemMapEvt& m) {
        m.OnEnter = [this](TCustomMemMapEvt&, std::uint16_t s) { Add("enter", s); };
        m.OnUpdate = [this](TCustomMemMapEvt&, std::uint16_t s) { Add("update", s); };
        m.OnExit = [this](TCustomMemMapEvt&, std::uint16_t s) { Add("exit", s); };
    }
    void Add(const char* what, int slot) { events.push_back(what + std::to_string(slot)); }
};

// A child that opens the channel (when the test says so, with `together`), lets `then` act on
// it, tells its slot and holds the slot until the test lets it go (or kills it).
std::unique_ptr<Child> Holder(const char* name, int processMax, int size = 256,
                              void (*then)(TMemMapEvt&) = nullptr, bool together = false) {
    return std::make_unique<Child>([=](Child& c) {
        if (together) c.Receive();
        TMemMapEvt m;
        Activate(m, name, processMax, size);
        if (then) then(m);
        c.Send(m.OwnSlot());
        c.Receive();
        return 0;
    });
}

struct FakeTimer : IMemMapTimer {
    int interval = -1;
    void Start(int ms) override { interval = ms; }
    void Stop() override { interval = -1; }
};

template <class E> std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "(nothing raised)";
}

} // namespace

TEST(MemoryMap, SecondProcessTakesSlotOneAndIsSeenEnteringAndLeaving) {
    TempRuntimeDir dir;
    TMemMapEvt first;
    Activate(first, "Chan", 10);
    ASSERT_EQ(first.OwnSlot(), 0);
    Seen seen;
    seen.Attach(first);
    first.Poll();
    EXPECT_EQ(seen.events, (std::vector<std::string>{"enter0"})); // its own slot, too

    Child second([](Child& c) {
        TMemMapEvt m;
        Activate(m, "Chan", 10);
        c.Send(m.OwnSlot());
        c.Receive();
        m.Update();
        c.Send(0);
        c.Receive();
        return 0;
    });
    EXPECT_EQ(second.Receive(), 1);
    first.Poll();
    second.Send(0);
    second.Receive();
    first.Poll();
    second.Send(0);
    EXPECT_EQ(second.Wait(), 0);
    first.Poll();
    first.Poll();
    EXPECT_EQ(seen.events, (std::vector<std::string>{"enter0", "enter1", "update1", "exit1"}));
    EXPECT_EQ(first.BlockMask(), 0x8000);
}

TEST(MemoryMap, BlockLayoutByteForByte) {
    TempRuntimeDir dir;
    TMemMapEvt m;
    Activate(m, "Layout", 5, 100);
    m.Update();
    m.Update();
    std::strcpy(m.Memory(), "abc");
    const std::string b = TempDir::Read(dir / "Layout");
    ASSERT_EQ(b.size(), 156u);
    // Three changes (the slot taken, two updates), size 100, the name, slot maximum 5 with mask
    // 0x8000, slot 0 counted twice; the user area.
    EXPECT_EQ(b.substr(0, 28),
              std::string("\x03\0\0\0\x64\0\0\0MemMapEvt\0\0\0\x05\0\0\x80\x02\0\0\0", 28));
    EXPECT_EQ(b.substr(56, 4), std::string("abc\0", 4));
    for (const char* f : {"Layout", "LayoutSemaphore"})
        EXPECT_EQ(static_cast<int>(std::filesystem::status(dir / f).permissions()), 0600) << f;
}

TEST(MemoryMap, SimultaneousOpenersNeverShareASlotAndTheSeventeenthIsRefused) {
    TempRuntimeDir dir;
    std::vector<std::unique_ptr<Child>> holders;
    for (int i = 0; i < 16; ++i)
        holders.push_back(Holder("Full", 16, 256, nullptr, true));
    for (auto& h : holders)
        h->Send(0);
    std::map<int, Child*> bySlot;
    for (auto& h : holders)
        bySlot[h->Receive()] = h.get();
    ASSERT_EQ(std::tuple(bySlot.size(), bySlot.begin()->first, bySlot.rbegin()->first),
              std::tuple(std::size_t{16}, 0, 15));
    TMemMapEvt last;
    Configure(last, "Full", 16);
    EXPECT_EQ(MessageOf<EMemMapEvt>([&] { last.Open(); }), "ProcessMax(16) over.");
    EXPECT_FALSE(last.GetActive());
    bySlot[3]->Send(0);
    EXPECT_EQ(bySlot[3]->Wait(), 0);
    last.Open(); // the freed slot is taken again
    EXPECT_EQ(last.OwnSlot(), 3);
}

TEST(MemoryMap, TenThousandUpdatesWrapTheCounterAndEachIsSeen) {
    TempRuntimeDir dir;
    TMemMapEvt writer, observer;
    Activate(writer, "Wrap", 2);
    Activate(observer, "Wrap", 2);
    int updates = 0;
    observer.OnUpdate = [&](TCustomMemMapEvt&, std::uint16_t s) { updates += s == 0; };
    observer.Poll();
    const std::uint16_t start = writer.BlockCounter(0);
    for (int i = 0; i < 10000; ++i) {
        writer.Update();
        observer.Poll();
    }
    EXPECT_EQ(writer.BlockCounter(0), start);
    EXPECT_EQ(updates, 10000);
}

TEST(MemoryMap, AnUpdateMadeWhileTheHandlersRunIsReportedByTheNextPoll) {
    // A late process enters and updates while the observer's handler for a lower slot runs: its
    // update is raised on the next tick even though its slot was empty when the tick began.
    TempRuntimeDir dir;
    TMemMapEvt observer, early, late;
    for (TMemMapEvt* m : {&observer, &early, &late})
        Configure(*m, "Late", 4);
    observer.SetActive(true);
    Seen seen;
    seen.Attach(observer);
    observer.OnEnter = [&](TCustomMemMapEvt&, std::uint16_t s) {
        seen.Add("enter", s);
        if (s == 1) {
            late.SetActive(true);
            late.Update();
        }
    };
    observer.Poll();
    early.SetActive(true);
    observer.Poll();
    observer.Poll();
    EXPECT_EQ(seen.events, (std::vector<std::string>{"enter0", "enter1", "enter2", "update2"}));
}

TEST(MemoryMap, KilledLockHolderNeitherHangsNorKeepsItsSlot) {
    TempRuntimeDir dir;
    TMemMapEvt first;
    Activate(first, "Crash", 4);
    auto victim = Holder("Crash", 4, 256, [](TMemMapEvt& m) { m.Lock(); });
    ASSERT_EQ(victim->Receive(), 1);
    victim->Kill(); // holding the lock
    EXPECT_EQ(victim->Wait(), 128 + SIGKILL);
    // Opening locks the block to choose a slot; the dead process's slot is reused.
    auto next = Holder("Crash", 4, 256, [](TMemMapEvt& m) {
        m.Lock();
        m.Unlock();
    });
    EXPECT_EQ(next->Receive(), 1);
}

TEST(MemoryMap, TheNextCreatorFixesTheShapeAfterTheLastCloseOrACrash) {
    TempRuntimeDir dir;
    {
        TMemMapEvt a, b;
        Configure(a, "Shape", 4, 100);
        Configure(b, "Shape", 9, 50);
        a.SetActive(true);
        b.SetActive(true);
        EXPECT_EQ(std::tuple(b.Existed(), b.GetSize(), b.GetProcessMax()),
                  std::tuple(true, 100, 4));
        a.Close();
        EXPECT_TRUE(std::filesystem::exists(dir / "Shape"));
        b.Close();
        EXPECT_FALSE(std::filesystem::exists(dir / "Shape"));
    }
    // A block left by a crashed last user is replaced as if it were not there.
    auto crashed = Holder("Shape", 2, 40, [](TMemMapEvt& m) { std::strcpy(m.Memory(), "old"); });
    crashed->Receive();
    crashed->Kill();
    crashed->Wait();
    ASSERT_TRUE(std::filesystem::exists(dir / "Shape"));
    TMemMapEvt c;
    Activate(c, "Shape", 9, 50);
    EXPECT_EQ(std::tuple(c.Existed(), c.OwnSlot(), c.GetSize(), c.GetProcessMax(),
                         std::string(c.Memory())),
              std::tuple(false, 0, 50, 9, std::string()));
}

// A block of another format, a folder others may read, and blocks and folders of another user.
TEST(MemoryMap, ForeignBlocksAndFoldersAreRefusedAndLeftAlone) {
    TempRuntimeDir dir;
    TempDir::Write(dir / "Foreign", std::string(300, 'x'));
    chmod((dir / "Foreign").c_str(), 0600);
    TMemMapEvt m;
    Configure(m, "Foreign", 2);
    EXPECT_EQ(MessageOf<EMemMapEvt>([&] { m.Open(); }), "'Foreign' Format differ. : MapFileOpen");
    EXPECT_EQ(std::tuple(m.GetActive(), m.Memory(), m.OwnSlot()),
              std::tuple(false, nullptr, TCustomMemMapEvt::NoSlot));
    EXPECT_EQ(TempDir::Read(dir / "Foreign"), std::string(300, 'x'));
    const std::string open = dir / "open";
    mkdir(open.c_str(), 0755);
    chmod(open.c_str(), 0755);
    setenv("XDG_RUNTIME_DIR", open.c_str(), 1);
    Configure(m, "Chan", 2);
    EXPECT_EQ(MessageOf<EMemoryMap>([&] { m.Open(); }),
              "CreateFileMapping:Mapping Error the folder " + open +
                  " is not private to this user");
    EXPECT_FALSE(m.GetActive());
    setenv("XDG_RUNTIME_DIR", dir.str().c_str(), 1);
    if (geteuid() != 0) GTEST_SKIP() << "giving files away needs root";
    TempDir::Write(dir / "Theirs", std::string(56 + 256, '\0'));
    ASSERT_EQ(chown((dir / "Theirs").c_str(), 65534, 65534), 0);
    Configure(m, "Theirs", 2);
    EXPECT_EQ(MessageOf<EMemoryMap>([&] { m.Open(); }),
              "CreateFileMapping:Mapping Error Permission denied");
    const std::string foreign = dir / "foreign";
    mkdir(foreign.c_str(), 0700);
    ASSERT_EQ(chown(foreign.c_str(), 65534, 65534), 0);
    setenv("XDG_RUNTIME_DIR", foreign.c_str(), 1);
    EXPECT_THROW(m.Open(), EMemoryMap);
    EXPECT_EQ(TCustomMemMapEvt::FindResident("Chan"), -1);
}

TEST(MemoryMap, LockNestsWithinOneComponentAndExcludesOthers) {
    TempRuntimeDir dir;
    TMemMapEvt a;
    Activate(a, "Nest", 2);
    a.Lock();
    a.Lock();
    EXPECT_EQ(a.LockDepth(), 2);
    Child waiter([](Child& c) {
        TMemMapEvt b;
        Configure(b, "Nest", 2);
        c.Send(0);
        b.SetActive(true); // needs the lock
        c.Send(1);
        return 0;
    });
    EXPECT_EQ(waiter.Receive(), 0);
    EXPECT_FALSE(waiter.Ready(200));
    a.Unlock();
    EXPECT_FALSE(waiter.Ready(200));
    a.Unlock(); // only now is the block free
    EXPECT_TRUE(waiter.Ready(30000));
    EXPECT_EQ(waiter.Receive(), 1);
    EXPECT_EQ(waiter.Wait(), 0);
    a.Unlock(); // an unmatched Unlock does nothing
    EXPECT_EQ(a.LockDepth(), 0);
}

TEST(MemoryMap, PollTimerNeverBelowTenMsAndRestartsAfterAFailingHandler) {
    TempRuntimeDir dir;
    FakeTimer timer;
    TMemMapEvt m;
    Configure(m, "Tick", 2);
    m.SetTimer(&timer);
    EXPECT_EQ(timer.interval, -1); // not before Open
    m.SetActive(true);
    EXPECT_EQ(timer.interval, 10);
    int enters = 0;
    m.OnEnter = [&](TCustomMemMapEvt&, std::uint16_t) {
        ++enters;
        throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(m.Poll(), std::runtime_error);
    m.Poll(); // the same change is not reported twice
    EXPECT_EQ(std::pair(enters, timer.interval), std::pair(1, 10));
    m.OnUpdate = [&](TCustomMemMapEvt& s, std::uint16_t) { s.Close(); };
    m.Update();
    m.Poll(); // a handler that closes the component stops the timer for good
    EXPECT_EQ(std::pair(timer.interval, m.GetActive()), std::pair(-1, false));
}

// The waiter sleeps on the block: it wakes once on opening and once per change made by any user
// (another process here), and not at all while nothing changes; closing ends it at once.
TEST(MemoryMap, TheWaiterWakesForEveryChangeAndOnlyThen) {
    TempRuntimeDir dir;
    std::mutex mu;
    std::condition_variable cv;
    int wakes = 0;
    TMemMapEvt m;
    Configure(m, "Wait", 4);
    m.SetWakeHandler([&] {
        std::lock_guard<std::mutex> lock(mu);
        ++wakes;
        cv.notify_all();
    });
    auto waitFor = [&](int n) {
        std::unique_lock<std::mutex> lock(mu);
        return cv.wait_for(lock, std::chrono::seconds(10), [&] { return wakes >= n; });
    };
    m.SetActive(true);
    EXPECT_TRUE(m.Waiting());
    ASSERT_TRUE(waitFor(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(wakes, 1); // idle: no wake-up
    const std::uint32_t before = m.ChangeCount();
    auto child = Holder("Wait", 4, 256, [](TMemMapEvt& c) { c.Update(); });
    EXPECT_EQ(child->Receive(), 1);
    EXPECT_EQ(m.ChangeCount(), before + 2); // entered, updated
    ASSERT_TRUE(waitFor(2));
    Seen seen;
    seen.Attach(m);
    m.Poll();
    EXPECT_EQ(seen.events, (std::vector<std::string>{"enter0", "enter1", "update1"}));
    m.SetActive(false);
    EXPECT_FALSE(m.Waiting());
    child->Send(0);
    EXPECT_EQ(child->Wait(), 0);
}
