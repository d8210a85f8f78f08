// Search speed over a generated 100 MB Shift-JIS text of about 1.5 million lines (mixed kana,
// kanji and ASCII, some lines longer than the wrap width) loaded into the editor's row store with
// word wrap at 80, beside `grep -F -c` on the same file run as a process in the same run:
//   BM_GrepBaseline                 grep -F -c for a pattern the text does not hold (baseline)
//   BM_SearchMissing/<options>_<cores>   the editor's Search for it: options IgnoreCase (the
//       dialogs' default), MatchCase, Zenkaku (full-width and half-width alike), LineEnds (line
//       ends and blanks skipped), on one thread (OneCore) and on every core (AllCores)
//   BM_SearchMissing_Backward       the same backward (always one thread)
//   BM_SedBaseline                  sed s/needle/pin/g over the replace text (baseline)
//   BM_ReplaceAll100k               replace all of 100 000 occurrences, each one undo step
//   BM_ReplaceAllEditor100k         the same through the editing control's core, as the window's
//                                   Replace command runs it (caret placed and scrolled to each)
// The baselines are timed as wall-clock time of the whole process, the searches likewise (real
// time); cpu_ms is the CPU time the process or search thread and its helpers used.
#include "search/EditorSearch.h"
#include "search/Matcher.h"
#include "search/RowSearch.h"
#include "search/RowStoreReplaceTarget.h"
#include "text/RowStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
// Wrap options with the given width and the default character sets.
TEditorWrapOption WrapWidth(int width) {
    TEditorWrapOption o;
    o.SetWrapByte(width);
    return o;
}

constexpr std::size_t kTextBytes = 100u << 20;

struct Lcg {
    std::uint64_t s = 0x2545F4914F6CDD1DULL;
    std::uint32_t next() {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(s >> 33);
    }
    std::uint32_t below(std::uint32_t n) { return next() % n; }
};

void putKanji(std::string& s, Lcg& r) {
    // JIS level 1 kanji: leads 0x88 (from trail 0x9F) to 0x98 (up to trail 0x72).
    unsigned lead = 0x89 + r.below(15);
    unsigned trail = 0x40 + r.below(0xBC);
    if (trail >= 0x7F) ++trail;
    s += char(lead);
    s += char(trail);
}

std::string makeLine(Lcg& r) {
    std::string s;
    const unsigned target = r.below(8) == 0 ? 120 + r.below(100) : 10 + r.below(90);
    while (s.size() < target) {
        switch (r.below(6)) {
        case 0:
        case 1: // hiragana
            for (unsigned i = 0, n = 1 + r.below(5); i < n; ++i) {
                s += '\x82';
                s += char(0x9F + r.below(0x53));
            }
            break;
        case 2: // katakana
            for (unsigned i = 0, n = 1 + r.below(4); i < n; ++i) {
                unsigned t = 0x40 + r.below(0x57);
                if (t >= 0x7F) ++t;
                s += '\x83';
                s += char(t);
            }
            break;
        case 3:
        case 4:
            for (unsigned i = 0, n = 1 + r.below(3); i < n; ++i)
                putKanji(s, r);
            break;
        default: // an ASCII word and a blank
            for (unsigned i = 0, n = 2 + r.below(7); i < n; ++i)
                s += char('a' + r.below(26));
            s += ' ';
            break;
        }
    }
    return s;
}

std::string writeText(const std::string& name, const std::vector<std::string>& lines) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tolmo_bench_search_" + std::to_string(getpid()) + name))
                                 .string();
    std::ofstream out(path, std::ios::binary);
    for (const std::string& s : lines)
        out << s << "\r\n";
    return path;
}

std::unique_ptr<TEditorScreenStrings> loadWrapped(const std::string& path) {
    auto s = std::make_unique<TEditorScreenStrings>();
    s->SetWrapOption(WrapWidth(80));
    s->SetWordWrap(true);
    s->LoadFromFile(path);
    return s;
}

struct Corpus {
    std::string path;
    std::unique_ptr<TEditorScreenStrings> store;
    Corpus() {
        Lcg r;
        std::vector<std::string> lines;
        std::size_t bytes = 0;
        while (bytes < kTextBytes) {
            lines.push_back(makeLine(r));
            bytes += lines.back().size() + 2;
        }
        path = writeText(".txt", lines);
        store = loadWrapped(path);
    }
    ~Corpus() { std::filesystem::remove(path); }
};

Corpus& corpus() {
    static Corpus c;
    return c;
}

// A pattern of kanji, kana and letters that the generated text does not hold.
const std::string kMissing = "\x91\xB6\x8D\xDD\x82\xB5\x82\xC8\x82\xA2zqx"; // 存在しないzqx

extern "C" char** environ;

// Runs a command with its output to /dev/null and LC_ALL=C; returns its exit status, with the
// wall-clock seconds and CPU seconds (user and system) it took.
int runTool(std::vector<std::string> args, double& wall, double& cpu) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string lc = "LC_ALL=C";
    char* envp[] = {lc.data(), nullptr};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int err = posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), envp);
    posix_spawn_file_actions_destroy(&fa);
    if (err) return -1;
    int status = 0;
    rusage ru{};
    wait4(pid, &status, 0, &ru);
    wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    cpu = double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
          double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// CPU seconds this process has used so far (every thread).
double processCpu() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
}

void BM_GrepBaseline(benchmark::State& state) {
    Corpus& c = corpus();
    double cpuTotal = 0;
    for (auto _ : state) {
        double wall = 0, cpu = 0;
        // grep exits with 1 when no line matches.
        if (runTool({"grep", "-F", "-c", "--", kMissing, c.path}, wall, cpu) != 1)
            state.SkipWithError("grep did not run or found it");
        state.SetIterationTime(wall);
        cpuTotal += cpu;
    }
    state.counters["cpu_ms"] = cpuTotal * 1e3 / double(state.iterations());
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kTextBytes));
}

void BM_SearchMissing(benchmark::State& state, TSearchOptions options, int threads) {
    Corpus& c = corpus();
    SetSearchThreads(threads);
    TEditorSearchState st;
    const double cpu0 = processCpu();
    for (auto _ : state) {
        TSearchHit hit;
        if (EditorSearch(*c.store, st, kMissing, options, hit)) state.SkipWithError("found");
    }
    state.counters["cpu_ms"] = (processCpu() - cpu0) * 1e3 / double(state.iterations());
    SetSearchThreads(0);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kTextBytes));
}

void BM_SearchMissing_Backward(benchmark::State& state) {
    Corpus& c = corpus();
    TEditorSearchState st;
    st.Caret = {c.store->Count(), 0};
    for (auto _ : state) {
        TSearchHit hit;
        if (EditorSearch(*c.store, st, kMissing, 0, hit)) state.SkipWithError("found");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kTextBytes));
}

// The text for Replace All, written once.
struct ReplaceCorpus {
    std::string path;
    int planted = 0;
    ReplaceCorpus() {
        Lcg r;
        r.s = 77;
        std::vector<std::string> lines;
        std::size_t bytes = 0;
        while (bytes < kTextBytes) {
            std::string line = makeLine(r);
            if (lines.size() % 14 == 7 && planted < 100000) {
                line.insert(line.size() / 2 & ~std::size_t(1), " needle ");
                ++planted;
            }
            lines.push_back(std::move(line));
            bytes += lines.back().size() + 2;
        }
        path = writeText("_replace.txt", lines);
    }
    ~ReplaceCorpus() { std::filesystem::remove(path); }
};

ReplaceCorpus& replaceCorpus() {
    static ReplaceCorpus c;
    return c;
}

void BM_SedBaseline(benchmark::State& state) {
    ReplaceCorpus& c = replaceCorpus();
    double cpuTotal = 0;
    for (auto _ : state) {
        double wall = 0, cpu = 0;
        if (runTool({"sed", "-e", "s/needle/pin/g", c.path}, wall, cpu) != 0)
            state.SkipWithError("sed did not run");
        state.SetIterationTime(wall);
        cpuTotal += cpu;
    }
    state.counters["cpu_ms"] = cpuTotal * 1e3 / double(state.iterations());
}

// The same kind of text, 100 000 of whose lines (every 14th) hold the word "needle" once.
void BM_ReplaceAll100k(benchmark::State& state) {
    ReplaceCorpus& c = replaceCorpus();
    const std::string& path = c.path;
    const int planted = c.planted;
    for (auto _ : state) {
        state.PauseTiming();
        auto store = loadWrapped(path);
        store->UndoObj().SetListMax(200000); // keep every step to show they all undo
        TRowStoreReplaceTarget target(*store);
        TSearchCommandState cmd{"needle", "pin", soDown | soReplaceAll};
        state.ResumeTiming();
        const int replaced = RunReplace(target, cmd).Replaced;
        state.PauseTiming();
        if (replaced != planted) state.SkipWithError("wrong number of replacements");
        int undone = 0;
        while (store->UndoObj().CanUndo()) {
            store->Undo();
            ++undone;
        }
        state.counters["replaced"] = replaced;
        state.counters["undo_steps"] = undone;
        store.reset();
        state.ResumeTiming();
    }
}

// The same replacements through an editor on the page's rows, as the main window runs them.
void BM_ReplaceAllEditor100k(benchmark::State& state) {
    TConsoleAsker asker; // the not-found notice at the end goes to stderr
    ReplaceCorpus& c = replaceCorpus();
    for (auto _ : state) {
        state.PauseTiming();
        std::shared_ptr<TEditorScreenStrings> store = loadWrapped(c.path);
        store->UndoObj().SetListMax(200000);
        auto editor = std::make_unique<TEditorCore>(store);
        editor->SetVisibleArea(40, 80);
        TEditorReplaceTarget target(asker, *editor, "Tolmo");
        TSearchCommandState cmd{"needle", "pin", soDown | soReplaceAll};
        state.ResumeTiming();
        const int replaced = RunReplace(target, cmd).Replaced;
        state.PauseTiming();
        if (replaced != c.planted) state.SkipWithError("wrong number of replacements");
        state.counters["replaced"] = replaced;
        editor.reset();
        store.reset();
        state.ResumeTiming();
    }
}

} // namespace

// Single runs on this shared machine vary by a fifth: grep and the searches give the median of
// three runs each.
BENCHMARK(BM_GrepBaseline)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
#define SEARCH_MISSING(name, options)                                                              \
    BENCHMARK_CAPTURE(BM_SearchMissing, name##_OneCore, options, 1)                                \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->UseRealTime()                                                                            \
        ->Repetitions(3)                                                                           \
        ->ReportAggregatesOnly(true);                                                              \
    BENCHMARK_CAPTURE(BM_SearchMissing, name##_AllCores, options, 0)                               \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->UseRealTime()                                                                            \
        ->Repetitions(3)                                                                           \
        ->ReportAggregatesOnly(true)
SEARCH_MISSING(IgnoreCase, soDown);
SEARCH_MISSING(MatchCase, soDown | soMatchCase);
SEARCH_MISSING(Zenkaku, soDown | soNoMatchZenkaku);
SEARCH_MISSING(LineEnds, soDown | soIncludeCRLF);
BENCHMARK(BM_SearchMissing_Backward)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SedBaseline)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ReplaceAll100k)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReplaceAllEditor100k)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
