// Confirming the display settings ("決定") on 30 open memo pages, one of them a 100 MB text of
// about 1.5 million lines, on the offscreen platform:
//   BM_RepaintScreenBaseline  repainting one screen of the huge page (baseline)
//   BM_ApplyDisplaySettings   a new background colour applied to all 30 pages, with the repaint
//                             of the visible one; the counter "rewraps" must stay 0
//   BM_ApplyWrapWidth         a new wrap width applied to all 30 pages: each re-wraps once (the
//                             huge one on worker threads, waited for)
#include "editor/DisplaySettings.h"
#include "editor/ProgramPropertySets.h"
#include "editor/ui/EditorWidget.h"
#include "text/RowStore.h"

#include "MemoText.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Pages {
    std::vector<std::unique_ptr<TEditor>> editors;
    TSettings settings;
    Pages() {
        for (int i = 0; i < 30; ++i) {
            auto e = std::make_unique<TEditor>();
            e->resize(800, 600);
            MakeEditorProp_Default().AssignTo(e->Core());
            std::string memo;
            for (int l = 0; l < 200; ++l)
                memo += "a memo line with some words in it, long enough to wrap somewhere\r\n";
            e->SetText(i == 0 ? MemoText(100u << 20) : memo);
            ApplyDisplaySettings(settings, e->Core());
            editors.push_back(std::move(e));
        }
        editors[0]->show();
        QApplication::processEvents();
    }
    long long Rewraps() const {
        long long n = 0;
        for (const auto& e : editors)
            n += e->Core().WrapCount();
        return n;
    }
};

// Built on first use and dropped in main while the application object still lives: widgets
// destroyed by the exit handlers, after QApplication, crash the run.
std::unique_ptr<Pages> pages;

Pages& All() {
    if (!pages) pages = std::make_unique<Pages>();
    return *pages;
}

void BM_RepaintScreenBaseline(benchmark::State& state) {
    TEditor* e = All().editors[0].get();
    for (auto _ : state)
        e->viewport()->repaint();
}
BENCHMARK(BM_RepaintScreenBaseline)->Unit(benchmark::kMicrosecond);

void BM_ApplyDisplaySettings(benchmark::State& state) {
    Pages& p = All();
    const long long before = p.Rewraps();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        p.settings.Color = flip ? clYellow : clWhite;
        p.settings.MarginLeft = flip ? 9 : 3;
        for (const auto& e : p.editors)
            ApplyDisplaySettings(p.settings, e->Core());
        p.editors[0]->viewport()->repaint();
    }
    state.counters["rewraps"] = static_cast<double>(p.Rewraps() - before);
}
BENCHMARK(BM_ApplyDisplaySettings)->Unit(benchmark::kMicrosecond);

void BM_ApplyWrapWidth(benchmark::State& state) {
    Pages& p = All();
    const long long before = p.Rewraps();
    bool flip = false;
    long long applied = 0;
    for (auto _ : state) {
        flip = !flip;
        p.settings.WrapByte = flip ? 72 : 80;
        for (const auto& e : p.editors)
            ApplyDisplaySettings(p.settings, e->Core());
        for (const auto& e : p.editors) // the large page re-wraps in the background: to its end
            e->Core().SharedStore()->FinishRewrap();
        p.editors[0]->viewport()->repaint();
        applied += static_cast<long long>(p.editors.size());
    }
    state.counters["rewraps_per_page"] =
        applied ? static_cast<double>(p.Rewraps() - before) / static_cast<double>(applied) : 0;
}
BENCHMARK(BM_ApplyWrapWidth)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    pages.reset();
    return 0;
}
