// The editing control on the offscreen platform, word wrap on at 80 columns, driven by real key
// events, on a 1 MB and a 1 GB Shift-JIS memo text (about 15 thousand and 15 million lines):
//   BM_RepaintRowBaseline      repainting one row of the 1 GB text without any edit (baseline)
//   BM_TypeInSmallText/W       one typed character to its repainted row in the 1 MB text, in the
//                              middle (W 0) or at the end (W 1) of the text
//   BM_TypeInHugeText/W        the same in the 1 GB text: the aim is at most 2 × the small text
//   BM_PageDownSmallText       one PageDown with the repaint of the page, middle of the 1 MB text
//   BM_PageDownHugeText        the same in the middle of the 1 GB text
//   BM_JumpToEndSmallText      Ctrl+End from the top of the 1 MB text to the painted last page,
//                              with no colouring state computed below the first page
//   BM_JumpToEndHugeText/W     the same in the 1 GB text: the page is painted without waiting
//                              for the colouring of the rows above it (W 0), or after walking
//                              all of them first (W 1, what painting a far row cost before)
// The counter "rows" is the number of rows painted per iteration.
#include "editor/ProgramPropertySets.h"
#include "editor/ui/EditorWidget.h"

#include "MemoText.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <climits>
#include <memory>
#include <string>

namespace {
constexpr size_t kSmall = size_t{1} << 20;
constexpr size_t kHuge = size_t{1} << 30;

// One editor at a time: the 1 GB one is made when first asked for, after the small one is gone.
// It goes before the application does (a widget cannot outlive it).
std::unique_ptr<TEditor> ed;

TEditor* Editor(size_t bytes) {
    static size_t size = 0;
    if (!ed || size != bytes) {
        ed.reset();
        ed = std::make_unique<TEditor>();
        ed->resize(800, 600);
        MakeEditorProp_Default().AssignTo(ed->Core());
        ed->TakeText(MemoText(bytes));
        ed->show();
        ed->setFocus();
        QApplication::processEvents();
        size = bytes;
    }
    return ed.get();
}

void SendKey(QWidget* w, int key, const QString& text = {},
             Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

// The caret in the middle of the text, or on its last row; the colouring of the rows above,
// walked in slices between the input after such a jump, is let finish first (a key typed
// meanwhile waits for one slice at most, about a millisecond).
void GoTo(TEditor* ed, bool end) {
    const int rows = ed->Core().Rows().RowCount();
    ed->Core().SetCaret(end ? rows - 1 : rows / 2, 4);
    QApplication::processEvents();
    while (ed->Core().Rows().ParseWanted())
        QApplication::processEvents();
}

void Rows(benchmark::State& state, TEditor* ed, long long before) {
    state.counters["rows"] =
        benchmark::Counter(double(ed->PaintedRows - before), benchmark::Counter::kAvgIterations);
    state.counters["total_rows"] = ed->Core().Rows().RowCount();
}

void TypeIn(benchmark::State& state, size_t bytes) {
    TEditor* ed = Editor(bytes);
    GoTo(ed, state.range(0) != 0);
    const long long before = ed->PaintedRows;
    for (auto _ : state) {
        SendKey(ed, Qt::Key_X, "x");
        QApplication::processEvents();
    }
    Rows(state, ed, before);
}

void PageDown(benchmark::State& state, size_t bytes) {
    TEditor* ed = Editor(bytes);
    GoTo(ed, false);
    const long long before = ed->PaintedRows;
    for (auto _ : state) {
        SendKey(ed, Qt::Key_PageDown);
        QApplication::processEvents();
    }
    Rows(state, ed, before);
}

// The key and the synchronous repaint of the page it shows; what is left queued (the colouring
// of the rows above, a slice at a time) is not waited for.
void JumpToEnd(benchmark::State& state, size_t bytes, bool wait) {
    TEditor* ed = Editor(bytes);
    TEditorScreenStrings& store = *ed->Core().SharedStore();
    const int64_t sync = store.SyncParseBytes;
    if (wait) store.SyncParseBytes = INT64_MAX;
    long long painted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ed->Core().SetCaret(0, 0);
        ed->Core().SetFountain(nullptr); // the colouring states are walked afresh
        QApplication::processEvents();
        const long long before = ed->PaintedRows;
        state.ResumeTiming();
        SendKey(ed, Qt::Key_End, {}, Qt::ControlModifier);
        ed->viewport()->repaint();
        painted += ed->PaintedRows - before;
    }
    state.counters["rows"] = benchmark::Counter(double(painted), benchmark::Counter::kAvgIterations);
    state.counters["row"] = ed->Core().Row();
    store.SyncParseBytes = sync;
}
} // namespace

static void BM_JumpToEndSmallText(benchmark::State& state) {
    JumpToEnd(state, kSmall, false);
}
static void BM_JumpToEndHugeText(benchmark::State& state) {
    JumpToEnd(state, kHuge, state.range(0) != 0);
}

static void BM_TypeInSmallText(benchmark::State& state) {
    TypeIn(state, kSmall);
}
static void BM_PageDownSmallText(benchmark::State& state) {
    PageDown(state, kSmall);
}

static void BM_RepaintRowBaseline(benchmark::State& state) {
    TEditor* ed = Editor(kHuge);
    GoTo(ed, false);
    const long long before = ed->PaintedRows;
    const QPoint o = ed->CellOrigin(ed->Core().Row(), 0);
    for (auto _ : state) {
        ed->viewport()->update(0, o.y(), ed->viewport()->width(), ed->Metrics().RowHeight);
        QApplication::processEvents();
    }
    Rows(state, ed, before);
}

static void BM_TypeInHugeText(benchmark::State& state) {
    TypeIn(state, kHuge);
}
static void BM_PageDownHugeText(benchmark::State& state) {
    PageDown(state, kHuge);
}

// The small text first, then everything on the huge one (made once).
BENCHMARK(BM_TypeInSmallText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDownSmallText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpToEndSmallText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintRowBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInHugeText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDownHugeText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpToEndHugeText)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpToEndHugeText)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ed.reset();
    return 0;
}
