// The editing control on the offscreen platform with a 100 MB Shift-JIS text of about 1.5
// million lines, word wrap on at 80 columns, driven by real key events:
//   BM_RepaintRowBaseline  repainting one row without any edit (baseline)
//   BM_TypeInHugeText      one typed character in the middle of the text, to its repainted row
//   BM_PageDownHugeText    one PageDown with the repaint of the page
// The counter "rows" is the number of rows painted per iteration.
#include "editor/ProgramPropertySets.h"
#include "editor/ui/EditorWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
struct Rng {
    uint64_t s = 12345;
    int Range(int lo, int hi) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return lo + static_cast<int>((s >> 33) % static_cast<uint64_t>(hi - lo + 1));
    }
};

// About 100 MB: lines of 10..130 bytes of ASCII words, hiragana and kanji.
std::string HugeText() {
    std::string t;
    t.reserve(105u << 20);
    Rng r;
    while (t.size() < (100u << 20)) {
        const int len = r.Range(10, 130);
        const size_t start = t.size();
        while (static_cast<int>(t.size() - start) < len) {
            switch (r.Range(0, 3)) {
            case 0:
                t += static_cast<char>('a' + r.Range(0, 25));
                break;
            case 1:
                t += ' ';
                break;
            case 2:
                t += '\x82', t += static_cast<char>(r.Range(0x9F, 0xF1));
                break;
            default:
                t += static_cast<char>(r.Range(0x88, 0x9E)),
                    t += static_cast<char>(r.Range(0x40, 0x7E));
                break;
            }
        }
        t += "\r\n";
    }
    return t;
}

TEditor* Editor() {
    static TEditor* ed = [] {
        auto* e = new TEditor;
        e->resize(800, 600);
        MakeEditorProp_Default().AssignTo(e->Core());
        e->SetText(HugeText());
        e->show();
        QApplication::processEvents();
        return e;
    }();
    return ed;
}

void SendKey(QWidget* w, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void GoMiddle(TEditor* ed) {
    ed->Core().SetCaret(ed->Core().Rows().RowCount() / 2, 4);
    QApplication::processEvents();
}
} // namespace

static void BM_RepaintRowBaseline(benchmark::State& state) {
    TEditor* ed = Editor();
    GoMiddle(ed);
    const long long before = ed->PaintedRows;
    const QPoint o = ed->CellOrigin(ed->Core().Row(), 0);
    for (auto _ : state) {
        ed->viewport()->update(0, o.y(), ed->viewport()->width(), ed->Metrics().RowHeight);
        QApplication::processEvents();
    }
    state.counters["rows"] =
        benchmark::Counter(double(ed->PaintedRows - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RepaintRowBaseline)->Unit(benchmark::kMillisecond);

static void BM_TypeInHugeText(benchmark::State& state) {
    TEditor* ed = Editor();
    GoMiddle(ed);
    const long long before = ed->PaintedRows;
    for (auto _ : state) {
        SendKey(ed, Qt::Key_X, "x");
        QApplication::processEvents();
    }
    state.counters["rows"] =
        benchmark::Counter(double(ed->PaintedRows - before), benchmark::Counter::kAvgIterations);
    state.counters["total_rows"] = ed->Core().Rows().RowCount();
}
BENCHMARK(BM_TypeInHugeText)->Unit(benchmark::kMillisecond);

static void BM_PageDownHugeText(benchmark::State& state) {
    TEditor* ed = Editor();
    GoMiddle(ed);
    const long long before = ed->PaintedRows;
    for (auto _ : state) {
        SendKey(ed, Qt::Key_PageDown);
        QApplication::processEvents();
    }
    state.counters["rows"] =
        benchmark::Counter(double(ed->PaintedRows - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PageDownHugeText)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
