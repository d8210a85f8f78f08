// Opening pages, measured beside the row store's own load in the same run:
//   BM_LoadWrap          the row store's LoadFromFile of 100 MB with word wrap at 80 (baseline)
//   BM_OpenPageHuge      OpenFile of the same file through the page rules into a page whose
//                        control uses that row store, up to the rows of the first screen
//   BM_RestoreThirty     a start with 30 remembered pages: the list read, the pages made, only
//                        the active one read (the counter "files_read" says how many were)
//   BM_OpenUtf8Huge      OpenFile of the same text saved as UTF-8 with LF line ends (detected,
//                        converted to the row store's CP932 bytes); target: within 2 x
//                        BM_OpenPageHuge, which now reads through the same page path
//   BM_SavePage          the Shift-JIS page saved as the save command does (the 1 GB save and
//                        its `cp` baseline are in bench_hugefiles)
//   BM_SaveUtf8Huge      the same for the UTF-8 page (converted back, LF); target: within 2 x
//                        BM_SavePage
#include "mainwindow/pages/DocumentEncoding.h"
#include "mainwindow/pages/DocumentFile.h"
#include "mainwindow/pages/PageBook.h"
#include "text/RowStore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Opening these files asks nothing; a question would go to stderr and take its default.
static TConsoleAsker quiet;

namespace fs = std::filesystem;

namespace {

struct Folder {
    std::string dir;
    std::string big;
    std::string bigUtf8;
    Folder() {
        char tmpl[] = "/tmp/bench-pages-XXXXXX";
        dir = std::string(mkdtemp(tmpl)) + "/";
        big = dir + "huge.txt";
        // Shift-JIS lines of mixed widths, CR LF, about 100 MB.
        const std::string jp = "\x82\xa0\x82\xa2\x82\xa4\x8a\xbf\x8e\x9a"; // あいう漢字
        std::string chunk;
        for (int i = 0; chunk.size() < (1u << 20); ++i) {
            std::string line = "memo " + std::to_string(i) + " ";
            for (int k = 0; k < i % 17; ++k)
                line += jp + "text ";
            chunk += line + "\r\n";
        }
        FILE* f = std::fopen(big.c_str(), "wb");
        for (int i = 0; i < 100; ++i)
            std::fwrite(chunk.data(), 1, chunk.size(), f);
        std::fclose(f);
        // The same text as UTF-8 with LF line ends.
        bigUtf8 = dir + "huge-utf8.txt";
        std::string u = DocumentToUtf8(chunk, nullptr);
        u.erase(std::remove(u.begin(), u.end(), '\r'), u.end());
        f = std::fopen(bigUtf8.c_str(), "wb");
        for (int i = 0; i < 100; ++i)
            std::fwrite(u.data(), 1, u.size(), f);
        std::fclose(f);
        for (int i = 0; i < 30; ++i) {
            FILE* s = std::fopen((dir + "p" + std::to_string(i) + ".txt").c_str(), "wb");
            std::fwrite(chunk.data(), 1, 64 << 10, s);
            std::fclose(s);
        }
    }
    ~Folder() { fs::remove_all(dir); }
};

Folder& Files() {
    static Folder f;
    return f;
}

// Pages whose controls are the row store alone; the first screen is the first 40 rows.
class StoreHost : public TPageHost {
  public:
    std::vector<std::unique_ptr<TEditorScreenStrings>> pages;
    int active = -1;
    int filesRead = 0;
    std::size_t painted = 0;
    int PageCount() const override { return static_cast<int>(pages.size()); }
    int ActivePage() const override { return active; }
    void SetActivePage(int i) override { active = i; }
    void InsertPage(const std::string&, const std::string&) override {
        pages.push_back(std::make_unique<TEditorScreenStrings>());
        pages.back()->SetWordWrap(true);
    }
    void SetPageCaption(int, const std::string&) override {}
    void ApplyPropertiesFor(int, const std::string&) override {}
    void RemovePage(int i) override { pages.erase(pages.begin() + i); }
    void MovePage(int, int) override {}
    std::vector<TPageDocument> docs;
    // As the program's page does: read, detect, convert to the row store's bytes.
    bool LoadPageText(int i, const std::string& path, std::string* error) override {
        TDecodedDocument d;
        if (!ReadPageDocument(quiet, path, nullptr, &d, error)) return false;
        docs.resize(pages.size());
        docs[static_cast<std::size_t>(i)].format = d.format;
        docs[static_cast<std::size_t>(i)].table = d.table;
        pages[i]->SetCharTable(d.table);
        pages[i]->ExpectFileLineEnds(LineEndBytesOf(d.format.lineEnd));
        pages[i]->SetText(d.text);
        ++filesRead;
        return true;
    }
    bool SavePageText(int, const std::string&, std::string*) override { return true; }
    bool IsModified(int) const override { return false; }
    void SetModified(int, bool) override {}
    bool IsReadOnly(int) const override { return false; }
    void SetReadOnly(int, bool) override {}
    void GetCaret(int, int* r, int* t) const override { *r = *t = 0; }
    void SetCaret(int, int, int) override {}
    bool IsSplit(int) const override { return false; }
    void Unsplit(int) override {}
    void FocusActive() override {}
    void UpdatePageStatus() override {
        // The first screen: the rows a paint would draw.
        const TEditorScreenStrings& s = *pages[active];
        for (int r = 0; r < 40 && r < s.Count(); ++r)
            painted += s.RowText(r).size();
    }
    void ShowProgress(const std::string&) override {}
    void SuspendUpdates(bool) override {}
    bool AskYesNo(const std::string&, bool d) override { return d; }
    TSaveChoice AskSaveDiscardCancel(const std::string&) override { return TSaveChoice::Discard; }
    void Notice(const std::string&) override {}
    void ErrorBox(const std::string&) override {}
    TSaveDialogResult RunSaveDialog(const std::string&, const std::string&) override { return {}; }
    std::string RunOpenDialog(const std::string&) override { return {}; }
    std::string CurrentDirectory() const override { return "/"; }
};

} // namespace

static void BM_LoadWrap(benchmark::State& state) {
    const std::string& path = Files().big;
    int rows = 0;
    for (auto _ : state) {
        auto s = std::make_unique<TEditorScreenStrings>();
        s->SetWordWrap(true);
        s->LoadFromFile(path);
        rows = s->Count();
        state.PauseTiming();
        s.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_LoadWrap)->Unit(benchmark::kMillisecond)->Iterations(3);

// Opens the file as a page, as the open command does; counts the first screen's bytes.
static void OpenHuge(benchmark::State& state, const std::string& path) {
    std::size_t painted = 0;
    for (auto _ : state) {
        auto host = std::make_unique<StoreHost>();
        TMyFileList list;
        TPageBook book(*host, list);
        book.firstShow = false;
        book.OpenFile(path);
        painted = host->painted;
        state.PauseTiming();
        host.reset();
        state.ResumeTiming();
    }
    state.counters["first_screen_bytes"] = static_cast<double>(painted);
}

static void BM_OpenPageHuge(benchmark::State& state) {
    OpenHuge(state, Files().big);
}
BENCHMARK(BM_OpenPageHuge)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_OpenUtf8Huge(benchmark::State& state) {
    OpenHuge(state, Files().bigUtf8);
}
BENCHMARK(BM_OpenUtf8Huge)->Unit(benchmark::kMillisecond)->Iterations(3);

// Opens the file once, then measures writing the page's file as the save command does.
static void SaveHuge(benchmark::State& state, const std::string& path) {
    StoreHost host;
    TMyFileList list;
    TPageBook book(host, list);
    book.firstShow = false;
    book.OpenFile(path);
    TPageDocument& doc = host.docs.at(0);
    const std::string out = Files().dir + "saved.txt";
    std::size_t written = 0;
    for (auto _ : state) {
        std::string error;
        const TRowTableSnapshot text = host.pages[0]->Snapshot();
        written = 0;
        if (!SaveDocumentFile(
                out,
                [&](const TWriteBytes& write, std::string* why) {
                    return WritePageDocument(
                        text, doc,
                        [&](std::string_view b) {
                            written += b.size();
                            return write(b);
                        },
                        why);
                },
                &error))
            state.SkipWithError(error.c_str());
    }
    state.counters["bytes"] = static_cast<double>(written);
}
static void BM_SavePage(benchmark::State& state) {
    SaveHuge(state, Files().big);
}
BENCHMARK(BM_SavePage)->Unit(benchmark::kMillisecond)->Iterations(3);
static void BM_SaveUtf8Huge(benchmark::State& state) {
    SaveHuge(state, Files().bigUtf8);
}
BENCHMARK(BM_SaveUtf8Huge)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_RestoreThirty(benchmark::State& state) {
    Folder& f = Files();
    std::map<std::string, std::string> ini{{"Count", "30"}};
    for (int i = 0; i < 30; ++i)
        ini["File" + std::to_string(i)] =
            "p" + std::to_string(i) + ".txt," + f.dir + ",0,,,,,,0,0,1,0,0";
    TProfileSection section{
        [&](const std::string& k, const std::string& d) { return ini.count(k) ? ini[k] : d; },
        [](const std::string&, const std::string&) { return true; }};
    int filesRead = 0;
    for (auto _ : state) {
        StoreHost host;
        TMyFileList list;
        TPageBook book(host, list);
        book.pageToActivate = 29;
        list.Load(section);
        book.RestoreList();
        book.FinishFirstShow();
        filesRead = host.filesRead;
    }
    state.counters["files_read"] = filesRead;
}
BENCHMARK(BM_RestoreThirty)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
