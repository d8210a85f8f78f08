// BM_RecoveryWrite: keeping the recovery file of a page that holds a 100 MB text (about 1.6
// million lines of mixed Shift-JIS, word wrap at 80). Each part beside its baseline:
//   BM_RecoveryWrite/TypeOneChar  one edit in a middle row: a character typed, or taken out again
//                                 (baseline of the interface thread's budget)
//   BM_RecoveryWrite/Snapshot     what the interface thread pays: the copy-on-write snapshot and
//                                 the record's fields, a UTF-8 page's full character table included
//   BM_RecoveryWrite/FirstEdit    the first edit after a snapshot (it copies one block of rows)
//   BM_RecoveryWrite/PlainSave    a plain atomic save of the same text (baseline of the writer)
//   BM_RecoveryWrite/Background   the background writer's whole file from the snapshot
#include <benchmark/benchmark.h>

#include "mainwindow/pages/DocumentEncoding.h"
#include "mainwindow/pages/Recovery.h"
#include "platform/AtomicFile.h"
#include "text/RowStore.h"

#include "MemoText.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

TEditorScreenStrings& Store() {
    static std::unique_ptr<TEditorScreenStrings> s = [] {
        auto p = std::make_unique<TEditorScreenStrings>();
        TEditorWrapOption wrap = p->WrapOption();
        wrap.SetWrapByte(80);
        p->SetWrapOption(wrap);
        p->SetWordWrap(true);
        p->SetText(MemoText(100u << 20));
        return p;
    }();
    return *s;
}

std::string Folder() {
    static const std::string f = [] {
        std::string t = (fs::temp_directory_path() / "tolmo-bench-XXXXXX").string();
        if (!::mkdtemp(t.data())) std::abort();
        std::atexit([] { fs::remove_all(Folder()); });
        return t + "/";
    }();
    return f;
}

// One edit of a middle row: a character typed before its text, or taken out again, by turns, so
// that the text stays as it was.
struct OneEdit {
    TEditorScreenStrings& s;
    int row;
    std::string was;
    bool typed = false;
    explicit OneEdit(TEditorScreenStrings& store)
        : s(store), row(store.Count() / 2), was(store.RowText(row)) {}
    ~OneEdit() {
        if (typed) s.UpdateList(row, 1, was);
    }
    void operator()() {
        s.UpdateList(row, 1, typed ? was : "x" + was);
        typed = !typed;
    }
};

void BM_RecoveryWrite_TypeOneChar(benchmark::State& state) {
    TEditorScreenStrings& s = Store();
    OneEdit edit(s);
    for (auto _ : state)
        edit();
    state.counters["rows"] = s.Count();
}

void BM_RecoveryWrite_Snapshot(benchmark::State& state) {
    TEditorScreenStrings& s = Store();
    TPageDocument page;
    page.format = {TEncoding::Utf8, false, TLineEndStyle::Lf};
    page.table = std::make_shared<TCharTable>();
    for (char32_t c = 0x20000; page.table->CodeFor(c) != 0; ++c) {
    }
    for (auto _ : state) {
        TRecoveryRecord meta;
        meta.Path = "/memo/big.txt";
        DescribeForRecovery(page, meta);
        TRowTableSnapshot snap = s.Snapshot();
        benchmark::DoNotOptimize(snap.Bytes);
        benchmark::DoNotOptimize(meta.Table.data());
    }
    state.counters["MB"] = static_cast<double>(s.TextLength()) / (1 << 20);
    state.counters["table_codes"] = static_cast<double>(page.table->Size());
}

// A snapshot held by the writer while the user types: the first edit copies the rows of one block.
void BM_RecoveryWrite_FirstEdit(benchmark::State& state) {
    TEditorScreenStrings& s = Store();
    OneEdit edit(s);
    for (auto _ : state) {
        state.PauseTiming();
        TRowTableSnapshot snap = s.Snapshot();
        state.ResumeTiming();
        edit();
        state.PauseTiming();
        snap = {};
        state.ResumeTiming();
    }
}

void BM_RecoveryWrite_PlainSave(benchmark::State& state) {
    TEditorScreenStrings& s = Store();
    for (auto _ : state) {
        if (!WriteFileAtomic(Folder() + "plain.txt", s.Text())) state.SkipWithError("save failed");
    }
}

void BM_RecoveryWrite_Background(benchmark::State& state) {
    TEditorScreenStrings& s = Store();
    TRecoveryRecord meta;
    meta.Path = "/memo/big.txt";
    for (auto _ : state) {
        if (!WriteRecoveryFile(Folder() + "page-1.recovery", meta, s.Snapshot(), nullptr))
            state.SkipWithError("write failed");
    }
}

} // namespace

BENCHMARK(BM_RecoveryWrite_TypeOneChar)
    ->Name("BM_RecoveryWrite/TypeOneChar")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecoveryWrite_Snapshot)
    ->Name("BM_RecoveryWrite/Snapshot")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecoveryWrite_FirstEdit)
    ->Name("BM_RecoveryWrite/FirstEdit")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecoveryWrite_PlainSave)
    ->Name("BM_RecoveryWrite/PlainSave")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_RecoveryWrite_Background)
    ->Name("BM_RecoveryWrite/Background")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK_MAIN();
