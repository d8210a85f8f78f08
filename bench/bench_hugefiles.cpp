// Huge files: the cost of loading and wrapping per byte from 100 MB to 1 GB (the generated memo
// text of 100 MB, repeated), each size beside the floor of reading the file and counting its
// line ends with memchr in the same run. Times are wall-clock: the load uses every core.
//   BM_ReadCountLinesScale/N  read N MB and count line ends on one thread (floor)
//   BM_LoadWrapScale/N        LoadFromFile with word wrap at 80, rows cut on every core
//   BM_LoadWrapOneThread/100  the same on one thread (baseline of the parallel cut)
//   BM_FirstScreen/1000       a page's open command up to the rows of its first screen: the
//                             file is opened for a background load, its head read and cut (the
//                             rest is cancelled untimed); beside BM_LoadWrapScale/1000
//   BM_CopyBaseline/1000      what `cp` does to the 1 GB file: read it and write a new file in
//                             1 MiB blocks, then fsync (baseline of the save)
//   BM_SavePageHuge/1000      saving the loaded 1 GB page as the save command does (blocks
//                             gathered from the rows, written to a new file, synced, renamed);
//                             peak_MB: the peak resident memory over the loaded text
//   BM_RewrapHuge/N           a loaded text of N MB wrapped anew at another width (60 and 80 in
//                             turn), on every core, as a window does it: on worker threads, until
//                             the new rows are swapped in; swap_ms: the swap alone, the time the
//                             window's thread spends; beside BM_LoadWrapScale/N
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "LoadFloor.h"
#include "MemoText.h"
#include "TempTextFile.h"
#include "mainwindow/pages/DocumentEncoding.h"
#include "mainwindow/pages/DocumentFile.h"
#include "platform/AtomicFile.h"
#include "text/RowStore.h"

// Opening these files asks nothing; a question would go to stderr and take its default.
static TConsoleAsker quiet;

namespace {

constexpr size_t kPiece = 100u << 20;

const std::string& Piece() {
    static const std::string s = [] {
        std::string t = MemoText(kPiece, 20261206);
        t.resize(kPiece);
        // end on a whole line so that the repeats stay the same text
        t.resize(t.rfind('\n') + 1);
        return t;
    }();
    return s;
}

// The text of `mb` megabytes (the 100 MB piece repeated), written once per size.
const TTempTextFile& FileOf(int mb) {
    static std::map<int, std::unique_ptr<TTempTextFile>> files;
    auto& f = files[mb];
    if (!f) {
        for (auto& [k, v] : files)
            if (k != mb) v.reset(); // one big file on disk at a time
        f = std::make_unique<TTempTextFile>("memo.txt");
        f->Write(Piece(), mb / 100);
    }
    return *f;
}

void PerByte(benchmark::State& state, int64_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
    state.counters["s_per_GB"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(bytes) * 1e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

static void BM_ReadCountLinesScale(benchmark::State& state) {
    const auto& f = FileOf(static_cast<int>(state.range(0)));
    TReadCount r;
    for (auto _ : state) {
        r = ReadAndCountLines(f.path, true); // as the load reads
        benchmark::DoNotOptimize(r.lines);
    }
    state.counters["lines"] = static_cast<double>(r.lines);
    PerByte(state, static_cast<int64_t>(r.bytes));
}

static void LoadWrap(benchmark::State& state, int threads) {
    const auto& f = FileOf(static_cast<int>(state.range(0)));
    const double before = ResidentMB();
    double store = 0;
    int64_t size = 0, rows = 0;
    for (auto _ : state) {
        auto s = std::make_unique<TEditorScreenStrings>();
        s->LoadThreads = threads;
        s->SetWordWrap(true);
        s->LoadFromFile(f.path);
        state.PauseTiming();
        store = ResidentMB() - before;
        size = s->TextLength();
        rows = s->Count();
        s.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["store_MB"] = store;
    PerByte(state, size);
}

static void BM_LoadWrapScale(benchmark::State& state) {
    LoadWrap(state, 0);
}

static void BM_LoadWrapOneThread(benchmark::State& state) {
    LoadWrap(state, 1);
}

static void BM_FirstScreen(benchmark::State& state) {
    const auto& f = FileOf(static_cast<int>(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        auto s = std::make_unique<TEditorScreenStrings>();
        s->SetWordWrap(true);
        bool declined = false;
        TFileFormat format;
        std::unique_ptr<TBackgroundLoad> load =
            OpenPageInBackground(quiet, f.path, nullptr, &format, &declined);
        if (!load) {
            state.SkipWithError("the file does not open in the background");
            break;
        }
        s->BeginLoad(std::move(load), nullptr);
        rows = s->Count();
        state.PauseTiming();
        s.reset(); // cancels the rest
        state.ResumeTiming();
    }
    state.counters["first_rows"] = rows;
}

static void BM_CopyBaseline(benchmark::State& state) {
    const auto& f = FileOf(static_cast<int>(state.range(0)));
    const std::string out = f.path + ".copy";
    std::vector<char> buf(size_t{1} << 20);
    int64_t size = 0;
    for (auto _ : state) {
        const int in = ::open(f.path.c_str(), O_RDONLY | O_CLOEXEC);
        const int to = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        size = 0;
        for (ssize_t n; (n = ::read(in, buf.data(), buf.size())) > 0; size += n)
            if (::write(to, buf.data(), static_cast<size_t>(n)) != n) state.SkipWithError("write");
        ::fsync(to);
        ::close(to);
        ::close(in);
    }
    ::unlink(out.c_str());
    PerByte(state, size);
}

// The peak resident memory since the last reset (VmHWM), in MB; the reset makes it the present.
double PeakMB(bool reset) {
    if (reset) {
        if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", f);
            std::fclose(f);
        }
        return 0;
    }
    double kb = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %lf", &kb) == 1) break;
        std::fclose(f);
    }
    return kb / 1024;
}

static void BM_SavePageHuge(benchmark::State& state) {
    const auto& f = FileOf(static_cast<int>(state.range(0)));
    const std::string out = f.path + ".saved";
    auto s = std::make_unique<TEditorScreenStrings>();
    s->SetWordWrap(true);
    s->LoadFromFile(f.path);
    TPageDocument doc;
    const double loaded = ResidentMB();
    PeakMB(true);
    for (auto _ : state) {
        const TRowTableSnapshot text = s->Snapshot();
        std::string error;
        if (!SaveDocumentFile(
                out,
                [&](const TWriteBytes& write, std::string* why) {
                    return WritePageDocument(text, doc, write, why);
                },
                &error))
            state.SkipWithError(error.c_str());
    }
    state.counters["peak_MB"] = PeakMB(false) - loaded;
    ::unlink(out.c_str());
    PerByte(state, s->TextLength());
}

static void BM_RewrapHuge(benchmark::State& state) {
    const auto& f = FileOf(static_cast<int>(state.range(0)));
    auto s = std::make_unique<TEditorScreenStrings>();
    s->SetWordWrap(true);
    s->LoadFromFile(f.path);
    // The workers' end is waited for here; the swap that a window's thread would run is timed.
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    s->PostToOwnThread = [&](std::function<void()>) {
        std::lock_guard lock(m);
        done = true;
        cv.notify_one();
    };
    double swap = 0;
    int width = 60;
    for (auto _ : state) {
        TEditorWrapOption o = s->WrapOption();
        o.SetWrapByte(width);
        s->SetWrapOption(o);
        {
            std::unique_lock lock(m);
            cv.wait(lock, [&] { return done; });
            done = false;
        }
        const auto t0 = std::chrono::steady_clock::now();
        s->FinishRewrap();
        swap += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count();
        width = width == 60 ? 80 : 60;
    }
    state.counters["rows"] = static_cast<double>(s->Count());
    state.counters["swap_ms"] = swap / static_cast<double>(state.iterations());
    PerByte(state, s->TextLength());
}

// Every size: the floor first, then the load of the same file in the same run.
#define SCALE(b, mb)                                                                               \
    BENCHMARK(b)->Arg(mb)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()
SCALE(BM_ReadCountLinesScale, 100);
SCALE(BM_LoadWrapOneThread, 100);
SCALE(BM_LoadWrapScale, 100);
SCALE(BM_RewrapHuge, 100);
SCALE(BM_ReadCountLinesScale, 500);
SCALE(BM_LoadWrapScale, 500);
SCALE(BM_ReadCountLinesScale, 1000);
SCALE(BM_LoadWrapScale, 1000);
SCALE(BM_RewrapHuge, 1000);
SCALE(BM_FirstScreen, 1000);
SCALE(BM_CopyBaseline, 1000);
SCALE(BM_SavePageHuge, 1000);
SCALE(BM_CopyBaseline, 1000); // again: the disk as the save found it

BENCHMARK_MAIN();
