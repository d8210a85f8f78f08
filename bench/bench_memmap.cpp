// Cost of one idle poll tick of the channel, beside reading the same 56 header bytes.
#include "app/MemoryMap.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

struct Runtime {
    std::string dir;
    Runtime() {
        char tmpl[] = "/tmp/tolmo-bench-XXXXXX";
        dir = mkdtemp(tmpl);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
    ~Runtime() {
        std::string cmd = "rm -rf '" + dir + "'";
        if (std::system(cmd.c_str()) != 0) {
        }
    }
};

// Baseline: copying the header the poll looks at.
void BM_ReadHeaderBaseline(benchmark::State& state) {
    char block[56] = {};
    char copy[56];
    for (auto _ : state) {
        std::memcpy(copy, block, sizeof copy);
        benchmark::DoNotOptimize(copy);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReadHeaderBaseline);

// One tick of an idle channel with ten slots, two of them taken.
void BM_PollIdle(benchmark::State& state) {
    Runtime rt;
    TMemMapEvt a, b;
    for (TMemMapEvt* m : {&a, &b}) {
        m->SetMapName("BenchPoll");
        m->SetProcessMax(10);
        m->SetActive(true);
    }
    a.Poll();
    for (auto _ : state)
        a.Poll();
}
BENCHMARK(BM_PollIdle);

// Lock and Unlock of the block (the hand-off's read and clear take one each).
void BM_LockUnlock(benchmark::State& state) {
    Runtime rt;
    TMemMapEvt a;
    a.SetMapName("BenchLock");
    a.SetActive(true);
    for (auto _ : state) {
        a.Lock();
        a.Unlock();
    }
}
BENCHMARK(BM_LockUnlock);

} // namespace

BENCHMARK_MAIN();
