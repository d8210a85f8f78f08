// Search speed over a generated 100 MB Shift-JIS text of about 1.5 million lines (mixed kana,
// kanji and ASCII, some lines longer than the wrap width) loaded into the editor's row store with
// word wrap at 80, beside `grep -F -c` on the same file run as a process in the same run:
//   BM_GrepBaseline                 grep -F -c for a pattern the text does not hold (baseline)
//   BM_SearchMissing                the editor's Search for it with the dialogs' default options
//   BM_SearchMissing_MatchCase, _NoMatchZenkaku, _Backward   the same with other options
//   BM_ReplaceAll100k               replace all of 100 000 occurrences, each one undo step
#include "search/Matcher.h"
#include "search/RowSearch.h"
#include "search/RowStoreReplaceTarget.h"
#include "text/RowStore.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
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

int runGrep(const std::string& pattern, const std::string& file) {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("LC_ALL", "C", 1);
        if (!freopen("/dev/null", "w", stdout)) _exit(127);
        execlp("grep", "grep", "-F", "-c", "--", pattern.c_str(), file.c_str(), (char*)nullptr);
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_GrepBaseline(benchmark::State& state) {
    Corpus& c = corpus();
    for (auto _ : state) {
        // grep exits with 1 when no line matches.
        if (runGrep(kMissing, c.path) != 1) state.SkipWithError("grep did not run or found it");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kTextBytes));
}

void searchMissing(benchmark::State& state, TSearchOptions options) {
    Corpus& c = corpus();
    TEditorSearchState st;
    for (auto _ : state) {
        TSearchHit hit;
        if (EditorSearch(*c.store, st, kMissing, options, hit)) state.SkipWithError("found");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kTextBytes));
}

void BM_SearchMissing(benchmark::State& state) {
    searchMissing(state, soDown);
}
void BM_SearchMissing_MatchCase(benchmark::State& state) {
    searchMissing(state, soDown | soMatchCase);
}
void BM_SearchMissing_NoMatchZenkaku(benchmark::State& state) {
    searchMissing(state, soDown | soNoMatchZenkaku);
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

// The same kind of text, 100 000 of whose lines (every 14th) hold the word "needle" once.
void BM_ReplaceAll100k(benchmark::State& state) {
    Lcg r;
    r.s = 77;
    std::vector<std::string> lines;
    std::size_t bytes = 0;
    int planted = 0;
    while (bytes < kTextBytes) {
        std::string line = makeLine(r);
        if (lines.size() % 14 == 7 && planted < 100000) {
            line.insert(line.size() / 2 & ~std::size_t(1), " needle ");
            ++planted;
        }
        lines.push_back(std::move(line));
        bytes += lines.back().size() + 2;
    }
    const std::string path = writeText("_replace.txt", lines);
    lines.clear();
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
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_GrepBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchMissing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchMissing_MatchCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchMissing_NoMatchZenkaku)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchMissing_Backward)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReplaceAll100k)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
