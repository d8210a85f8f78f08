// Opening a folder of 2,000 memo files as pages, beside the files' own load time in the same run:
//   BM_ReadFiles2000     reading the 2,000 files whole (baseline: what loading them all costs)
//   BM_FolderOpen2000    the folder command on them in a real main window (offscreen): 2,000 tabs
//                        with their editing controls, the progress in the status bar, and only the
//                        page shown at the end read (the counter "pages" says how many opened)
#include "mainwindow/ui/FileCommandsWindow.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/Pages.h"
#include "mainwindow/ui/PagesAttach.h"
#include "mainwindow/ui/SharedObjects.h"
#include "platform/AtomicFile.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Folder {
    std::string dir;
    Folder() {
        char tmpl[] = "/tmp/bench-folder-XXXXXX";
        dir = std::string(mkdtemp(tmpl)) + "/";
        fs::create_directories(dir + "memos");
        fs::create_directories(dir + "prog");
        std::string text;
        for (int i = 0; text.size() < 4096; ++i)
            text += "memo line " + std::to_string(i) + " \x82\xa0\x82\xa2\x82\xa4\r\n";
        for (int i = 0; i < 2000; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "memo%04d.txt", i);
            FILE* f = std::fopen((dir + "memos/" + name).c_str(), "wb");
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
    }
    ~Folder() { fs::remove_all(dir); }
};

Folder& Files() {
    static Folder f;
    return f;
}

static void BM_ReadFiles2000(benchmark::State& state) {
    const std::vector<std::string> files = MemoFilesOf(Files().dir + "memos/");
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const std::string& f : files) {
            std::string b;
            ReadWholeFile(f, b);
            bytes += b.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ReadFiles2000)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_FolderOpen2000(benchmark::State& state) {
    setenv("XDG_CONFIG_HOME", (Files().dir + "config").c_str(), 1);
    int pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TSharedObjects dt;
        TStartUpInfo info;
        info.programFolder = Files().dir + "prog/";
        auto fm = std::make_unique<TMainWindow>(dt, info);
        TPages* p = AttachPages(*fm, dt);
        auto* files = new TFileCommandsWindow(*fm, *p);
        p->Book().firstShow = false;
        p->Book().New();
        state.ResumeTiming();
        files->Commands().FolderReOpen(Files().dir + "memos/");
        QApplication::processEvents();
        state.PauseTiming();
        pages = p->PageCount();
        fm.reset();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_FolderOpen2000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
