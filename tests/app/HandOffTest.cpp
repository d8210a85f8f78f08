// The start-up hand-off between real processes: detection, messenger, receiver, races.
#include "app/HandOff.h"

#include "MemoryMapTestProcess.h"

#include <algorithm>
#include <chrono>
#include <sstream>

namespace {

using Lines = std::vector<std::string>;

// The running instance: the main channel with a receiver, polled like the window timer does.
struct RunningInstance {
    TMemMapEvt channel;
    THandOffReceiver receiver;
    std::vector<Lines> received;
    int arrivals = 0;
    RunningInstance() {
        SetupMainChannel(channel);
        receiver.OnArrive = [this] { ++arrivals; };
        receiver.OnOpen = [this](const Lines& l) { received.push_back(l); };
        receiver.Attach(channel);
        channel.SetActive(true);
    }
    // Polls every 10 ms until the child says something, then a little longer.
    void PumpUntil(Child& child) {
        while (!child.Ready(10))
            channel.Poll();
        for (int i = 0; i < 5; ++i)
            channel.Poll();
    }
    std::string Block() const { return channel.Memory(); }
};

int Messenger(Child& c, const Lines& list, int timeoutMs = kHandOffWaitMs) {
    TMessengerResult r = SendHandOff(list, timeoutMs);
    c.Send(r.delivered ? 1 : 0);
    c.Send(static_cast<int>(r.leftOut.size()));
    return 0;
}

// A running instance in a child, up when this returns; it quits without reading when told to.
std::unique_ptr<Child> InstanceInChild() {
    auto child = std::make_unique<Child>([](Child& c) {
        RunningInstance r;
        c.Send(0);
        c.Receive();
        return 0;
    });
    child->Receive();
    return child;
}

} // namespace

TEST(HandOffText, ArgumentsFitWholeOrNotAtAllAndRecordsAreRecognised) {
    auto built = [](const Lines& list, std::size_t size) {
        const THandOffText t = BuildHandOffText(list, size);
        return std::pair(t.count, t.text);
    };
    const std::string none("\r\n\0", 3);
    EXPECT_EQ(built({"a", "bc", "d"}, 256), std::pair(3ul, std::string("a\r\nbc\r\nd\r\n\0", 11)));
    EXPECT_EQ(built({}, 256), std::pair(0ul, none));
    // 10 bytes hold "abcdefg" + CR LF + zero exactly; one byte more is never cut.
    EXPECT_EQ(built({"abcdefg"}, 10).first, 1u);
    EXPECT_EQ(built({"abcdefgh"}, 10), std::pair(0ul, none));
    // Stops at the first that does not fit, order is kept; a line end never goes into the text.
    EXPECT_EQ(built({"abc", "defg", "h"}, 11), std::pair(1ul, std::string("abc\r\n\0", 6)));
    EXPECT_EQ(built({"a\nb", "c"}, 256).first, 0u);

    EXPECT_EQ(SplitHandOffLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitHandOffLines("\r\n\r\n"), Lines{});
    for (const char* s : {"/J", "x/Fy", "/C"})
        EXPECT_TRUE(IsHandOffSwitch(s)) << s;
    EXPECT_FALSE(IsHandOffSwitch("/Copy/a.txt") || IsHandOffSwitch("/home/k/a.txt"));
    const TOpenRequest plain = ParseOpenRequest("/home/k/a.txt");
    EXPECT_EQ(std::pair(plain.IsRecord(), plain.path),
              std::pair(false, std::string("/home/k/a.txt")));
    const TOpenRequest record = ParseOpenRequest("memo.txt,/home/k/,0,0,1,3,4,0,0,0,0,0,0");
    EXPECT_EQ(std::tuple(record.path, record.fields.size(), record.fields.at(4)),
              std::tuple("/home/k/memo.txt", 13u, "1"));
}

TEST(HandOff, SecondStartIsAMessengerOnlyWhileAFullInstanceLives) {
    TempRuntimeDir dir;
    const std::string cwd = dir / "cwd/", prog = dir / "prog/";
    mkdir(cwd.c_str(), 0700);
    mkdir(prog.c_str(), 0700);
    EXPECT_FALSE(IsMessengerStart(cwd, prog));
    {
        TMemMapEvt messenger; // a messenger on the channel is no running instance
        messenger.SetMapName(kHandOffMapName);
        messenger.SetActive(true);
        EXPECT_FALSE(IsMessengerStart(cwd, prog));
    }
    auto instance = InstanceInChild();
    // The setup's hand-over marker and the local-folder marker each make a full start.
    for (const std::string& marker : {cwd + "Tolmo2Ju.$$$", prog + "localfol.myc"}) {
        EXPECT_TRUE(IsMessengerStart(cwd, prog));
        TempDir::Write(marker, "x");
        EXPECT_FALSE(IsMessengerStart(cwd, prog)) << marker;
        unlink(marker.c_str());
    }
    instance->Kill(); // a crashed instance leaves its block and slot bit behind
    instance->Wait();
    EXPECT_FALSE(IsMessengerStart(cwd, prog));
}

TEST(HandOff, PathsArriveInOrderExactlyOnceDecodedAndTheBlockIsEmptied) {
    TempRuntimeDir dir;
    // Blanks are decoded and switches skipped; without arguments the instance only comes forward.
    const std::vector<std::pair<Lines, Lines>> cases = {
        {{"/a/one.txt", "/b/two.txt", "/c/3.txt"}, {"/a/one.txt", "/b/two.txt", "/c/3.txt"}},
        {{"/J", "/home/k/my_\\Sp\\_memo.txt", "/C", "/F", "a.txt,/k/,0"},
         {"/home/k/my memo.txt", "a.txt,/k/,0"}},
        {{}, {}}};
    for (const auto& kase : cases) {
        const Lines& args = kase.first; // named: the messenger lambda captures it
        const Lines& want = kase.second;
        SCOPED_TRACE(args.size());
        RunningInstance running;
        Child messenger([&](Child& c) { return Messenger(c, args); });
        running.PumpUntil(messenger);
        EXPECT_EQ(messenger.Receive(), 1);
        EXPECT_EQ(messenger.Receive(), 0);
        EXPECT_EQ(messenger.Wait(), 0);
        for (int i = 0; i < 5; ++i)
            running.channel.Poll();
        EXPECT_EQ(running.received, want.empty() ? std::vector<Lines>{} : std::vector<Lines>{want});
        EXPECT_EQ(running.Block(), "");
        EXPECT_GE(running.arrivals, 1);
    }
}

TEST(HandOff, BusyInstanceLeavesTheFilesToTheMessenger) {
    TempRuntimeDir dir;
    // The running instance's event loop is blocked until the messenger has given up.
    Child running([](Child& c) {
        RunningInstance r;
        c.Send(0);
        c.Receive();
        c.Receive();
        for (int i = 0; i < 20; ++i, usleep(10000))
            r.channel.Poll();
        c.Send(static_cast<int>(r.received.size()));
        c.Send(r.Block().empty() ? 1 : 0);
        return 0;
    });
    running.Receive();
    running.Send(0);
    const auto start = std::chrono::steady_clock::now();
    TMessengerResult r = SendHandOff({"/x/late.txt"}, 1000);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(r.delivered); // the caller opens /x/late.txt itself
    EXPECT_GE(waited, std::chrono::milliseconds(1000));
    EXPECT_LT(waited, std::chrono::milliseconds(3000));
    running.Send(0);                 // the instance wakes up
    EXPECT_EQ(running.Receive(), 0); // and the instance, once awake, opens nothing
    EXPECT_EQ(running.Receive(), 1);
}

TEST(HandOff, MessengerGivesUpAtOnceWhenTheInstanceEnds) {
    TempRuntimeDir dir;
    auto running = InstanceInChild();
    Child messenger([](Child& c) { return Messenger(c, {"/x/a.txt"}); });
    usleep(100000);
    const auto start = std::chrono::steady_clock::now();
    running->Send(0); // the instance quits without reading
    EXPECT_EQ(running->Wait(), 0);
    EXPECT_EQ(messenger.Receive(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

TEST(HandOff, OnlyMessengersArriveAndSimultaneousOnesNeverOverwriteEachOther) {
    TempRuntimeDir dir;
    RunningInstance running;
    Child other([](Child& c) {
        RunningInstance second; // local-folder mode: two full instances share the channel
        c.Send(second.channel.OwnSlot());
        c.Receive();
        return 0;
    });
    running.PumpUntil(other);
    EXPECT_EQ(other.Receive(), 1);
    other.Send(0);
    EXPECT_EQ(other.Wait(), 0);
    for (int i = 0; i < 3; ++i)
        running.channel.Poll();
    EXPECT_EQ(running.arrivals, 0);
    std::vector<std::unique_ptr<Child>> messengers;
    for (int i = 0; i < 4; ++i)
        messengers.push_back(std::make_unique<Child>([i](Child& c) {
            c.Receive();
            return Messenger(c, {"/m/" + std::to_string(i) + ".txt"});
        }));
    for (auto& m : messengers)
        m->Send(0);
    for (auto& m : messengers) {
        running.PumpUntil(*m);
        EXPECT_EQ(m->Receive(), 1);
    }
    for (int i = 0; i < 10; ++i, usleep(10000))
        running.channel.Poll();
    std::vector<std::string> all;
    for (const Lines& l : running.received)
        all.insert(all.end(), l.begin(), l.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (Lines{"/m/0.txt", "/m/1.txt", "/m/2.txt", "/m/3.txt"}));
}

TEST(HandOff, AMessengerStartHandsOverItsPathsMadeAbsoluteAndNamesWhatDidNotFit) {
    TempRuntimeDir dir;
    const std::string cwd = dir.str(), prog = dir / "prog/";
    TempDir::Write(cwd + "exists.txt", "x");
    RunningInstance running;
    // Relative paths arrive absolute, whether the file exists or not; "(" and "," stay as given.
    // The launcher's window-activation token rides along, apart from the files.
    Child messenger([&](Child& c) {
        std::ostringstream e;
        setenv("XDG_ACTIVATION_TOKEN", "launcher-token_1", 1);
        c.Send(RunMessengerStart({"exists.txt", "new.txt", "(odd)", "a,b,c"}, cwd, prog, e)
                   .value_or(-1));
        return 0;
    });
    running.PumpUntil(messenger);
    EXPECT_EQ(messenger.Receive(), 0);
    EXPECT_EQ(running.receiver.TakeActivationToken(), "launcher-token_1");
    EXPECT_EQ(running.receiver.TakeActivationToken(), "");
    // Too long for the block: the start fails and names what it left out; no token goes
    // in place of a file.
    Child tooMuch([&](Child& c) {
        std::ostringstream e;
        setenv("XDG_ACTIVATION_TOKEN", "launcher-token_2", 1);
        const std::string big(400, 'b');
        c.Send(RunMessengerStart({"/s/3.txt", "/" + big, "/s/4.txt"}, "/", "/", e).value_or(-1));
        c.Send(e.str().find("  /s/4.txt\n") != std::string::npos);
        return 0;
    });
    running.PumpUntil(tooMuch);
    EXPECT_EQ(tooMuch.Receive(), 1);
    EXPECT_EQ(tooMuch.Receive(), 1);
    EXPECT_EQ(running.receiver.TakeActivationToken(), "");
    EXPECT_EQ(running.received,
              (std::vector<Lines>{{cwd + "exists.txt", cwd + "new.txt", "(odd)", "a,b,c"},
                                  {"/s/3.txt"}}));
}
