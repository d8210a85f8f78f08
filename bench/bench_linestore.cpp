// Row store benchmarks on a generated 100 MB Shift-JIS text of about 1.5 million lines (kana,
// kanji and ASCII, some lines longer than the wrap width), each beside its baseline:
//   BM_ReadCountLines  reading the file and counting its line ends with memchr (baseline)
//   BM_LoadWrap        LoadFromFile with word wrap at 80, and the resident memory after it beside
//                      the process's before the open and the file's size: x_file is the growth
//                      over the file's size (store_MB / file_MB), target 1.2
//   BM_EditMiddle      one UpdateList in the middle (type a character, Return, delete a line)
//   BM_LineLookup      Lines.Count, LineToRow, RowToLine, RowStart/RowEnd on 100 MB and on 1 MB
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "text/RowStore.h"

#include "LoadFloor.h"
#include "MemoText.h"

namespace fs = std::filesystem;

namespace {
struct BigFile {
    fs::path dir;
    std::string path;
    size_t size = 0;
    BigFile(size_t target, uint64_t seed) {
        char tmpl[] = "/tmp/tolmo-bench-XXXXXX";
        dir = mkdtemp(tmpl);
        path = (dir / "memo.txt").string();
        TMemoText gen{seed};
        std::string buf;
        FILE* f = std::fopen(path.c_str(), "wb");
        while (size < target) {
            buf.clear();
            gen.Append(1u << 20, buf);
            std::fwrite(buf.data(), 1, buf.size(), f);
            size += buf.size();
        }
        std::fclose(f);
    }
    ~BigFile() { fs::remove_all(dir); }
};

BigFile& Big() {
    static BigFile f(100u << 20, 20261206);
    return f;
}
BigFile& Small() {
    static BigFile f(1u << 20, 7);
    return f;
}

// An editor showing 40 rows from its caret's row.
struct Caret : TRowStoreView {
    int row = 0, col = 0;
    void RowsChanged() override {}
};

std::unique_ptr<TEditorScreenStrings> LoadWrapped(const std::string& path) {
    auto s = std::make_unique<TEditorScreenStrings>();
    s->SetWordWrap(true);
    s->LoadFromFile(path);
    return s;
}
} // namespace

static void BM_ReadCountLines(benchmark::State& state) {
    BigFile& f = Big();
    TReadCount r;
    for (auto _ : state) {
        r = ReadAndCountLines(f.path, false);
        benchmark::DoNotOptimize(r.lines);
    }
    state.counters["lines"] = static_cast<double>(r.lines);
    state.counters["file_MB"] = static_cast<double>(f.size) / (1 << 20);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(f.size));
}
BENCHMARK(BM_ReadCountLines)->Unit(benchmark::kMillisecond)->Iterations(5);

static void BM_LoadWrap(benchmark::State& state) {
    BigFile& f = Big();
    double before = ResidentMB();
    double after = 0;
    int rows = 0, lines = 0;
    for (auto _ : state) {
        auto s = LoadWrapped(f.path);
        state.PauseTiming();
        after = ResidentMB();
        rows = s->Count();
        lines = s->LineCount();
        s.reset();
        state.ResumeTiming();
    }
    const double fileMB = static_cast<double>(f.size) / (1 << 20);
    state.counters["rows"] = rows;
    state.counters["lines"] = lines;
    state.counters["file_MB"] = fileMB;
    state.counters["empty_MB"] = before; // the process before the open
    state.counters["rss_MB"] = after;
    state.counters["store_MB"] = after - before;
    state.counters["x_file"] = (after - before) / fileMB; // target 1.2
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(f.size));
}
BENCHMARK(BM_LoadWrap)->Unit(benchmark::kMillisecond)->Iterations(5);

// Each iteration is one UpdateList with its undo record; the counters give the median and the
// 99th percentile of the single edits.
static void BM_EditMiddle(benchmark::State& state) {
    static std::unique_ptr<TEditorScreenStrings> s = LoadWrapped(Big().path);
    Caret caret;
    s->Attach(&caret);
    const int kind = static_cast<int>(state.range(0));
    std::vector<double> us;
    int i = 0;
    for (auto _ : state) {
        int mid = s->Count() / 2 + (i++ % 20000) * 3;
        std::string row(s->RowText(mid));
        size_t at = std::min<size_t>(row.size(), 6);
        while (at > 0 && at < row.size() && (static_cast<unsigned char>(row[at - 1]) & 0x80))
            --at;
        caret.row = mid;
        caret.col = static_cast<int>(at);
        s->SetParseBound(&caret, mid + 2 * 40);
        std::string t(row, 0, at);
        t.append(kind == 0 ? "x" : "\r\n");
        t.append(row, at, std::string::npos);
        if (s->RowEndKind(mid) == reLineEnd) t.append("\r\n");
        auto t0 = std::chrono::steady_clock::now();
        if (kind <= 1) {
            s->UpdateList(mid, 1, t, TCaretPos{caret.row, caret.col});
        } else {
            int first = s->RowStart(mid);
            s->UpdateList(first, s->RowEnd(mid) - first + 1, "", TCaretPos{caret.row, caret.col});
        }
        auto t1 = std::chrono::steady_clock::now();
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    s->Detach(&caret);
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["p99_us"] = us[us.size() * 99 / 100];
    state.counters["rows"] = s->Count();
    state.SetLabel(kind == 0 ? "type a character" : kind == 1 ? "Return" : "delete a line");
}
BENCHMARK(BM_EditMiddle)->Arg(0)->Arg(1)->Arg(2)->Iterations(20000);

static void LineLookup(benchmark::State& state, TEditorScreenStrings& s) {
    TMemoText r{99};
    int64_t sum = 0;
    const int lc = s.LineCount();
    for (auto _ : state) {
        int line = static_cast<int>(r.Next() % static_cast<uint32_t>(lc));
        int row = s.LineToRow(line);
        sum += s.RowToLine(row) + s.RowStart(row) + s.RowEnd(row) + s.LineCount();
        benchmark::DoNotOptimize(sum);
    }
    state.counters["rows"] = s.Count();
    state.counters["lines"] = lc;
}

static void BM_LineLookup(benchmark::State& state) {
    static std::unique_ptr<TEditorScreenStrings> small = LoadWrapped(Small().path);
    static std::unique_ptr<TEditorScreenStrings> big = LoadWrapped(Big().path);
    if (state.range(0) == 0) {
        state.SetLabel("1 MB text (baseline)");
        LineLookup(state, *small);
    } else {
        state.SetLabel("100 MB text");
        LineLookup(state, *big);
    }
}
BENCHMARK(BM_LineLookup)->Arg(0)->Arg(1);

BENCHMARK_MAIN();
