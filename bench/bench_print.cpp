// The print layout pass on Shift-JIS memo text (lines of 10..130 bytes of words, hiragana and
// kanji), A4 at 600 dpi, 9 point rows with line numbers:
//   BM_MeasureRows       the widths of the 1 MB text's lines alone (baseline)
//   BM_LayoutPages       the layout pass over the 1 MB text; counter "pages" per second
//   BM_LayoutMemory100MB the 100 MB text laid out for preview; counters "rss_mb" (resident
//                        memory grown by text and layout) beside "file_mb" (the text's size)
#include "print/PageLayout.h"

#include "MemoText.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// Advances as a 9 point font at 600 dpi gives them: 38 pixels per half-width character.
class TableMeasurer : public TPrintMeasurer {
  public:
    int CharWidth(unsigned code) override { return code > 0xFF ? 75 : 38; }
};

TPageGeometry A4Geometry(const TStringsPrinter& p, long long lines) {
    TPrinterPage page{600, 210, 297, false, 4960, 7016};
    return ComputePageGeometry(p, page, TPrintFontMetrics{75, 0, 38, false}, lines);
}

TStringsPrinter Settings() {
    TStringsPrinter p = TStringsPrinter::Configured();
    p.SetLineNumber(true);
    p.SetHeaderAlign(haLeft);
    p.SetFooterAlign(haCenter);
    return p;
}

long ResidentKb() {
    std::ifstream in("/proc/self/statm");
    long pages = 0, resident = 0;
    in >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void BM_MeasureRows(benchmark::State& state) {
    TTextPrintLines lines(MemoText(1 << 20));
    TableMeasurer m;
    std::string buf;
    for (auto _ : state) {
        long long sum = 0;
        for (std::size_t i = 0; i < lines.Count(); ++i)
            sum += RowWidth(lines.Line(i, buf), m, 8 * 38);
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * (1 << 20));
}
BENCHMARK(BM_MeasureRows)->Unit(benchmark::kMillisecond);

void BM_LayoutPages(benchmark::State& state) {
    TTextPrintLines lines(MemoText(1 << 20));
    TableMeasurer m;
    const TStringsPrinter p = Settings();
    const TPageGeometry g = A4Geometry(p, static_cast<long long>(lines.Count()));
    std::size_t pages = 0;
    for (auto _ : state) {
        TPrintLayout layout(p, g, m, lines);
        layout.Build([](std::size_t, int) { return true; });
        pages = layout.PageCount();
    }
    state.counters["pages"] = benchmark::Counter(static_cast<double>(pages * state.iterations()),
                                                 benchmark::Counter::kIsRate);
    state.SetBytesProcessed(state.iterations() * (1 << 20));
}
BENCHMARK(BM_LayoutPages)->Unit(benchmark::kMillisecond);

void BM_LayoutMemory100MB(benchmark::State& state) {
    for (auto _ : state) {
        const long before = ResidentKb();
        std::string text = MemoText(100u << 20);
        const double fileMb = static_cast<double>(text.size()) / (1 << 20);
        TTextPrintLines lines(std::move(text));
        TableMeasurer m;
        const TStringsPrinter p = Settings();
        const TPageGeometry g = A4Geometry(p, static_cast<long long>(lines.Count()));
        TPrintLayout layout(p, g, m, lines);
        layout.Build([](std::size_t, int) { return true; });
        // The preview draws pages on demand: the first and the last page.
        benchmark::DoNotOptimize(layout.DrawPage(0, SystemHeaderClock()));
        benchmark::DoNotOptimize(layout.DrawPage(layout.PageCount() - 1, SystemHeaderClock()));
        const double rssMb = static_cast<double>(ResidentKb() - before) / 1024;
        state.counters["rss_mb"] = rssMb;
        state.counters["file_mb"] = fileMb;
        state.counters["pages"] = static_cast<double>(layout.PageCount());
        state.counters["within_budget"] = rssMb <= fileMb + 200 ? 1 : 0;
    }
}
BENCHMARK(BM_LayoutMemory100MB)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
