// The editing control on the offscreen platform with a 100 MB Shift-JIS text of about 1.5
// million lines, word wrap on at 80 columns, driven by real key events:
//   BM_RepaintRowBaseline  repainting one row without any edit (baseline)
//   BM_TypeInHugeText      one typed character in the middle of the text, to its repainted row
//   BM_PageDownHugeText    one PageDown with the repaint of the page
// The counter "rows" is the number of rows painted per iteration.
#include "editor/ProgramPropertySets.h"
#include "editor/ui/EditorWidget.h"

#include "MemoText.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
TEditor* Editor() {
    static TEditor* ed = [] {
        auto* e = new TEditor;
        e->resize(800, 600);
        MakeEditorProp_Default().AssignTo(e->Core());
        e->SetText(MemoText(100u << 20));
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
