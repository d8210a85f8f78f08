// Search speed over a generated 100 MB Shift-JIS text of about 1.5 million lines (mixed kana,
// kanji and ASCII, some lines longer than the wrap width), beside `grep -F -c` on the same file
// run as a process in the same run.
#include "editor/HTSearch.h"
#include "editor/HTSearchRows.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

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

struct VecRows : TSearchRowSource {
    std::vector<std::string> rows;
    int RowCount() const override { return static_cast<int>(rows.size()); }
    std::string_view RowText(int r) const override { return rows[static_cast<std::size_t>(r)]; }
    bool RowHasLineEnd(int) const override { return true; }
};

struct Corpus {
    VecRows rows;
    std::string path;
    Corpus() {
        Lcg r;
        std::size_t bytes = 0;
        while (bytes < kTextBytes) {
            rows.rows.push_back(makeLine(r));
            bytes += rows.rows.back().size() + 2;
        }
        path = (std::filesystem::temp_directory_path() /
                ("tolmo_bench_search_" + std::to_string(getpid()) + ".txt"))
                   .string();
        std::ofstream out(path, std::ios::binary);
        for (const std::string& s : rows.rows)
            out << s << "\r\n";
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
        if (EditorSearch(c.rows, st, kMissing, options, hit)) state.SkipWithError("found");
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
    st.Caret = {c.rows.RowCount(), 0};
    for (auto _ : state) {
        TSearchHit hit;
        if (EditorSearch(c.rows, st, kMissing, 0, hit)) state.SkipWithError("found");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kTextBytes));
}

} // namespace

BENCHMARK(BM_GrepBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchMissing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchMissing_MatchCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchMissing_NoMatchZenkaku)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchMissing_Backward)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
