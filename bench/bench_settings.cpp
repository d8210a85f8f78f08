// Writing and reading Tolmo.ini: the close-time write as one atomic rewrite, beside the baseline
// of one atomic rewrite per key (what the profile functions do), and the start-time read.
#include "app/Settings.h"
#include "platform/IniFile.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string tempIni() {
    static std::string folder = [] {
        std::string t = (std::filesystem::temp_directory_path() / "tolmo-bench-XXXXXX").string();
        if (!mkdtemp(t.data())) std::abort();
        return t + "/";
    }();
    return folder + "Tolmo.ini";
}

void BM_WriteSettingsOneRewrite(benchmark::State& state) {
    TSettings s = DefaultSettings(TEditorDisplay{}, "/opt/tolmo/");
    TIniFile ini(tempIni());
    for (auto _ : state) {
        ++s.fmTop;
        if (!WriteSettings(ini, s, "/opt/tolmo/")) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteSettingsOneRewrite)->Unit(benchmark::kMillisecond)->Iterations(20);

// Baseline: the same 43 keys, each written on its own (every write rewrites the file).
void BM_WriteSettingsPerKeyBaseline(benchmark::State& state) {
    TSettings s = DefaultSettings(TEditorDisplay{}, "/opt/tolmo/");
    TIniFile ini(tempIni());
    for (auto _ : state) {
        for (const std::string& k : SettingsWriteOrder(false)) {
            auto slash = k.find('/');
            if (!ini.WriteString(k.substr(0, slash), k.substr(slash + 1), "1"))
                state.SkipWithError("write failed");
        }
    }
}
BENCHMARK(BM_WriteSettingsPerKeyBaseline)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadSettings(benchmark::State& state) {
    TSettings s = DefaultSettings(TEditorDisplay{}, "/opt/tolmo/");
    TIniFile ini(tempIni());
    WriteSettings(ini, s, "/opt/tolmo/");
    for (auto _ : state) {
        TSettings r = DefaultSettings(TEditorDisplay{}, "/opt/tolmo/");
        ReadSettings(TIniFile(tempIni()), r, [] { return 1; });
        benchmark::DoNotOptimize(r.fmTop);
    }
}
BENCHMARK(BM_ReadSettings)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
