// Jump-mark scan on a 100 MB Shift-JIS text of about 1.6 million lines, beside its baseline:
//   BM_CountLineEnds   counting the text's line ends with memchr (baseline)
//   BM_ScanJumpMarks   the jump column's scan over the rows of an editor holding the text
//   BM_ScanJumpMarksText  the same scan over the plain bytes
#include <benchmark/benchmark.h>

#include "editor/EditorCore.h"
#include "mainwindow/FunctionBar.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

const std::string& Text() {
    static const std::string text = [] {
        std::string t;
        t.reserve(105u << 20);
        uint64_t s = 20261206;
        auto next = [&s] {
            s = s * 6364136223846793005ULL + 1442695040888963407ULL;
            return static_cast<uint32_t>(s >> 33);
        };
        while (t.size() < (100u << 20)) {
            const uint32_t r = next();
            if (r % 97 == 0) t += "&" + std::to_string(r % 12) + " ";
            if (r % 89 == 0) t += "\x81\x95\x82\x52"; // "＆３"
            const int len = 20 + static_cast<int>(r % 90);
            for (int i = 0; i < len; i += 2)
                t += (r >> (i % 16)) & 1 ? "\x82\xa0" : "ab";
            t += "\r\n";
        }
        return t;
    }();
    return text;
}

TEditorCore& Editor() {
    static std::unique_ptr<TEditorCore> e = [] {
        auto core = std::make_unique<TEditorCore>();
        core->SetText(Text());
        return core;
    }();
    return *e;
}

void BM_CountLineEnds(benchmark::State& state) {
    const std::string& t = Text();
    for (auto _ : state) {
        size_t n = 0;
        const char* p = t.data();
        const char* end = p + t.size();
        while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))))) {
            ++n;
            ++p;
        }
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(t.size()));
}

void BM_ScanJumpMarks(benchmark::State& state) {
    TEditorCore& e = Editor();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanJumpMarks(e.Rows()));
    state.counters["rows"] = e.Rows().RowCount();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Text().size()));
}

void BM_ScanJumpMarksText(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanJumpMarks(Text()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Text().size()));
}

} // namespace

BENCHMARK(BM_CountLineEnds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanJumpMarks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanJumpMarksText)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
